// Key numbers, code pages, clocks and answered message boxes.
#include <gtest/gtest.h>
#include <SDL2/SDL.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/platform.h"

TEST(KeyTranslation, LettersDigitsAndFunctionKeysKeepTheirVirtualKeys) {
  EXPECT_EQ(plat_VkFromSdlScancode(SDL_SCANCODE_A), 65);
  EXPECT_EQ(plat_VkFromSdlScancode(SDL_SCANCODE_Z), 90);
  EXPECT_EQ(plat_VkFromSdlScancode(SDL_SCANCODE_0), 48);
  EXPECT_EQ(plat_VkFromSdlScancode(SDL_SCANCODE_9), 57);
  EXPECT_EQ(plat_VkFromSdlScancode(SDL_SCANCODE_F1), 112);
  EXPECT_EQ(plat_VkFromSdlScancode(SDL_SCANCODE_F12), 123);
  EXPECT_EQ(plat_VkFromSdlScancode(SDL_SCANCODE_KP_0), 96);
  EXPECT_EQ(plat_VkFromSdlScancode(SDL_SCANCODE_KP_9), 105);
}

TEST(KeyTranslation, ControlKeysArrowsAndBackquote) {
  EXPECT_EQ(plat_VkFromSdlScancode(SDL_SCANCODE_ESCAPE), 27);
  EXPECT_EQ(plat_VkFromSdlScancode(SDL_SCANCODE_TAB), 9);
  EXPECT_EQ(plat_VkFromSdlScancode(SDL_SCANCODE_LSHIFT), 16);
  EXPECT_EQ(plat_VkFromSdlScancode(SDL_SCANCODE_RSHIFT), 16);
  EXPECT_EQ(plat_VkFromSdlScancode(SDL_SCANCODE_LCTRL), 17);
  EXPECT_EQ(plat_VkFromSdlScancode(SDL_SCANCODE_LEFT), 37);
  EXPECT_EQ(plat_VkFromSdlScancode(SDL_SCANCODE_UP), 38);
  EXPECT_EQ(plat_VkFromSdlScancode(SDL_SCANCODE_RIGHT), 39);
  EXPECT_EQ(plat_VkFromSdlScancode(SDL_SCANCODE_DOWN), 40);
  EXPECT_EQ(plat_VkFromSdlScancode(SDL_SCANCODE_GRAVE), 192);
  EXPECT_EQ(plat_VkFromSdlScancode(SDL_SCANCODE_RETURN), 13);
  EXPECT_EQ(plat_VkFromSdlScancode(SDL_SCANCODE_UNKNOWN), 0);
}

TEST(KeyTranslation, ScanCodesAreSetOne) {
  EXPECT_EQ(MapVirtualKeyA('A', 0), 30u);
  EXPECT_EQ(MapVirtualKeyA('Q', 0), 16u);
  EXPECT_EQ(MapVirtualKeyA('M', 0), 50u);
  EXPECT_EQ(MapVirtualKeyA('1', 0), 2u);
  EXPECT_EQ(MapVirtualKeyA('0', 0), 11u);
  EXPECT_EQ(MapVirtualKeyA(VK_ESCAPE, 0), 1u);
  EXPECT_EQ(MapVirtualKeyA(VK_RETURN, 0), 28u);
  EXPECT_EQ(MapVirtualKeyA(VK_SPACE, 0), 57u);
  EXPECT_EQ(MapVirtualKeyA(VK_F1, 0), 59u);
  EXPECT_EQ(MapVirtualKeyA(VK_F1 + 10, 0), 87u);
  EXPECT_EQ(MapVirtualKeyA(VK_F12, 0), 88u);
  EXPECT_EQ(MapVirtualKeyA(VK_LEFT, 0), 75u);
  EXPECT_EQ(MapVirtualKeyA(VK_OEM_3, 0), 41u);
  EXPECT_EQ(MapVirtualKeyA(0xFF, 0), 0u);
  EXPECT_EQ(MapVirtualKeyA('A', 1), 0u);
  // Every virtual key the translation produces has a scan code below 256.
  for (int sc = 0; sc < SDL_NUM_SCANCODES; ++sc) {
    int vk = plat_VkFromSdlScancode(sc);
    EXPECT_GE(vk, 0);
    EXPECT_LE(vk, 255);
    EXPECT_LT(plat_ScanFromVk(vk), 256);
  }
}

TEST(CodePage, CyrillicRoundTrip) {
  const char cp[] = "\xCF\xF0\xE8\xE2\xE5\xF2 \xA8\xB8 ok";  // "Привет Ёё ok"
  std::string utf = plat_Cp1251ToUtf8(cp);
  EXPECT_EQ(utf, "\xD0\x9F\xD1\x80\xD0\xB8\xD0\xB2\xD0\xB5\xD1\x82 \xD0\x81\xD1\x91 ok");
  EXPECT_EQ(plat_Utf8ToCp1251(utf.c_str()), cp);
  for (int c = 1; c < 256; ++c) {
    if (c == 0x98) continue;  // the one byte CP1251 leaves undefined
    char one[2] = {char(c), 0};
    EXPECT_EQ(plat_Utf8ToCp1251(plat_Cp1251ToUtf8(one).c_str()), one) << c;
  }
}

TEST(CodePage, UnmappedAndBrokenInputBecomesQuestionMarks) {
  EXPECT_EQ(plat_Utf8ToCp1251("\xE4\xB8\xAD"), "?");       // a CJK letter
  EXPECT_EQ(plat_Utf8ToCp1251("a\xC3"), "a?");            // cut in the middle
  EXPECT_EQ(plat_Utf8ToCp1251("\xFF" "b"), "?b");         // not UTF-8 at all
  EXPECT_EQ(plat_Cp1251ToUtf8(nullptr), "");
  EXPECT_EQ(plat_Cp1251ToUtf8("\x98"), "?");
}

TEST(Clocks, CounterAndSleepAgree) {
  int64_t f = 0, a = 0, b = 0;
  ASSERT_TRUE(QueryPerformanceFrequency(&f));
  EXPECT_EQ(f, 1000000000);
  ASSERT_TRUE(QueryPerformanceCounter(&a));
  const DWORD t0 = timeGetTime();
  Sleep(30);
  ASSERT_TRUE(QueryPerformanceCounter(&b));
  EXPECT_GE(b - a, 30000000);
  EXPECT_GE(timeGetTime() - t0, 29u);
  // the tick count reads the same clock: one reading of it lies between two
  // of the other
  const DWORD before = timeGetTime(), tick = GetTickCount(), after = timeGetTime();
  EXPECT_LE(tick - before, after - before);
}

TEST(CurrentDirectory, ReportsNeededSizeAndChanges) {
  char small[2];
  DWORD need = GetCurrentDirectoryA(sizeof small, small);
  char cwd[1024];
  DWORD len = GetCurrentDirectoryA(sizeof cwd, cwd);
  ASSERT_GT(len, 0u);
  EXPECT_EQ(need, len + 1);
  EXPECT_FALSE(SetCurrentDirectoryA("/no/such/folder/here"));
  EXPECT_FALSE(SetCurrentDirectoryA(""));
  ASSERT_TRUE(SetCurrentDirectoryA("/"));
  char now[16];
  EXPECT_EQ(GetCurrentDirectoryA(sizeof now, now), 1u);
  EXPECT_STREQ(now, "/");
  ASSERT_TRUE(SetCurrentDirectoryA(cwd));
}

TEST(MessageBox, ScriptedAnswersThenDefaults) {
  setenv("VELMAR_MSGBOX", "no,cancel,ok,auto", 1);
  EXPECT_EQ(MessageBoxA(nullptr, "continue?", "caption", MB_YESNO), IDNO);
  EXPECT_EQ(MessageBoxA(nullptr, "a", "b", MB_YESNO), IDYES);        // cancel is not offered
  EXPECT_EQ(MessageBoxA(nullptr, "a", "b", MB_OKCANCEL), IDOK);
  EXPECT_EQ(MessageBoxA(nullptr, "a", "b", MB_YESNO | MB_DEFBUTTON2), IDNO);  // auto: default
  EXPECT_EQ(MessageBoxA(nullptr, "a", "b", MB_YESNO), IDYES);        // list used up: default
  EXPECT_EQ(MessageBoxA(nullptr, "\xCE\xF8\xE8\xE1\xEA\xE0", "x", MB_OK | MB_ICONHAND), IDOK);
}

TEST(Dialogs, CancelledWithoutAnyoneToAnswer) {
  setenv("VELMAR_MSGBOX", "auto", 1);
  char name[256] = "start.txt";
  OPENFILENAMEA ofn{};
  ofn.lpstrFile = name;
  ofn.nMaxFile = sizeof name;
  EXPECT_FALSE(GetOpenFileNameA(&ofn));
  EXPECT_FALSE(GetSaveFileNameA(&ofn));
  EXPECT_STREQ(name, "start.txt");
  CHOOSECOLORA cc{};
  cc.rgbResult = RGB(1, 2, 3);
  EXPECT_FALSE(ChooseColorA(&cc));
  EXPECT_EQ(cc.rgbResult, RGB(1, 2, 3));
}

// Another process's lock is found held by it whatever stands at the lock's
// name that can be opened at all: a file, a directory, a link to a file, a
// file the trying process may not write (when the test runs as root it
// tries as "nobody"), and a pipe. A link to anything else (a device, a pipe)
// or to nothing gives no lock, with the cause, and locks nothing. A lock this
// process holds is its own to take again. (Its release when the holder is
// killed is tested with two real games.)
TEST(InstanceLock, HeldByItsProcessOrRefusedWithTheCause) {
  char dir[] = "/tmp/velmar_lock_XXXXXX";
  ASSERT_NE(mkdtemp(dir), nullptr);
  ASSERT_EQ(chmod(dir, 0755), 0);
  const std::string d = dir;
  const struct Case {
    const char* what;
    const char* name;
    const char* make;     // a shell command run in the folder first
    const char* refused;  // the cause when no lock can be taken, else null
  } cases[] = {
      {"a regular file", "file.lock", ": > file.lock && chmod 0666 file.lock", nullptr},
      {"a directory", "dir.lock", "mkdir dir.lock", nullptr},
      {"a link to a file", "link.lock", ": > target && ln -s target link.lock", nullptr},
      {"a file only its owner may write", "own.lock", ": > own.lock && chmod 0644 own.lock", nullptr},
      {"a pipe", "pipe.lock", "mkfifo -m 0666 pipe.lock", nullptr},
      {"a link to a device", "dev.lock", "ln -s /dev/null dev.lock", "neither a regular file nor a directory"},
      {"a link to a pipe", "fifo.lock", "mkfifo fifo && ln -s fifo fifo.lock", "neither a regular file nor a directory"},
      {"a link to nothing", "none.lock", "ln -s nowhere none.lock", "No such file or directory"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ASSERT_EQ(std::system(("cd " + d + " && " + c.make).c_str()), 0);
    const std::string lock = d + "/" + c.name;
    if (c.refused) {
      const char* why = nullptr;
      EXPECT_EQ(plat_InstanceLockTaken(lock.c_str(), &why), -1);
      EXPECT_STREQ(why, c.refused);
      continue;
    }
    int ready[2], hold[2];
    ASSERT_EQ(pipe(ready), 0);
    ASSERT_EQ(pipe(hold), 0);
    const pid_t holder = fork();  // takes the lock and keeps it until `hold` is closed
    if (holder == 0) {
      close(hold[1]);
      const char taken = char('0' + plat_InstanceLockTaken(lock.c_str()));
      if (write(ready[1], &taken, 1) != 1) _exit(1);
      char byte;
      while (read(hold[0], &byte, 1) > 0) {
      }
      _exit(0);
    }
    close(ready[1]);
    close(hold[0]);
    char taken = 0;
    EXPECT_EQ(read(ready[0], &taken, 1), 1);
    EXPECT_EQ(taken, '0');
    const pid_t other = fork();
    if (other == 0) {
      if (getuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(127);
      _exit(plat_InstanceLockTaken(lock.c_str()) + 1);
    }
    int status = 0;
    EXPECT_EQ(waitpid(other, &status, 0), other);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 2);  // 1: held by another process
    close(hold[1]);
    close(ready[0]);
    EXPECT_EQ(waitpid(holder, &status, 0), holder);
  }
  const std::string a = d + "/a.lock";
  const char* why = nullptr;
  EXPECT_EQ(plat_InstanceLockTaken((d + "/no/a.lock").c_str(), &why), -1);
  EXPECT_STREQ(why, "No such file or directory");
  EXPECT_EQ(plat_InstanceLockTaken(a.c_str()), 0);
  EXPECT_EQ(plat_InstanceLockTaken(a.c_str()), 0);  // already this process's
  std::filesystem::remove_all(dir);
}

#include <dlfcn.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>

#include "core/core.h"
#include "render/render.h"
#include "tests/common/file_limit.h"
#include "test_util.h"
#include "ui/ui.h"
#include "world/world.h"

// Hard links fail while gNoHardLinks is set, as on a file system that has
// none (exFAT through FUSE says EPERM); the calls are counted.
bool gNoHardLinks = false;
int gLinkCalls = 0;
extern "C" int linkat(int fromDir, const char* from, int toDir, const char* to, int flags) {
  ++gLinkCalls;
  if (gNoHardLinks) {
    errno = EPERM;
    return -1;
  }
  using Real = int (*)(int, const char*, int, const char*, int);
  static const Real real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "linkat"));
  return real(fromDir, from, toDir, to, flags);
}

namespace {

using FileTest = TmpDirTest;
namespace fs = std::filesystem;

// Hard links fail (or work, when off is false) for the life of the object,
// and work again after it, whatever happened in between.
class NoHardLinks {
 public:
  explicit NoHardLinks(bool off = true) { gNoHardLinks = off; }
  ~NoHardLinks() { gNoHardLinks = false; }
  NoHardLinks(const NoHardLinks&) = delete;
  NoHardLinks& operator=(const NoHardLinks&) = delete;
};

// A file's bytes; a pipe, a link or anything else but a regular file is not
// read (a pipe would block the reader).
const std::string kNotRegular = "(not a regular file)";
std::string ReadRegular(const std::string& path) {
  std::error_code ec;
  return fs::is_regular_file(fs::symlink_status(path, ec)) ? ReadAll(path) : kNotRegular;
}

// Saves these bytes as name + ext through the safe write: 1 when in place.
int SafeSave(const char* name, const char* ext, const void* bytes, size_t n) {
  t_SafeWrite out;
  if (!out.Open(name, ext)) return 0;
  out.Check(std::fwrite(bytes, 1, n, out.f) == n);
  return out.Close();
}

std::string Bytes(std::initializer_list<int> b) {
  std::string s;
  for (int v : b) s += (char)v;
  return s;
}

TEST_F(FileTest, TypedRecordGoldenBytesAndRoundTrip) {
  FILE* f = std::fopen("rec.bin", "wb");
  ASSERT_NE(f, nullptr);
  EXPECT_EQ(ByteWrite(0xAB, f), 1);
  EXPECT_EQ(ShortWrite(-2, f), 2);
  EXPECT_EQ(UShortWrite(0x1234, f), 2);
  EXPECT_EQ(IntWrite(0x01020304, f), 4);
  EXPECT_EQ(UIntWrite(0xFFFFFFFEu, f), 4);
  EXPECT_EQ(FloWrite(1.0f, f), 4);
  EXPECT_EQ(DblWrite(-2.0, f), 8);
  EXPECT_EQ(CharStringWrite("abc", f), 8);
  EXPECT_EQ(UIntWrite(0x4B4F4C42u, f), 4);  // the marker "BLOK"
  std::fclose(f);
  EXPECT_EQ(ReadAll("rec.bin"),
            Bytes({0xAB, 0xFE, 0xFF, 0x34, 0x12, 4, 3, 2, 1, 0xFE, 0xFF, 0xFF, 0xFF, 0, 0, 0x80, 0x3F, 0, 0, 0, 0, 0,
                   0, 0, 0xC0, 4, 0, 0, 0, 'a', 'b', 'c', 0, 'B', 'L', 'O', 'K'}));

  f = std::fopen("rec.bin", "rb");
  unsigned char b = 0;
  short s = 0;
  unsigned short us = 0;
  int i = 0;
  unsigned int u = 0;
  float fl = 0;
  double d = 0;
  std::string str;
  EXPECT_EQ(ByteRead(b, f), 1);
  ShortRead(s, f);
  UShortRead(us, f);
  IntRead(i, f);
  UIntRead(u, f);
  FloRead(fl, f);
  DblRead(d, f);
  EXPECT_EQ(CharStringRead(str, f), 1);
  EXPECT_EQ(b, 0xAB);
  EXPECT_EQ(s, -2);
  EXPECT_EQ(us, 0x1234);
  EXPECT_EQ(i, 0x01020304);
  EXPECT_EQ(u, 0xFFFFFFFEu);
  EXPECT_EQ(fl, 1.0f);
  EXPECT_EQ(d, -2.0);
  EXPECT_EQ(str, "abc");
  std::fclose(f);
}

TEST_F(FileTest, StringBlocks) {
  FILE* f = std::fopen("s.bin", "wb");
  EXPECT_EQ(CharStringWrite("", f), 5);
  EXPECT_EQ(CharBlockWrite("abcdef", 4, f), 8);
  EXPECT_EQ(CharBlockWrite("", 3, f), 7);
  EXPECT_EQ(CharBlockWrite("ab", 4, f), 8);
  EXPECT_EQ(CharBlockWrite("xy", -1, f), 7);
  EXPECT_EQ(CharBlockWrite("xy", 0, f), 0);
  EXPECT_EQ(CharBlockWrite("xy", -2, f), 0);
  std::fclose(f);
  EXPECT_EQ(ReadAll("s.bin"), Bytes({1, 0, 0, 0, 0,                      //
                                     4, 0, 0, 0, 'a', 'b', 'c', 0,        //
                                     0, 0, 0, 0, 0, 0, 0,                 //
                                     3, 0, 0, 0, 'a', 'b', 0, 0,          //
                                     3, 0, 0, 0, 'x', 'y', 0}));
}

TEST_F(FileTest, NullStreamDoesNothing) {
  int i = 7;
  EXPECT_EQ(IntRead(i, nullptr), 0);
  EXPECT_EQ(i, 7);
  EXPECT_EQ(IntWrite(1, nullptr), 0);
  EXPECT_EQ(CharStringWrite("a", nullptr), 0);
  EXPECT_EQ(CharStringWrite((const char*)nullptr, stdout), 0);
  EXPECT_EQ(CharBlockWrite("a", 4, nullptr), 0);
  std::string s = "x";
  EXPECT_EQ(CharStringRead(s, nullptr), 0);
  EXPECT_EQ(s, "");
  BinBlok bb;
  EXPECT_EQ(bb.start(nullptr), 0);
  bb.end(nullptr);
  str3int n;
  EXPECT_EQ(str3intWrite(n, nullptr), 0);
  EXPECT_EQ(str3intRead(n, nullptr), 0);
}

TEST_F(FileTest, RunsOfFieldsAndBackPatchedCount) {
  struct Rec {
    int a, b, c;
    float x, y;
  } r{1, 2, 3, 0.5f, 1.5f}, back{};
  FILE* f = std::fopen("runs.bin", "wb");
  BinBlok blk;
  EXPECT_EQ(blk.start(f), 4);
  EXPECT_EQ(IntWriteMem(&r.a, &r.c, f, 300), 3);
  blk.fwd();
  EXPECT_EQ(FloWriteMem(&r.x, &r.y, f, 1), 1);  // bounded by n
  blk.fwd();
  EXPECT_EQ(IntWriteMem(&r.a, &r.a, f, 9), 1);
  EXPECT_EQ(IntWriteMem(&r.a, &r.c, f, 0), 0);
  EXPECT_EQ(IntWriteMem(&r.c, &r.a, f, 5), 0);
  blk.end(f);
  EXPECT_EQ(std::ftell(f), 4 + 12 + 4 + 4);
  std::fclose(f);
  f = std::fopen("runs.bin", "rb");
  int count = 0;
  IntRead(count, f);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(IntReadToMem(&back.a, &back.c, f, 300), 3);
  EXPECT_EQ(FloReadToMem(&back.x, &back.x, f, 300), 1);
  EXPECT_EQ(back.a + back.b + back.c, 6);
  EXPECT_EQ(back.x, 0.5f);
  int more[4] = {9, 9, 9, 9};
  EXPECT_EQ(IntReadToMem(&more[0], &more[3], f, 4), 1);  // only one int left
  EXPECT_EQ(more[0], 1);
  EXPECT_EQ(more[1], 9);
  std::fclose(f);
  int arr[5] = {};
  EXPECT_EQ(WriteToMem(&arr[1], &arr[3], 7, 2), 2);
  EXPECT_EQ(arr[1] + arr[2] + arr[3], 14);
}

TEST_F(FileTest, ShortNameRecords) {
  str3int n;
  n.LoadText("abcdefghijklmnop");
  EXPECT_EQ(std::string(n.pCharStr()), "abcdefghijkl");  // 12 bytes, ended by the zero word
  n.LoadText("ab");
  EXPECT_STREQ(n.pCharStr(), "ab");
  std::istringstream in("  name 1 \r\nrest");
  n.LoadFromStreamLine(in);
  EXPECT_STREQ(n.pCharStr(), "name 1");
  FILE* f = std::fopen("n.bin", "wb");
  EXPECT_EQ(str3intWrite(n, f), 12);
  std::fclose(f);
  EXPECT_EQ(ReadAll("n.bin"), std::string("name 1\0\0\0\0\0\0", 12));
  f = std::fopen("n.bin", "rb");
  str3int m;
  EXPECT_EQ(str3intRead(m, f), 1);
  EXPECT_STREQ(m.pCharStr(), "name 1");
  std::fclose(f);
}

TEST_F(FileTest, BackupTwoRotatesTheOldCopy) {
  WriteAll("data.bin", "current");
  WriteAll("data.bin_bak", "older");
  FILE* f = BinFileWrite("data", ".bin", 2, 0);
  ASSERT_NE(f, nullptr);
  std::fputs("new", f);
  std::fclose(f);
  EXPECT_EQ(ReadAll("data.bin"), "new");
  EXPECT_EQ(ReadAll("data.bin_bak"), "current");
  f = BinFileWrite("data.bin", "", 2, 0);
  std::fclose(f);  // "wb": a new, empty file
  EXPECT_EQ(ReadAll("data.bin"), "");
  EXPECT_EQ(ReadAll("data.bin_bak"), "new");
}

TEST_F(FileTest, BackupModesAndOpenModes) {
  WriteAll("keep.bin", "keep");
  EXPECT_EQ(BinFileWrite("keep.bin", "", 0, 0), nullptr);
  EXPECT_EQ(ReadAll("keep.bin"), "keep");
  FILE* f = BinFileWrite("keep.bin", "", 0, 2);
  ASSERT_NE(f, nullptr);
  std::fputs("+", f);
  std::fclose(f);
  EXPECT_EQ(ReadAll("keep.bin"), "keep+");
  EXPECT_FALSE(fs::exists("keep.bin_bak"));

  WriteAll("h.bin", std::string(100, 'o'));
  f = BinFileWrite("h.bin", "", 3, 0);
  ASSERT_NE(f, nullptr);
  std::fwrite("0123456789", 1, 10, f);
  std::fclose(f);
  EXPECT_EQ(ReadAll("h.bin"), "0123456789" + std::string(90, 'o'));
  EXPECT_EQ(ReadAll("h.bin_bak"), std::string(100, 'o'));

  WriteAll("d.bin", "gone");
  f = BinFileWrite("d.bin", "", 1, 1);
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  EXPECT_EQ(ReadAll("d.bin"), "");
  EXPECT_FALSE(fs::exists("d.bin_bak"));

  for (short backup : {0, 1, 2, 3, 7}) {
    std::string name = "fresh" + std::to_string(backup);
    f = BinFileWrite(name, ".bin", backup, 0);
    ASSERT_NE(f, nullptr) << backup;
    std::fclose(f);
    EXPECT_TRUE(fs::exists(name + ".bin"));
  }
  EXPECT_EQ(BinFileWrite("", ".bin", 2, 0), nullptr);
  EXPECT_EQ(BinFileWrite("no/such/dir/x", "", 2, 0), nullptr);
}

// The names in the working folder but the log's.
std::set<std::string> FolderNames() {
  std::set<std::string> names;
  for (const auto& e : fs::directory_iterator(".")) names.insert(e.path().filename().string());
  names.erase("log.txt");
  return names;
}

// A backup that cannot be made leaves the file, the old backup and the folder
// as they were: no partial copy, and the write is refused, with a log line
// that names what is in the way.
TEST_F(FileTest, AFailedBackupLeavesTheFileAndTheOldBackupAsTheyWere) {
  const std::string precious(100000, 'p');
  auto binWrite = [](short backup) {
    return [backup] {
      FILE* f = BinFileWrite("m.bin", "", backup, 0);
      if (f) std::fclose(f);
      return f ? 1 : 0;
    };
  };
  auto safeWrite = [] { return SafeSave("m", ".bin", "new", 3); };
  const struct {
    const char* what;
    std::function<int()> write;
    const char* folderAt;  // a folder (with a file) takes this name
    rlim_t sizeLimit;      // a file-size limit during the write, 0 for none
    const char* said;      // in the log
    bool noHardLinks = false;
  } cases[] = {
      {"a move onto a folder", binWrite(2), "m.bin_bak", 0, "BinFileWrite"},
      {"a copy cut short", binWrite(3), nullptr, 5000, "BinFileWrite"},
      {"a copy with a folder at its temporary name", binWrite(3), "m.bin_bak_new", 0,
       "backup copy failed for \"m.bin\" (Is a directory)"},
      {"a safe write with a folder at the backup's name", safeWrite, "m.bin_bak", 0,
       "kept as \"m.bin_bak\": \"m.bin_bak\" is a directory"},
      {"a safe write with a folder at the backup's temporary name", safeWrite, "m.bin_bak_new", 0,
       "kept as \"m.bin_bak\": \"m.bin_bak_new\" is a directory"},
      {"a safe write without hard links with a folder at the backup copy's temporary name", safeWrite,
       "m.bin_bak_new_new", 0, "kept as \"m.bin_bak\": \"m.bin_bak_new_new\" is a directory", true},
      {"a safe write without hard links whose backup copy is cut short", safeWrite, nullptr, 5000,
       "kept as \"m.bin_bak\" (File too large)", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    NoHardLinks off(c.noHardLinks);
    std::error_code ec;
    for (const char* name : {"m.bin", "m.bin_bak", "m.bin_bak_new", "m.bin_bak_new_new", "log.txt"})
      fs::remove_all(name, ec);
    WriteAll("m.bin", precious);
    if (c.folderAt) {
      fs::create_directory(c.folderAt);
      WriteAll(std::string(c.folderAt) + "/x", "x");
    }
    if (!c.folderAt || std::string(c.folderAt) != "m.bin_bak") WriteAll("m.bin_bak", "older");
    const std::set<std::string> before = FolderNames();
    int r = 0;
    {
      std::optional<FileSizeLimit> limit;
      if (c.sizeLimit) {
        limit.emplace(c.sizeLimit);
        EXPECT_TRUE(limit->Ok());
      }
      errno = 0;  // a cause the log gives is the failure's own, not one left standing
      r = c.write();
    }
    EXPECT_EQ(r, 0);
    EXPECT_TRUE(ReadAll("m.bin") == precious);
    if (c.folderAt) {
      EXPECT_EQ(ReadAll(std::string(c.folderAt) + "/x"), "x");
    }
    if (fs::is_regular_file("m.bin_bak")) {
      EXPECT_EQ(ReadAll("m.bin_bak"), "older");
    }
    EXPECT_EQ(FolderNames(), before) << "a partial copy is left, or the old backup is gone";
    EXPECT_NE(ReadAll("log.txt").find(c.said), std::string::npos) << ReadAll("log.txt");
  }
}

// A link at a save's name or at its backup's, dangling or not, is moved aside
// or removed, never followed: the save succeeds and nothing is written where
// the link leads. A link at the name is no file the program wrote: it is kept
// as "_bad" and the backup stays as it was. A hard link at the name is a
// regular file: it becomes the backup, its other name keeps the old contents.
TEST_F(FileTest, ALinkAtASavesNameOrItsBackupIsMovedAsideNeverFollowed) {
  ASSERT_TRUE(fs::create_directory("folder"));
  WriteAll("victim.txt", "precious");
  const struct {
    const char* what;
    std::function<int()> save;  // writes "new" to save.bin
  } writers[] = {
      {"a safe write", [] { return SafeSave("save", ".bin", "new", 3); }},
      {"a safe write without hard links",
       [] {
         NoHardLinks off;
         return SafeSave("save", ".bin", "new", 3);
       }},
      {"a write that keeps a backup",
       [] {
         FILE* f = BinFileWrite("save", ".bin", 2, 0);
         if (!f) return 0;
         const bool ok = std::fputs("new", f) >= 0;
         return std::fclose(f) == 0 && ok ? 1 : 0;
       }},
  };
  const struct {
    const char* what;
    std::string at;  // where the link stands
    std::string to;  // what it names
    bool hard = false;
  } links[] = {
      {"a dangling link at the name", "save.bin", "nowhere"},
      {"a link to a file at the name", "save.bin", "victim.txt"},
      {"a link to a folder at the name", "save.bin", "folder"},
      {"a dangling link at the backup's name", "save.bin_bak", "nowhere"},
      {"a link to a file at the backup's name", "save.bin_bak", "victim.txt"},
      {"a hard link at the name", "save.bin", "victim.txt", true},
  };
  for (const auto& w : writers) {
    for (const auto& l : links) {
      SCOPED_TRACE(std::string(w.what) + " with " + l.what);
      std::error_code ec;
      for (const char* name : {"save.bin", "save.bin_bak", "save.bin_new", "save.bin_bad"}) fs::remove(name, ec);
      const bool atName = l.at == "save.bin";
      if (atName) {
        WriteAll("save.bin_bak", "good");
        WriteAll("save.bin_bad", "older bad");
      } else {
        WriteAll("save.bin", "old");
      }
      if (l.hard)
        fs::create_hard_link(l.to, l.at, ec);
      else
        fs::create_symlink(l.to, l.at, ec);
      EXPECT_FALSE(ec) << ec.message();
      EXPECT_EQ(w.save(), 1);
      EXPECT_EQ(ReadRegular("save.bin"), "new");
      if (l.hard) {
        EXPECT_EQ(ReadRegular("save.bin_bak"), "precious");
        EXPECT_EQ(ReadRegular("save.bin_bad"), "older bad");
      } else if (atName) {
        EXPECT_TRUE(fs::is_symlink(fs::symlink_status("save.bin_bad", ec))) << "the link is kept as _bad";
        EXPECT_EQ(fs::read_symlink("save.bin_bad", ec), fs::path(l.to));
        EXPECT_EQ(ReadRegular("save.bin_bak"), "good");
      } else {
        EXPECT_EQ(ReadRegular("save.bin_bak"), "old");
      }
      EXPECT_FALSE(fs::exists(fs::symlink_status("save.bin_new", ec)));
      EXPECT_EQ(ReadRegular("victim.txt"), "precious");
      EXPECT_TRUE(fs::is_empty("folder", ec));
    }
  }
}

// A save stopped at any moment (the process killed) leaves a whole file at
// the name: the old one or the new one, never none and never a part; and its
// backup, when there is one, is whole too. So it is where the file system has
// no hard links (the backup is then a copy).
TEST_F(FileTest, ASaveStoppedAtAnyMomentLeavesAWholeFileAtTheName) {
  constexpr size_t kSize = 4096;
  auto whole = [&](const std::string& s) { return s.size() == kSize && s.find_first_not_of(s[0]) == s.npos; };
  auto save = [&](int k) {  // each whole file one letter
    const std::string bytes(kSize, static_cast<char>('a' + k % 26));
    return SafeSave("w", ".bin", bytes.data(), kSize);
  };
  // What a stopped save leaves at the temporary names: the new file, the
  // backup's second name, the backup copy being made. The next save clears
  // them, also one that finds no file at the name (the first save, or one
  // after an unreadable file was kept aside).
  const char* const leftovers[] = {"w.bin_new", "w.bin_bak_new", "w.bin_bak_new_new"};
  const struct {
    bool links, hadOld;
  } cases[] = {{true, true}, {false, true}, {true, false}, {false, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.links ? "with" : "without") + " hard links, " +
                 (c.hadOld ? "over an old file" : "with no old file"));
    std::error_code ec;
    for (const char* name : {"w.bin", "w.bin_bak", "w.bin_bak_new", "w.bin_bak_new_new", "w.bin_new"})
      fs::remove(name, ec);
    NoHardLinks off(!c.links);
    gLinkCalls = 0;
    if (c.hadOld) WriteAll("w.bin", std::string(kSize, '@'));
    for (const char* name : leftovers) WriteAll(name, "left by a stopped save");
    fs::remove("log.txt", ec);
    ASSERT_EQ(save(1), 1);
    EXPECT_EQ(ReadRegular("w.bin_bak"), c.hadOld ? std::string(kSize, '@') : kNotRegular)
        << "the old file is the backup";
    EXPECT_EQ(gLinkCalls, c.hadOld ? 1 : 0);
    for (const char* name : leftovers) {
      EXPECT_NE(ReadAll("log.txt").find("\"" + std::string(name) + "\", left by an unfinished save, is removed"),
                std::string::npos)
          << name;
      EXPECT_FALSE(fs::exists(fs::symlink_status(name, ec))) << name;
    }
    if (!c.hadOld) continue;  // saved once, it stands where a row over an old file stands
    std::mt19937 rnd(7);
    int changed = 0;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);
    for (int i = 0; i < 400 && std::chrono::steady_clock::now() < end; ++i) {
      const std::string before = ReadRegular("w.bin");
      int saved[2];  // a byte for each save that ended
      ASSERT_EQ(pipe(saved), 0);
      const pid_t child = fork();
      ASSERT_GE(child, 0);
      if (child == 0) {
        close(saved[0]);
        alarm(10);
        for (int k = i;; ++k)  // saves without end
          if (save(k)) (void)!write(saved[1], "s", 1);
      }
      close(saved[1]);
      // Every other stop comes after one whole save at least, however slow
      // the machine is.
      char one = 0;
      if (i % 2 == 0) (void)!read(saved[0], &one, 1);
      usleep(rnd() % 4000);
      kill(child, SIGKILL);
      waitpid(child, nullptr, 0);
      close(saved[0]);
      const std::string now = ReadRegular("w.bin");
      ASSERT_TRUE(whole(now)) << "stop " << i << ": the name holds " << now.size() << " bytes";
      const std::string bak = ReadRegular("w.bin_bak");
      ASSERT_TRUE(whole(bak)) << "stop " << i << ": the backup holds " << bak.size() << " bytes";
      changed += now != before;
    }
    EXPECT_GT(changed, 0) << "no save ended before its stop";
  }
}

// Every writer whose write fails (a file-size limit: the system says "File
// too large") names that cause in the log, says that the old file is kept
// only when there was one, keeps it and leaves no temporary file.
TEST_F(FileTest, AFailedWriteNamesTheSystemsCause) {
  ASSERT_TRUE(fs::create_directories("a_sys/base"));
  static uint8_t pixels[32 * 32 * 3] = {};
  ByteLenta bytes;
  bytes.MAlloc(5000, 1);
  const struct {
    const char* what;
    std::string target;
    std::function<int()> write;
  } writers[] = {
      {"a safe write", "plain.bin", [] { return SafeSave("plain", ".bin", pixels, sizeof pixels); }},
      {"a byte stream's save", "stream.bin", [&] { return bytes.SaveToFile("stream.bin", 2, 0, 1) == 5000; }},
      {"the editor's Save Land", "tmp-land", [] { return Plit_Save("tmp-land"); }},
      {"the settings cache", "a_sys/base/o2o3.bin", [] { return orgUniStaZnaSaveBin(); }},
      {"a screenshot", "shot.bmp", [] { return _writeBmp24("shot.bmp", 32, 32, pixels, 0, 0); }},
  };
  for (const auto& w : writers) {
    for (bool hadOld : {true, false}) {
      SCOPED_TRACE(std::string(w.what) + (hadOld ? " over an old file" : " with no old file"));
      std::error_code ec;
      for (const std::string& name : {w.target, w.target + "_new", std::string("log.txt")}) fs::remove(name, ec);
      // An old settings cache is one the program wrote: any other is kept aside.
      if (hadOld) WriteAll(w.target, "old");
      if (hadOld && w.target == "a_sys/base/o2o3.bin") {
        ASSERT_EQ(w.write(), 1);
      }
      const std::string old = hadOld ? ReadAll(w.target) : kNotRegular;
      fs::remove("log.txt", ec);
      int r = 0;
      {
        FileSizeLimit limit(1000);
        ASSERT_TRUE(limit.Ok());
        r = w.write();
      }
      EXPECT_EQ(r, 0);
      const std::string log = ReadAll("log.txt");
      EXPECT_NE(log.find(std::strerror(EFBIG)), std::string::npos) << log;
      EXPECT_EQ(log.find(" is kept") != std::string::npos, hadOld) << log;  // the old file, or the previous cache
      EXPECT_EQ(ReadRegular(w.target), old);
      EXPECT_FALSE(fs::exists(w.target + "_new"));
    }
  }
}

// A record of every field kind, cut at each length: reads stay bounded and a
// value that could not be read whole keeps its old contents.
TEST_F(FileTest, BoundedReadsAtEveryTruncationPoint) {
  FILE* f = std::fopen("full.bin", "wb");
  ByteWrite(7, f);
  ShortWrite(-300, f);
  IntWrite(123456, f);
  FloWrite(2.5f, f);
  DblWrite(1e100, f);
  CharStringWrite("hello", f);
  str3int n;
  n.LoadText("twelve chars");
  str3intWrite(n, f);
  std::fclose(f);
  std::string full = ReadAll("full.bin");
  for (size_t len = 0; len <= full.size(); len++) {
    WriteAll("cut.bin", full.substr(0, len));
    f = std::fopen("cut.bin", "rb");
    unsigned char b = 99;
    short s = 99;
    int i = 99;
    float fl = 99;
    double d = 99;
    std::string str = "old";
    str3int m;
    m.LoadText("old");
    int ok = ByteRead(b, f) + ShortRead(s, f) + IntRead(i, f) + FloRead(fl, f) + DblRead(d, f) +
             CharStringRead(str, f) + str3intRead(m, f);
    std::fclose(f);
    EXPECT_TRUE(b == 7 || b == 99);
    EXPECT_TRUE(s == -300 || s == 99);
    EXPECT_TRUE(i == 123456 || i == 99);
    EXPECT_TRUE(fl == 2.5f || fl == 99);
    EXPECT_TRUE(d == 1e100 || d == 99);
    EXPECT_TRUE(str == "hello" || str.empty());
    EXPECT_TRUE(std::string(m.pCharStr()) == "twelve chars" || std::string(m.pCharStr()) == "old");
    EXPECT_EQ(ok == 7, len == full.size()) << len;
  }
}

TEST_F(FileTest, StringRecordReadRefusesHostileLengths) {
  for (int32_t l : {0, -5, 1 << 30}) {
    FILE* f = std::fopen("bad.bin", "wb");
    IntWrite(l, f);
    std::fputs("abc", f);
    std::fclose(f);
    f = std::fopen("bad.bin", "rb");
    std::string s = "x";
    EXPECT_EQ(CharStringRead(s, f), 0) << l;
    EXPECT_EQ(s, "");
    std::fclose(f);
  }
  FILE* f = std::fopen("long.bin", "wb");
  CharStringWrite(std::string(50, 'z'), f);
  std::fclose(f);
  f = std::fopen("long.bin", "rb");
  std::string s;
  EXPECT_EQ(CharStringRead(s, f, 10), 0);
  std::fclose(f);
}

TEST(TextStreams, SkipToTheNextLineEnd) {
  std::istringstream in("12 rest\r\nnext\r\nlast");
  int v = 0;
  in >> v;
  EXPECT_EQ(v, 12);
  EXPECT_EQ(streamGetToZ1310(in), 1);
  std::string l;
  TextGetLine(in, l);
  EXPECT_EQ(l, "next");
  EXPECT_EQ(streamGetToZ1310(in), 0);  // a last line without a line end
  std::istringstream lf("a\nb");
  EXPECT_EQ(streamGetToZ1310(lf), 1);
  EXPECT_EQ(lf.get(), 'b');
}

TEST_F(FileTest, FileSystemServices) {
  WriteAll("a.txt", "A");
  EXPECT_EQ(sysCopyFile("a.txt", "b.txt", 1), 1);
  EXPECT_EQ(sysCopyFile("a.txt", "b.txt", 0), 1);
  EXPECT_EQ(sysMoveFile("a.txt", "b.txt"), 0);  // a move never replaces a file
  EXPECT_EQ(sysMoveFile("a.txt", "c.txt"), 1);
  EXPECT_EQ(sysFileExists("a.txt"), 0);
  EXPECT_EQ(sysDeleteFile("c.txt"), 1);
  EXPECT_EQ(sysDeleteFile("c.txt"), 0);
  EXPECT_EQ(sysCreateDirectory("sub"), 1);
  EXPECT_EQ(sysCreateDirectory("sub"), 1);
  EXPECT_EQ(sysDeleteFile("sub"), 0);
  EXPECT_EQ(sysCreateDirectory("b.txt"), 0);  // a file of that name
  std::string cwd;
  EXPECT_EQ(sysGetCurrentDirectory(cwd), 1);
  EXPECT_EQ(sysSetCurrentDirectory("sub"), 1);
  std::string inner;
  sysGetCurrentDirectory(inner);
  EXPECT_EQ(inner, cwd + "/sub");
  EXPECT_EQ(sysSetCurrentDirectory("nope"), 0);
  EXPECT_EQ(sysSetCurrentDirectory(cwd), 1);
  uint64_t fr = 0, tot = 0, tf = 0;
  EXPECT_EQ(sysDiskSpace(".", fr, tot, tf), 1);
  EXPECT_GE(tot, fr);
  // A refused copy or open says why in errno, and a copy onto a folder
  // leaves neither its temporary file nor anything in the folder.
  WriteAll("a.txt", "A");
  std::error_code ec;
  fs::create_symlink("b.txt", "link", ec);
  ASSERT_FALSE(ec) << ec.message();
  const struct {
    const char* what;
    std::function<bool()> refused;
    int err;
  } refusals[] = {
      {"a copy onto a file with failIfExists", [] { return sysCopyFile("a.txt", "b.txt", 1) == 0; }, EEXIST},
      {"a copy of nothing", [] { return sysCopyFile("nope.txt", "d.txt", 0) == 0; }, ENOENT},
      {"a copy onto a folder", [] { return sysCopyFile("a.txt", "sub", 0) == 0; }, EISDIR},
      {"a read of a folder", [] { return sysOpenRegular("sub") == nullptr; }, EISDIR},
      {"an append through a link", [] { return sysOpenWrite("link", "ab") == nullptr; }, ELOOP},
  };
  for (const auto& r : refusals) {
    SCOPED_TRACE(r.what);
    errno = 0;
    EXPECT_TRUE(r.refused());
    EXPECT_EQ(errno, r.err) << std::strerror(errno);
  }
  EXPECT_FALSE(fs::exists(fs::symlink_status("sub_new", ec)));
  EXPECT_TRUE(fs::is_empty("sub", ec));
  EXPECT_EQ(ReadAll("b.txt"), "A");
}

}  // namespace

namespace {

// A writer that blocks on a pipe would hang the test: it ends the program
// with a message instead.
void HungOnAPipe(int) {
  const char msg[] = "\nA write blocked on a pipe standing at the file's name\n";
  (void)!write(2, msg, sizeof msg - 1);
  _exit(1);
}

// Every writer of the program, with a pipe or a link (to a file that must not
// change) standing at the name it opens: the save's temporary "<name>_new", or
// the file itself for the writers that write in place. Nothing blocks, nothing
// is written through the link, the save itself succeeds.
TEST_F(FileTest, APipeOrLinkAtTheNameAWriterOpensIsNeverWrittenThrough) {
  ASSERT_TRUE(fs::create_directories("a_sys/base"));
  uint8_t pixels[4 * 4 * 3] = {};
  ByteLenta bytes;
  bytes.MAlloc(8, 1);
  const struct {
    const char* what;
    std::string target;  // the file the writer makes
    std::string trap;    // where the pipe or link stands
    std::function<int()> write;
  } writers[] = {
      {"a safe write", "plain.bin", "plain.bin_new", [] { return SafeSave("plain", ".bin", "new", 3); }},
      {"a byte stream's save", "stream.bin", "stream.bin_new", [&] { return bytes.SaveToFile("stream.bin", 2, 0, 1) == 8; }},
      {"the editor's Save Land", "tmp-land", "tmp-land_new", [] { return Plit_Save("tmp-land"); }},
      {"the settings cache", "a_sys/base/o2o3.bin", "a_sys/base/o2o3.bin_new", [] { return orgUniStaZnaSaveBin(); }},
      {"a backup copy before an in-place write", "inplace.bin", "inplace.bin_bak",
       [] {
         FILE* f = BinFileWrite("inplace", ".bin", 3, 0);
         if (!f) return 0;
         const bool ok = std::fputs("new", f) >= 0;
         return std::fclose(f) == 0 && ok ? 1 : 0;
       }},
      {"a screenshot", "shot.bmp", "shot.bmp_new", [&] { return _writeBmp24("shot.bmp", 4, 4, pixels, 0, 0); }},
      {"the log", "log.txt", "log.txt",
       [] {
         LogInfo("\n a message");
         return 1;
       }},
  };
  // One writer with one kind of trap, checked in full whatever an earlier
  // case did: every case starts from clean names and stops at nothing.
  auto check = [&](const std::string& kind, const auto& w) {
    SCOPED_TRACE(std::string(w.what) + " with a " + kind + " at " + w.trap);
    std::error_code ec;
    for (const std::string& name : {w.target, w.trap, w.target + "_bak", w.target + "_bad"}) fs::remove(name, ec);
    const std::string before = "old contents";
    WriteAll("victim.txt", "precious");
    if (w.target != w.trap) WriteAll(w.target, before);
    if (kind == "pipe") {
      EXPECT_EQ(mkfifo(w.trap.c_str(), 0644), 0) << std::strerror(errno);
    } else {
      fs::create_symlink(fs::absolute("victim.txt"), w.trap, ec);
      EXPECT_FALSE(ec) << ec.message();
    }
    alarm(20);
    EXPECT_EQ(w.write(), 1);
    alarm(0);
    const std::string victim = ReadAll("victim.txt");
    EXPECT_TRUE(victim == "precious") << "the link's file now holds " << victim.size() << " bytes";
    // The old contents are no settings cache: they are kept aside, not as the backup.
    const std::string aside = w.target + (w.target == "a_sys/base/o2o3.bin" ? "_bad" : "_bak");
    if (w.trap == w.target + "_bak") {
      EXPECT_EQ(ReadRegular(w.trap), before) << "no backup copy";
      EXPECT_EQ(ReadRegular(w.target), "new contents");
    } else if (w.target != w.trap) {
      EXPECT_FALSE(fs::exists(fs::symlink_status(w.trap, ec))) << "the temporary file is gone";
      const std::string now = ReadRegular(w.target);
      EXPECT_NE(now, before);
      EXPECT_NE(now, kNotRegular);
      EXPECT_EQ(ReadRegular(aside), before);
    }
  };
  struct sigaction hung {}, old {};
  hung.sa_handler = HungOnAPipe;
  sigaction(SIGALRM, &hung, &old);
  for (const auto& w : writers) check("pipe", w);
  for (const auto& w : writers) check("link", w);
  sigaction(SIGALRM, &old, nullptr);
}

}  // namespace

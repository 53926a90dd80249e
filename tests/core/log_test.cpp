#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdarg>
#include <filesystem>
#include <memory>
#include <string>

#include "core/core.h"
#include "test_util.h"
#include "tests/common/file_limit.h"

namespace {

void Write(t_LogSys& log, int id, const char* format, ...) {
  va_list args;
  va_start(args, format);
  log.Write(id, format, args);
  va_end(args);
}

using LogTest = TmpDirTest;

TEST_F(LogTest, ClosesAfterOneThousandMessages) {
  t_LogSys log("many.txt", false);
  std::string expect;
  for (int i = 1; i <= 1000; i++) {
    Write(log, 0, "m%d\n", i);
    expect += "m" + std::to_string(i) + "\n";
  }
  expect += "\n(1000) so mach msgs and log-sys close ...\n";
  EXPECT_EQ(ReadAll("many.txt"), expect);
  Write(log, 0, "m1001\n");
  Write(log, 0, "m1002\n");
  EXPECT_EQ(ReadAll("many.txt"), expect);
  EXPECT_EQ(log.Count(), 1000);
}

TEST_F(LogTest, AppendsToAnExistingLogInTheWorkingDirectory) {
  WriteAll("log.txt", "old line\r\n");
  LogInfo("\n%s: %d", "value", 42);
  LogInfo("%s", "");
  LogInfo("!");
  EXPECT_EQ(ReadAll("log.txt"), "old line\r\n\nvalue: 42!");
}

TEST_F(LogTest, GlMessagesSkipImmediateRepeats) {
  t_LogSys a("a.txt", true), b("b.txt", true), c("c.txt", true);
  for (int id : {3, 3, 3}) Write(a, id, "%d", id);
  EXPECT_EQ(ReadAll("a.txt"), "3");
  for (int id : {3, 4, 3}) Write(b, id, "%d", id);
  EXPECT_EQ(ReadAll("b.txt"), "343");
  for (int id : {-1, 5, 5, 7, 5}) Write(c, id, "%d,", id);
  EXPECT_EQ(ReadAll("c.txt"), "5,7,5,");
  LogInfoOGL(1, "gl %d", 1);
  LogInfoOGL(1, "gl %d", 1);
  EXPECT_EQ(ReadAll("logOGL.txt"), "gl 1");
}

// Fixed to a folder, both logs stay there when the current directory changes.
TEST_F(LogTest, AFixedFolderHoldsTheLogsWhateverTheCurrentDirectory) {
  struct Unfix {
    ~Unfix() { LogSetFolder(""); }
  } unfix;
  LogSetFolder(dir_);
  EXPECT_EQ(std::string(LogPath()), dir_ + "/log.txt");
  ASSERT_EQ(mkdir("elsewhere", 0755), 0);
  ASSERT_EQ(chdir("elsewhere"), 0);
  LogInfo("a");
  LogInfoOGL(7, "b");
  EXPECT_EQ(ReadAll(dir_ + "/log.txt"), "a");
  EXPECT_EQ(ReadAll(dir_ + "/logOGL.txt"), "b");
  EXPECT_FALSE(std::filesystem::exists("log.txt"));
  EXPECT_FALSE(std::filesystem::exists("logOGL.txt"));
}

// A message that cannot be written, at its opening or at its write, is lost
// uncounted and reported on stderr with the log's path and the cause: once
// while the log keeps failing that way, again once it has worked or the
// cause has changed.
TEST_F(LogTest, FailuresAreReportedOncePerChange) {
  const std::string path = Path("d/log.txt");
  t_LogSys log(path.c_str(), false);
  const struct Step {
    const char* what;
    void (*prepare)();
    rlim_t sizeLimit;     // 0: none (stderr is captured to a file below the limit)
    const char* warned;   // the cause on stderr, "" for no line
    int count;            // messages written so far
  } steps[] = {
      {"no folder", [] {}, 0, "No such file or directory", 0},
      {"still no folder", [] {}, 0, "", 0},
      {"folder made", [] { mkdir("d", 0755), WriteAll("d/log.txt", std::string(300, '.')); }, 0, "", 1},
      {"write beyond the file-size limit", [] {}, 300, "File too large", 1},
      {"the same again", [] {}, 300, "", 1},
      {"a folder in its place", [] { unlink("d/log.txt"), mkdir("d/log.txt", 0755); }, 0, "a directory", 1},
      {"works again", [] { rmdir("d/log.txt"); }, 0, "", 2},
      {"the limit again", [] { WriteAll("d/log.txt", std::string(300, '.')); }, 300, "File too large", 2},
      {"works once more", [] {}, 0, "", 3},
      {"the same cause after it worked", [] { WriteAll("d/log.txt", std::string(300, '.')); }, 300,
       "File too large", 3},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.what);
    s.prepare();
    testing::internal::CaptureStderr();
    {
      std::unique_ptr<FileSizeLimit> limit(s.sizeLimit ? new FileSizeLimit(s.sizeLimit) : nullptr);
      Write(log, 0, "x");
    }
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err, *s.warned ? "velmar: the log " + path + " cannot be written (" + s.warned + ")\n" : "");
    EXPECT_EQ(log.Count(), s.count);
  }
  EXPECT_EQ(ReadAll(path), std::string(300, '.'));
}

}  // namespace

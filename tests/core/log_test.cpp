#include <gtest/gtest.h>

#include <cstdarg>
#include <string>

#include "core/core.h"
#include "test_util.h"

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

TEST_F(LogTest, UnopenableFileLosesTheMessageUncounted) {
  t_LogSys log("no/such/dir/log.txt", false);
  Write(log, 0, "x");
  EXPECT_EQ(log.Count(), 0);
}

}  // namespace

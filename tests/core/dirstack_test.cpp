#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/core.h"
#include "test_util.h"

namespace {

namespace fs = std::filesystem;
using DirStackTest = TmpDirTest;

std::string Cwd() { return fs::current_path().string(); }

TEST_F(DirStackTest, SmallStackHasNoStorage) {
  t_FileDirStek s(2);
  EXPECT_EQ(s.PushDir(), 0);
  EXPECT_EQ(s.PopDir(), 0);
  s._SaveStartPoint();
  fs::create_directory("a");
  fs::current_path("a");
  s.CallStartPoint();
  EXPECT_EQ(Cwd(), dir_ + "/a");
}

TEST_F(DirStackTest, PushesUpToTheDepthAndPopsBack) {
  t_FileDirStek s(8);
  EXPECT_EQ(s.PopDir(), 0);
  s._SaveStartPoint();
  std::string path = dir_;
  for (int i = 1; i <= 8; i++) {
    EXPECT_EQ(s.PushDir(), i);
    fs::create_directory("d");
    fs::current_path("d");
    path += "/d";
  }
  EXPECT_EQ(s.PushDir(), 0);  // full
  EXPECT_EQ(Cwd(), path);
  EXPECT_EQ(s.PopDir(), 8);
  EXPECT_EQ(s.PopDir(), 7);
  EXPECT_EQ(Cwd(), dir_ + "/d/d/d/d/d/d");
  s.CallStartPoint();
  EXPECT_EQ(Cwd(), dir_);
  s.Reset();
  EXPECT_EQ(s.PopDir(), 0);
}

TEST_F(DirStackTest, PopIntoAVanishedFolderKeepsTheTop) {
  t_FileDirStek s(4);
  fs::create_directory("gone");
  fs::current_path("gone");
  EXPECT_EQ(s.PushDir(), 1);
  fs::current_path(dir_);
  fs::remove("gone");
  EXPECT_EQ(s.PopDir(), 0);
  EXPECT_EQ(s.Top(), 1);
}

TEST_F(DirStackTest, SaveFolderBacksUpAnOldSave) {
  fs::create_directory("save1");
  WriteAll("save1/zaglav.bin", "hdr");
  WriteAll("save1/data", "old");
  ASSERT_EQ(SysZaglavForSave("save1"), 1);
  EXPECT_EQ(Cwd(), dir_ + "/save1");
  EXPECT_TRUE(fs::is_empty("."));
  EXPECT_EQ(FileDir1.PopDir(), 1);
  EXPECT_EQ(Cwd(), dir_);
  int backups = 0;
  for (auto& e : fs::directory_iterator(".")) {
    std::string n = e.path().filename().string();
    if (n.rfind("save1_BAK__", 0) == 0) {
      backups++;
      EXPECT_EQ(ReadAll(n + "/data"), "old");
      EXPECT_TRUE(std::all_of(n.begin() + 11, n.end(), ::isdigit)) << n;
    }
  }
  EXPECT_EQ(backups, 1);
}

// An old save that cannot be moved aside (its backup name is longer than a
// file name may be) is not written over: the save fails, the folder and the
// stack are as they were.
TEST_F(DirStackTest, SaveFolderWhoseOldSaveCannotBeKeptIsRefused) {
  const std::string name(245, 's');
  fs::create_directory(name);
  WriteAll(name + "/zaglav.bin", "hdr");
  WriteAll(name + "/data", "old");
  EXPECT_EQ(SysZaglavForSave(name), 0);
  EXPECT_EQ(Cwd(), dir_);
  EXPECT_EQ(FileDir1.Top(), 0);
  EXPECT_EQ(ReadAll(name + "/data"), "old");
  EXPECT_EQ(ReadAll(name + "/zaglav.bin"), "hdr");
}

TEST_F(DirStackTest, SaveFolderWithoutHeaderIsKeptAndLoadEnters) {
  fs::create_directory("s2");
  WriteAll("s2/keep", "k");
  ASSERT_EQ(SysZaglavForSave("s2"), 1);
  EXPECT_EQ(ReadAll("keep"), "k");
  EXPECT_EQ(errPopD(), 0);
  EXPECT_EQ(Cwd(), dir_);
  ASSERT_EQ(SysZaglavForSave("fresh"), 1);  // created
  FileDir1.PopDir();
  EXPECT_TRUE(fs::is_directory("fresh"));
  ASSERT_EQ(SysZaglavForLoad("s2"), 1);
  EXPECT_EQ(Cwd(), dir_ + "/s2");
  FileDir1.PopDir();
  EXPECT_EQ(SysZaglavForLoad("missing"), 0);  // the push is undone
  EXPECT_EQ(FileDir1.Top(), 0);
  WriteAll("file", "f");
  EXPECT_EQ(SysZaglavForSave("file"), 0);
  EXPECT_EQ(FileDir1.Top(), 0);
  EXPECT_EQ(Cwd(), dir_);
}

}  // namespace

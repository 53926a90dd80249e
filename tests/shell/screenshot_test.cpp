// Screenshots on a real GL frame: a shot that cannot be written (no folder,
// a file-size limit) reports 0, logs why in the log fixed at start and leaves
// the working folder and the screenshot folder as they were; the shot counter from the settings file starts again past the largest
// int.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>

#include "tests/common/file_limit.h"
#include "tests/common/temp_dir.h"
#include "tests/render/render_fixture.h"

namespace fs = std::filesystem;

namespace {

class ScreenshotTest : public RenderTest {
 protected:
  void SetUp() override {
    RenderTest::SetUp();
    ASSERT_TRUE(tmp_.Ok());
    fs::create_directory("users");
    game_user_dir0.Set(fs::absolute("users").string().c_str());
    *o2::UserDirE = 1;
    glViewport(0, 0, 64, 48);
    here_ = fs::current_path();
  }
  void TearDown() override {
    LogSetFolder("");
    glViewport(0, 0, kTestW, kTestH);
  }
  std::vector<std::string> Shots() const {
    std::vector<std::string> names;
    if (fs::is_directory("users/screens1"))
      for (auto& e : fs::directory_iterator("users/screens1")) names.push_back(e.path().filename().string());
    return names;
  }
  TempDir tmp_;
  fs::path here_;
};

}  // namespace

TEST_F(ScreenshotTest, AShotThatCannotBeWrittenLeavesTheFolderAsItWas) {
  // Something else stands at "screens1": the folder cannot be made, and the
  // log names it and says why.
  const struct {
    const char* what;
    std::function<bool()> make;
    const char* why;
  } cases[] = {
      {"a file", [] { return static_cast<bool>(std::ofstream("users/screens1") << "x"); }, "it is a regular file"},
      {"a pipe", [] { return mkfifo("users/screens1", 0644) == 0; }, "it is a pipe"},
      {"a dangling link", [] { return symlink("nowhere", "users/screens1") == 0; }, "it is a link to nothing"},
  };
  const std::string folder = fs::absolute("users/screens1").string();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    std::error_code ec;
    fs::remove("users/screens1", ec);
    fs::remove("log.txt", ec);
    EXPECT_TRUE(c.make());
    *o2::NomScreen = 4;
    EXPECT_EQ(Root_IPPI.SaveScreenShot(), 0);
    EXPECT_EQ(fs::current_path(), here_);
    std::ifstream in("log.txt");
    const std::string log((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(log.find("Screenshot not saved: the folder \"" + folder + "\" cannot be used (" + c.why + ")"),
              std::string::npos)
        << log;
  }
  fs::remove("users/screens1");

  // The folder is there, the file cannot be written whole: the line saying
  // so, with the system's cause, is in the log fixed at start; nothing, not
  // even a part of the picture, is left in the screenshot folder.
  fs::create_directory("users/screens1");
  fs::create_directory("run");
  LogSetFolder(fs::absolute("run").string());
  int r = 0;
  {
    FileSizeLimit limit(1000);
    ASSERT_TRUE(limit.Ok());
    r = Root_IPPI.SaveScreenShot();
  }
  EXPECT_EQ(r, 0);
  EXPECT_EQ(fs::current_path(), here_);
  std::ifstream in("run/log.txt");
  const std::string log((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_NE(log.find("failed (" + std::string(std::strerror(EFBIG)) + ")"), std::string::npos) << log;
  EXPECT_TRUE(fs::is_empty("users/screens1")) << Shots().front();
}

// A shot refused for want of disk space, or for a folder whose free space
// cannot be read, says so in the log.
TEST_F(ScreenshotTest, AShotRefusedForSpaceIsLogged) {
  const struct {
    const char* dir;  // /proc has no free blocks
    const char* said;
  } cases[] = {
      {"/proc", "Screenshot not saved: 0 MB free on the disk of \"/proc\", 11 MB needed"},
      {"/no/such/folder", "Screenshot not saved: the free space of \"/no/such/folder\" cannot be read (No such file"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dir);
    std::error_code ec;
    fs::remove("log.txt", ec);
    game_user_dir0.Set(c.dir);
    EXPECT_EQ(Root_IPPI.SaveScreenShot(), 0);
    std::ifstream in("log.txt");
    const std::string log((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_NE(log.find(c.said), std::string::npos) << log;
  }
  EXPECT_TRUE(Shots().empty());
}

TEST_F(ScreenshotTest, TheCounterStartsAgainPastTheLargestInt) {
  *o2::NomScreen = INT_MAX;
  ASSERT_EQ(Root_IPPI.SaveScreenShot(), 1);
  EXPECT_EQ(*o2::NomScreen, 1);
  *o2::NomScreen = -5;
  ASSERT_EQ(Root_IPPI.SaveScreenShot(), 1);
  EXPECT_EQ(*o2::NomScreen, 1);
  auto shots = Shots();
  ASSERT_EQ(shots.size(), 2u);
  for (const std::string& n : shots) EXPECT_NE(n.find("_0001.bmp"), std::string::npos) << n;
  EXPECT_EQ(fs::file_size(fs::path("users/screens1") / shots[0]), 54u + 64 * 48 * 3);
  EXPECT_EQ(fs::current_path(), here_);
}

// A shot stopped before its file took its name left "<picture>.bmp_new": at
// start it is removed and the log names it. Nothing else in the folder is
// touched: a finished picture, another kind of file, a folder or a link of
// such a name (not followed).
TEST_F(ScreenshotTest, WhatAStoppedShotLeftIsRemovedAtStart) {
  const std::string folder = fs::absolute("users/screens1").string();
  ASSERT_TRUE(fs::create_directory(folder));
  std::ofstream("victim.bmp") << "precious";
  enum Kind { kFile, kFolder, kLink };
  const struct {
    const char* name;
    Kind kind;
    bool removed;
  } entries[] = {
      {"velmar_1.bmp_new", kFile, true},     {"velmar_2.bmp_new", kFile, true},
      {"velmar_1.bmp", kFile, false},        {"notes.txt_new", kFile, false},
      {"velmar_3.bmp_new", kFolder, false},  {"velmar_4.bmp_new", kLink, false},
  };
  for (const auto& e : entries) {
    const std::string path = folder + "/" + e.name;
    if (e.kind == kFile) std::ofstream(path) << "part of a picture";
    if (e.kind == kFolder) fs::create_directory(path);
    if (e.kind == kLink) fs::create_symlink(fs::absolute("victim.bmp"), path);
  }
  ClearUnfinishedScreenShots();
  std::ifstream in("log.txt");
  const std::string log((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  for (const auto& e : entries) {
    SCOPED_TRACE(e.name);
    const std::string path = folder + "/" + e.name;
    std::error_code ec;
    EXPECT_EQ(fs::exists(fs::symlink_status(path, ec)), !e.removed);
    const std::string line = "\"" + path + "\", left by an unfinished save, is removed";
    EXPECT_EQ(log.find(line) != std::string::npos, e.removed) << log;
  }
  EXPECT_NE(log.find("write of \"" + folder + "/velmar_1.bmp\": \"" + folder + "/velmar_1.bmp_new\""),
            std::string::npos)
      << log;
  std::ifstream victim("victim.bmp");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(victim), std::istreambuf_iterator<char>()), "precious");
}

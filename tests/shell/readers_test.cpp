// Every reader of a data file refuses a pipe (or any file that is not a
// regular file) in its place at once, instead of waiting for a writer that
// never comes, and a directory where the object base should be is logged as
// what it is. Each read runs in a child process that an alarm ends, so that
// a reader that blocks fails the test instead of hanging it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

#include "objects/objects.h"
#include "render/render.h"
#include "render/textfile.h"
#include "shell/shell.h"
#include "tests/common/temp_dir.h"
#include "ui/ui.h"
#include "world/world.h"

namespace fs = std::filesystem;

namespace {

// Runs read() in a child: "refused" when it returns true (the reader gave up
// at once), "accepted" when false, "blocked" when the alarm ended it.
std::string Outcome(const std::function<bool()>& read) {
  pid_t pid = fork();
  if (pid == 0) {
    alarm(5);
    _exit(read() ? 0 : 1);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  if (WIFSIGNALED(status)) return WTERMSIG(status) == SIGALRM ? "blocked" : "crashed";
  return WEXITSTATUS(status) == 0 ? "refused" : "accepted";
}

std::string Slurp(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

struct Reader {
  const char* name;
  const char* path;  // made a pipe
  std::function<bool()> refuses;
};

}  // namespace

TEST(Readers, APipeInTheFilesPlaceIsRefusedAtOnce) {
  TempDir tmp;
  ASSERT_TRUE(tmp.Ok());
  fs::create_directories("base");
  fs::create_directories("ris");
  fs::create_directories("a_sys/base");
  const Reader readers[] = {
      {"byte stream", "block.bin", [] { ByteLenta b; return GetByteLenta(b, "block.bin", "", "", 0) == 0; }},
      {"text file", "list.txt", [] { std::string t; return !ReadTextFileDropCR("list.txt", t); }},
      {"picture", "ris/p.tga", [] { Pix_ p; return p.LoadImg("ris/p.tga", "0", 0) == 0; }},
      {"picture probe", "ris/q.tga", [] { return NameTypeImageUni("ris/q.u") == "ris/q.tex"; }},
      {"model list", "models.txt", [] { return _Mesh_Sbor::LoadMeshGru("models.txt", 2) == 0; }},
      {"shader", "shader.txt", [] { return readShaderFile("shader.txt") == nullptr; }},
      {"terrain file", "land.bin", [] { return Plit_Load("land.bin") == 0; }},
      {"object base", "base/gen.fgh",
       [] {
         Fgr4W.KonfigAll(nullptr);
         FgrHld.Init0(11500);
         return FgrHld.LoadBase(1) == 0;
       }},
      {"settings cache", "a_sys/base/o2o3.bin", [] { return orgUniStaZnaFrBin() == 0; }},
      {"settings file", "local.txt", [] { return orgUniStaZnaFrFiles("local.txt") == 0; }},
      {"konfig.txt", "konfig.txt", [] { int g = 0; return ReadKonfig_Txt(g) == 0; }},
      {"message base", "base/msgbase.txt", [] { return LoadMsgBase() == 0; }},
  };
  for (const Reader& r : readers) {
    ASSERT_EQ(mkfifo(r.path, 0644), 0) << r.path;
    EXPECT_EQ(Outcome(r.refuses), "refused") << r.name;
    fs::remove(r.path);
  }
}

TEST(Readers, ADirectoryInTheObjectBasesPlaceIsLoggedAsOne) {
  TempDir tmp;
  ASSERT_TRUE(tmp.Ok());
  fs::create_directories("base/gen.fgh");
  ASSERT_EQ(Fgr4W.KonfigAll(nullptr), 1);
  ASSERT_EQ(FgrHld.Init0(11500), 1);
  EXPECT_EQ(FgrHld.LoadBase(1), 0);
  std::string log = Slurp("log.txt");
  EXPECT_NE(log.find("base/gen.fgh: the file is a directory"), std::string::npos) << log;
  EXPECT_EQ(log.find("larger than"), std::string::npos) << log;
  // Nor can a new base be written over it: the save says why and fails.
  FgrHld.InitBase();
  EXPECT_EQ(FgrHld.SaveBase(), 0);
  EXPECT_NE(std::string(LastFailText()).find("a directory"), std::string::npos) << LastFailText();
  FgrHld.Sbros();
  Fgr4W.Sbros();
}

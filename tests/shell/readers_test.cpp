// Every reader of a data file refuses a pipe (or any file that is not a
// regular file) in its place at once, instead of waiting for a writer that
// never comes, and a directory where the object base should be is logged as
// what it is. Each read runs in a child process; a reader that opens the
// pipe (where it would wait for a writer) is seen doing so from the pipe's
// other end, so that it fails the test instead of hanging it.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>

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
// without opening the pipe), "accepted" when false, "blocked" when it opened
// the pipe for reading (a writer's non-blocking open then finds a reader).
// The deadline is only a safety net for a child that does neither.
std::string Outcome(const std::function<bool()>& read, const char* pipe) {
  pid_t pid = fork();
  if (pid == 0) _exit(read() ? 0 : 1);
  int status = 0;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(240);
  while (waitpid(pid, &status, WNOHANG) == 0) {
    const int w = open(pipe, O_WRONLY | O_NONBLOCK);
    if (w >= 0 || std::chrono::steady_clock::now() > end) {
      if (w >= 0) close(w);
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return "blocked";
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  if (WIFSIGNALED(status)) return "crashed";
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
      // The probe names the pipe, without opening it, for the reader to refuse.
      {"picture probe", "ris/q.tga",
       [] {
         Pix_ p;
         return NameTypeImageUni("ris/q.u") == "ris/q.tga" && p.LoadImg(NameTypeImageUni("ris/q.u"), "0", 0) == 0;
       }},
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
    EXPECT_EQ(Outcome(r.refuses, r.path), "refused") << r.name;
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

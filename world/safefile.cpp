#include "world/safefile.h"

#include "core/core.h"

int t_SafeWrite::Open(const std::string& name, const std::string& ext) {
  path_ = name + ext;
  hadOld_ = sysFileExists(path_) != 0;
  ok_ = true;
  f = BinFileWrite(name, ext, 2, 0);
  return f != nullptr;
}

FILE* t_SafeWrite::Take() {
  FILE* taken = f;
  f = nullptr;
  return taken;
}

int t_SafeWrite::Finish(bool ok) {
  ok_ = ok_ && ok;
  if (ok_) return 1;
  LogInfo("\n write of \"%s\" failed: the file is removed and the previous one kept\n", path_.c_str());
  sysDeleteFile(path_);
  if (hadOld_) sysMoveFile(path_ + "_bak", path_);
  return 0;
}

int t_SafeWrite::Close() {
  if (!f) return 0;
  bool ok = std::fflush(f) == 0 && !std::ferror(f);
  if (std::fclose(f) != 0) ok = false;
  f = nullptr;
  return Finish(ok);
}

t_SafeWrite::~t_SafeWrite() {
  if (!f) return;
  std::fclose(f);
  f = nullptr;
  Finish(false);
}

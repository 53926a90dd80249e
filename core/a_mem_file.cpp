#include "core/a_mem_file.h"

#include <bit>
#include <cerrno>
#include <cstring>

#include "core/a_mem.h"
#include "core/log.h"
#include "core/safewrite.h"
#include "core/sysfs.h"

static_assert(std::endian::native == std::endian::little, "records are stored in the machine's little-endian order");

namespace {

template <class T>
int readRaw(T& v, FILE* f) {
  if (!f) return 0;
  unsigned char tmp[sizeof(T)];
  if (std::fread(tmp, 1, sizeof(T), f) != sizeof(T)) return 0;
  std::memcpy(&v, tmp, sizeof(T));
  return 1;
}

template <class T>
int writeRaw(const T& v, FILE* f) {
  if (!f) return 0;
  return (int)std::fwrite(&v, 1, sizeof(T), f);
}

template <class T>
int readRun(T* first, T* last, FILE* f, int n) {
  if (n <= 0 || !first || !last) return 0;
  int k = 0;
  for (T* p = first; p <= last && k < n; p++, k++)
    if (!readRaw(*p, f)) break;
  return k;
}

template <class T>
int writeRun(const T* first, const T* last, FILE* f, int n) {
  if (n <= 0 || !first || !last) return 0;
  int k = 0;
  for (const T* p = first; p <= last && k < n; p++, k++) writeRaw(*p, f);
  return k;
}

template <class T>
int fillRun(T* first, T* last, T value, int n) {
  if (n <= 0 || !first || !last) return 0;
  int k = 0;
  for (T* p = first; p <= last && k < n; p++, k++) *p = value;
  return k;
}

}  // namespace

int ByteRead(unsigned char& v, FILE* f) { return readRaw(v, f); }
int ShortRead(short& v, FILE* f) { return readRaw(v, f); }
int UShortRead(unsigned short& v, FILE* f) { return readRaw(v, f); }
int IntRead(int& v, FILE* f) { return readRaw(v, f); }
int UIntRead(unsigned int& v, FILE* f) { return readRaw(v, f); }
int FloRead(float& v, FILE* f) { return readRaw(v, f); }
int DblRead(double& v, FILE* f) { return readRaw(v, f); }

int ByteWrite(unsigned char v, FILE* f) { return writeRaw(v, f); }
int ShortWrite(short v, FILE* f) { return writeRaw(v, f); }
int UShortWrite(unsigned short v, FILE* f) { return writeRaw(v, f); }
int IntWrite(int v, FILE* f) { return writeRaw(v, f); }
int UIntWrite(unsigned int v, FILE* f) { return writeRaw(v, f); }
int FloWrite(float v, FILE* f) { return writeRaw(v, f); }
int DblWrite(double v, FILE* f) { return writeRaw(v, f); }

int CharStringWrite(const char* text, FILE* f) {
  if (!f || !text) return 0;
  size_t len = std::strlen(text);
  int32_t l = (int32_t)(len + 1);
  int n = writeRaw(l, f);
  n += (int)std::fwrite(text, 1, len + 1, f);
  return n;
}

int CharBlockWrite(std::string text, int block, FILE* f) {
  if (!f) return 0;
  if (block == -1) return CharStringWrite(text.c_str(), f);
  if (block <= 0) return 0;
  std::string bytes((size_t)block, '\0');
  int32_t l = 0;
  if (!text.empty()) {
    if (text.size() > (size_t)block - 1) text.resize((size_t)block - 1);
    std::memcpy(bytes.data(), text.data(), text.size());
    l = (int32_t)(text.size() + 1);
  }
  int n = writeRaw(l, f);
  n += (int)std::fwrite(bytes.data(), 1, bytes.size(), f);
  return n;
}

int CharStringRead(std::string& out, FILE* f, int maxLen) {
  out.clear();
  int32_t l = 0;
  if (!readRaw(l, f) || l < 1 || l - 1 > maxLen) return 0;
  std::string s((size_t)l, '\0');
  if (std::fread(s.data(), 1, (size_t)l, f) != (size_t)l) return 0;
  s.resize(std::strlen(s.c_str()));  // up to the NUL
  out = s;
  return 1;
}

int IntWriteMem(const int* first, const int* last, FILE* f, int n) { return writeRun(first, last, f, n); }
int IntReadToMem(int* first, int* last, FILE* f, int n) { return readRun(first, last, f, n); }
int FloWriteMem(const float* first, const float* last, FILE* f, int n) { return writeRun(first, last, f, n); }
int FloReadToMem(float* first, float* last, FILE* f, int n) { return readRun(first, last, f, n); }
int WriteToMem(int* first, int* last, int value, int n) { return fillRun(first, last, value, n); }
int WriteToMem(float* first, float* last, float value, int n) { return fillRun(first, last, value, n); }

int BinBlok::start(FILE* f) {
  count = 0;
  if (!f) return 0;
  pos = (int32_t)std::ftell(f);
  return IntWrite(0, f);
}

void BinBlok::end(FILE* f) {
  if (!f) return;
  long here = std::ftell(f);
  if (here < 0 || std::fseek(f, pos, SEEK_SET) != 0) return;
  IntWrite(count, f);
  std::fseek(f, here, SEEK_SET);
}

str3int::str3int() : c{}, zero(0) {}

void str3int::LoadText(const char* text) {
  std::memset(c, 0, sizeof(c));
  if (text) std::memcpy(c, text, strnlen(text, sizeof(c)));
}

void str3int::LoadFromStreamLine(std::istream& in) {
  std::string line;
  TextGetLine(in, line);
  LoadText(TextTrimS(line));
}

int str3intWrite(const str3int& name, FILE* f) {
  if (!f) return 0;
  int32_t w[3];
  std::memcpy(w, name.c, 12);
  return writeRaw(w, f);
}

int str3intRead(str3int& name, FILE* f) {
  int32_t w[3];
  if (!readRaw(w, f)) return 0;
  std::memcpy(name.c, w, 12);
  name.zero = 0;
  return 1;
}

namespace {

FILE* failed(const char* what, const std::string& path, const char* why = nullptr) {
  LogInfo("\n BinFileWrite: %s failed for \"%s\" (%s)\n", what, path.c_str(), why ? why : std::strerror(errno));
  return nullptr;
}

}  // namespace

FILE* BinFileWrite(const std::string& name, const std::string& ext, short backup, short open) {
  if (name.empty()) return nullptr;
  std::string path = ext.empty() ? name : name + ext;
  const char* mode = open == 1 ? "w+b" : (open == 2 ? "a+b" : "wb");
  if (sysNameTaken(path)) {
    // Only a regular file becomes the backup; a link or pipe is kept aside.
    std::string bak = backup == 2 ? SafeAsideName(path) : path + "_bak";
    if (backup == 3) {
      if (!sysCopyFile(path, bak, 0)) return failed("backup copy", path);
      const char* why = nullptr;
      FILE* f = sysOpenWrite(path, "r+b", &why);
      return f ? f : failed("open", path, why);
    }
    if (backup == 2) {
      if (sysNameTaken(bak) && !sysDeleteFile(bak)) return failed("delete of the old backup", bak);
      if (!sysMoveFile(path, bak)) return failed("backup move", path);
    } else if (backup == 1) {
      if (!sysDeleteFile(path)) return failed("delete", path);
    } else if (open != 2) {
      return nullptr;  // an existing file is never overwritten without a backup mode
    }
  }
  const char* why = nullptr;
  FILE* f = sysOpenWrite(path, mode, &why);
  return f ? f : failed("open", path, why);
}

int streamGetToZ1310(std::istream& in) {
  for (;;) {
    int c = in.get();
    if (!in) return 0;
    if (c == '\r') {
      c = in.get();
      if (!in) return 0;
    }
    if (c == '\n') return 1;
  }
}

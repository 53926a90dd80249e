// Loading the registry: the settings text files (main file, then the local
// file named by the path, whose records win) and the binary cache beside the
// start directory.
#include <cstdio>
#include <fstream>
#include <string>

#include "core/core.h"
#include "ui/settings.h"

namespace {

constexpr char kCache[] = "a_sys/base/o2o3.bin";
constexpr uint32_t kCacheMagic = 0x001D3384;
constexpr int32_t kCacheSize = 12 + 4 * org2n_Count + 4 + 4 * orgFn_Count;  // 3392

// Reads the records of one settings file after its first `skip` lines.
void ReadRecords(std::istream& in, int skip, const std::string& name) {
  std::string line;
  for (int i = 0; i < skip; ++i) TextGetLine(in, line);
  while (TextGetLine(in, line)) {
    if (TextTrimS(line).rfind("//==", 0) == 0 && orgReadRecForInit(in, line) < 0)
      LogInfo("\n settings file %s: a record with a value that is no number of its kind is skipped\n",
              name.c_str());
  }
}

}  // namespace

// A value that cannot be read (not a number, or beyond its type: 1e50, inf,
// an integer above 2^31) leaves the stream failed: the record is skipped (-1)
// and reading goes on after its line.
int orgReadRecForInit(std::istream& in, std::string& line) {
  TextGetLine(in, line);
  bool isInt = TextTrimS(line).rfind("int", 0) == 0;
  TextGetLine(in, line);  // the name: the id decides the cell
  int id = 0, stored = 0;
  if (in >> id) {
    if (isInt && id >= 1 && id < org2n_Count) {
      int a, b, v;
      if (in >> a >> b >> v) {
        org2n[id] = v;
        stored = 1;
      }
    } else if (!isInt && id >= 1 && id < orgFn_Count) {
      int a, b;
      float v;
      if (in >> a >> b >> v) {
        orgFn[id] = v;
        stored = 1;
      }
    }
  }
  if (in.fail() && !in.eof()) {
    in.clear();
    stored = -1;
  }
  if (!in.fail()) streamGetToZ1310(in);
  return stored;
}

int orgUniStaZnaFrFiles(std::string path) {
  std::ifstream first;
  const char* why = nullptr;
  if (!sysOpenRegular(first, path, &why)) {
    LogInfo("\n settings file %s: %s; the cache %s stands in\n", path.c_str(), why, kCache);
    return orgUniStaZnaFrBin();
  }
  std::string folder;
  TextGetLine(first, folder);
  folder = TextTrimS(folder);
  first.close();
  if (!ReConstrFolderEnd(folder)) {
    LogInfo("\n settings file %s: no folder on its first line; the cache %s stands in\n", path.c_str(), kCache);
    return orgUniStaZnaFrBin();
  }
  std::string mainName = folder + "__orgmix.txt";
  std::ifstream main;
  if (!sysOpenRegular(main, mainName, &why)) {
    LogInfo("\n settings file %s: %s; the cache %s stands in\n", mainName.c_str(), why, kCache);
    return orgUniStaZnaFrBin();
  }
  ReadRecords(main, 1, mainName);
  main.close();
  std::ifstream local;
  if (!sysOpenRegular(local, path, &why)) return orgUniStaZnaFrBin();
  ReadRecords(local, 3, path);
  local.close();
  orgUniStaZnaSaveBin();
  return 1;
}

namespace {

// The cache as the writer makes it, read into ints and flos; else 0, with
// why ending "the cache ... " ("is missing", "is not a settings cache of
// this program (size 16)").
int ReadCache(int* ints, float* flos, std::string& why) {
  const char* not_ = nullptr;
  FILE* f = sysOpenRegular(kCache, &not_);
  if (!f) return why = std::string("is ") + not_, 0;
  // The cache is trusted only when its length, magic and counts are those the
  // writer makes.
  std::fseek(f, 0, SEEK_END);
  long size = std::ftell(f);
  std::fseek(f, 0, SEEK_SET);
  int len = 0, nInt = 0, nFlo = 0;
  unsigned magic = 0;
  bool ok = size == kCacheSize && IntRead(len, f) && len == kCacheSize && UIntRead(magic, f) &&
            magic == kCacheMagic && IntRead(nInt, f) && nInt == org2n_Count;
  for (int i = 0; ok && i < org2n_Count; ++i) ok = IntRead(ints[i], f) == 1;
  ok = ok && IntRead(nFlo, f) && nFlo == orgFn_Count;
  for (int i = 0; ok && i < orgFn_Count; ++i) ok = FloRead(flos[i], f) == 1;
  std::fclose(f);
  if (!ok) why = "is not a settings cache of this program (size " + std::to_string(size) + ")";
  return ok;
}

int gCacheInts[org2n_Count];
float gCacheFlos[orgFn_Count];

}  // namespace

int orgUniStaZnaSaveBin() {
  // An old cache that cannot be read is kept aside, so that the backup keeps
  // the last good one.
  std::string why;
  if (sysNameTaken(kCache) && !ReadCache(gCacheInts, gCacheFlos, why)) {
    std::string kept;
    const int nameFree = SafeKeepAsBad(kCache, kept);
    LogInfo("\n settings cache %s: the old one %s; %s\n", kCache, why.c_str(), kept.c_str());
    if (!nameFree) return 0;
  }
  const bool hadOld = sysNameTaken(kCache);
  t_SafeWrite out;
  bool written = false;
  if (out.Open(kCache, "")) {
    FILE* f = out.f;
    int n = IntWrite(1, f);  // length, patched below
    n += UIntWrite(kCacheMagic, f);
    n += IntWrite(org2n_Count, f);
    for (int v : org2n) n += IntWrite(v, f);
    n += IntWrite(orgFn_Count, f);
    for (float v : orgFn) n += FloWrite(v, f);
    out.Check(n == kCacheSize && std::fseek(f, 0, SEEK_SET) == 0 && IntWrite(kCacheSize, f) == 4);
    written = out.Close();
  }
  if (!written) {
    LogInfo("\n settings cache %s: not written%s\n", kCache, hadOld ? "; the previous one is kept" : "");
    return 0;
  }
  return 1;
}

int orgUniStaZnaFrBin() {
  std::string why;
  if (!ReadCache(gCacheInts, gCacheFlos, why)) {
    // Anything that cannot be read leaves the tables as they are.
    LogFail("\n settings: the text files cannot be read and the cache %s %s", kCache, why.c_str());
    return 0;
  }
  for (int i = 0; i < org2n_Count; ++i) org2n[i] = gCacheInts[i];
  for (int i = 0; i < orgFn_Count; ++i) orgFn[i] = gCacheFlos[i];
  return 1;
}

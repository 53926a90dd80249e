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

// Reads the records of one settings file after its first `skip` lines. A record
// that leaves the stream failed ends the file: the records before it stay.
void ReadRecords(std::istream& in, int skip, const std::string& name) {
  std::string line;
  for (int i = 0; i < skip; ++i) TextGetLine(in, line);
  while (TextGetLine(in, line)) {
    if (TextTrimS(line).rfind("//==", 0) == 0) orgReadRecForInit(in, line);
  }
  if (!in.eof())
    LogInfo("\n settings file %s: unreadable record, the rest of the file is skipped\n",
            name.c_str());
}

}  // namespace

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
  if (!in.fail()) streamGetToZ1310(in);
  return stored;
}

int orgUniStaZnaFrFiles(std::string path) {
  std::ifstream first(path, std::ios::binary);
  if (!first) return orgUniStaZnaFrBin();
  std::string folder;
  TextGetLine(first, folder);
  folder = TextTrimS(folder);
  first.close();
  if (!ReConstrFolderEnd(folder)) return orgUniStaZnaFrBin();
  std::string mainName = folder + "__orgmix.txt";
  std::ifstream main(mainName, std::ios::binary);
  if (!main) return orgUniStaZnaFrBin();
  ReadRecords(main, 1, mainName);
  main.close();
  std::ifstream local(path, std::ios::binary);
  if (!local) return orgUniStaZnaFrBin();
  ReadRecords(local, 3, path);
  local.close();
  orgUniStaZnaSaveBin();
  return 1;
}

void orgUniStaZnaSaveBin() {
  FILE* f = BinFileWrite(kCache, "", 2, 0);
  if (!f) return;
  IntWrite(1, f);  // length, patched below
  UIntWrite(kCacheMagic, f);
  IntWrite(org2n_Count, f);
  for (int v : org2n) IntWrite(v, f);
  IntWrite(orgFn_Count, f);
  for (float v : orgFn) FloWrite(v, f);
  long end = std::ftell(f);
  std::fseek(f, 0, SEEK_SET);
  IntWrite(int(end), f);
  std::fclose(f);
}

int orgUniStaZnaFrBin() {
  FILE* f = std::fopen(kCache, "rb");
  if (!f) return 0;
  // The cache is trusted only when its length, magic and counts are those the
  // writer makes; anything else leaves the tables as they are.
  std::fseek(f, 0, SEEK_END);
  long size = std::ftell(f);
  std::fseek(f, 0, SEEK_SET);
  int len = 0, nInt = 0, nFlo = 0;
  unsigned magic = 0;
  bool ok = size == kCacheSize && IntRead(len, f) && len == kCacheSize && UIntRead(magic, f) &&
            magic == kCacheMagic && IntRead(nInt, f) && nInt == org2n_Count;
  static int ints[org2n_Count];
  static float flos[orgFn_Count];
  for (int i = 0; ok && i < org2n_Count; ++i) ok = IntRead(ints[i], f) == 1;
  ok = ok && IntRead(nFlo, f) && nFlo == orgFn_Count;
  for (int i = 0; ok && i < orgFn_Count; ++i) ok = FloRead(flos[i], f) == 1;
  std::fclose(f);
  if (!ok) {
    LogInfo("\n %s: not a settings cache of this program (size %ld), ignored\n", kCache, size);
    return 0;
  }
  for (int i = 0; i < org2n_Count; ++i) org2n[i] = ints[i];
  for (int i = 0; i < orgFn_Count; ++i) orgFn[i] = flos[i];
  return 1;
}

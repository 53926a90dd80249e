// The handle part of an object's record in the object base: links as level
// (slot) numbers, the live trigger links, the active field, the four bytes and
// the end marker "PRS>".
#include "world/fgr4.h"

#include "core/core.h"

namespace {
// A record's trigger links beyond this are no record the program writes.
constexpr int kMaxLinksRead = 100000;
}  // namespace

int Fgr4::isBadF4R(Fgr4Rea& link) {
  if (link.target && link.target->Status()) return 0;
  link = Fgr4Rea{nullptr, 0};
  return 1;
}

int Fgr4::AddToFileVF4R(std::vector<Fgr4Rea>& links, FILE* f) {
  if (!f) return 0;
  int live = 0;
  for (Fgr4Rea& l : links) live += !isBadF4R(l);
  int bytes = IntWrite(live, f);
  for (const Fgr4Rea& l : links) {
    if (!l.target) continue;
    bytes += IntWrite(Fgr4_Status_LogNom(l.target), f);
    bytes += IntWrite(l.kind, f);
  }
  return bytes;
}

void Fgr4::FromFileVF4R(std::vector<Fgr4Rea>& links, FILE* f) {
  if (!f) return;
  int n = 0;
  if (!IntRead(n, f) || n < 0) return;
  if (n > kMaxLinksRead) n = kMaxLinksRead;
  for (int k = 0; k < n; ++k) {
    int number = 0, kind = 0;
    if (!IntRead(number, f) || !IntRead(kind, f)) return;
    Fgr4* target = Etap_pFgrFromLogNom(number);
    if (kind == 1 && target && Fgr4_OutlivesLevels(target->WrkNom())) {
      // Its owner's death would take a screen frame or the terrain holder along.
      LogInfo("\n a record's link %d owns slot %d, %s; the link is dropped\n", k + 1, number,
              Fgr4_OutlivesLevelsName(target->WrkNom()));
      continue;
    }
    links.push_back(target ? Fgr4Rea{target, kind} : Fgr4Rea{nullptr, 0});
  }
}

int Fgr4::AddToFile(FILE* f) {
  if (!f) return 0;
  int bytes = IntWrite(Fgr4_Status_LogNom(linkA), f);
  bytes += IntWrite(Fgr4_Status_LogNom(linkB), f);
  bytes += AddToFileVF4R(trigs, f);
  bytes += IntWrite(active, f);
  for (uint8_t b : {SaveCategory, freeze, draw, spare}) bytes += ByteWrite(b, f);
  bytes += UIntWrite(ui4simb("PRS>"), f);
  return bytes;
}

void Fgr4::FromFile(FILE* f) {
  if (!f) return;
  int n = 0;
  if (IntRead(n, f)) linkA = Etap_pFgrFromLogNom(n);
  if (IntRead(n, f)) linkB = Etap_pFgrFromLogNom(n);
  FromFileVF4R(trigs, f);
  IntRead(active, f);
  for (uint8_t* b : {&SaveCategory, &freeze, &draw, &spare}) ByteRead(*b, f);
  unsigned int marker = 0;
  UIntRead(marker, f);
}

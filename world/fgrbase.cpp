// The object base base/gen.fgh: the objects of the chosen save categories,
// each under its holder slot. Records carry no length, so a file is checked
// whole before the holder is touched: the length field, the markers, the
// record count, ascending slots in range, type codes, link numbers and kinds,
// where each record ends and the first screen frame. The check can only
// guess where a record ends; the objects' readers know. So while loading,
// each record must begin where the object before it stopped reading, with a
// head that passes the same check, the last must end at the first screen
// frame, and that frame must be one of the loaded ones; otherwise what was
// loaded is released again and the load reports 0 with its reason, so that
// the front end keeps the bad file aside and builds a new base. Neither a
// file nor a load may give an object an owned link to a screen frame or the
// terrain holder: its death would take them along.
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "core/core.h"
#include "objects/objects.h"
#include "world/holder.h"
#include "world/pools.h"
#include "core/safewrite.h"

namespace {

constexpr size_t kHeaderBytes = 12;           // length, magic, slot count
constexpr size_t kMinCommon = 24;              // a common record without trigger links
constexpr size_t kMinRecord = 8 + kMinCommon;  // marker, slot, type, common record
constexpr size_t kMaxBaseBytes = 64u << 20;
constexpr int kMaxLinks = 100000;

uint32_t U32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
         static_cast<uint32_t>(p[3]) << 24;
}
int32_t I32(const uint8_t* p) { return static_cast<int32_t>(U32(p)); }
int U16(const uint8_t* p) { return p[0] | p[1] << 8; }

uint32_t Marker(const char* four) { return ui4simb(four); }

// The record head at `at` (marker, slot above minSlot, type code) with its
// common record, all before `limit`: the end of the common record, else 0.
size_t ParseHead(const uint8_t* p, size_t limit, size_t at, int slots, int minSlot, int& slot, int& type) {
  if (at > limit || limit - at < kMinRecord) return 0;
  if (U32(p + at) != Marker("FGR>")) return 0;
  slot = U16(p + at + 4);
  type = U16(p + at + 6);
  if (slot <= minSlot || slot < 1 || slot >= slots || type < 1 || type > FGR4_TYPE_COUNT) return 0;
  size_t q = at + 8;
  auto levelOK = [&](int32_t n) { return n >= 0 && n < slots; };
  if (!levelOK(I32(p + q)) || !levelOK(I32(p + q + 4))) return 0;
  int32_t links = I32(p + q + 8);
  q += 12;
  if (links < 0 || links > kMaxLinks || (limit - q) / 8 < static_cast<size_t>(links)) return 0;
  for (int32_t k = 0; k < links; ++k, q += 8) {
    int32_t kind = I32(p + q + 4);
    if (!levelOK(I32(p + q)) || (kind != 0 && kind != 1)) return 0;
  }
  if (limit - q < 12 || U32(p + q + 8) != Marker("PRS>")) return 0;
  // Save category, freeze, draw, spare: a screen frame (and the terrain
  // holder) is of category 0, which no level reset kills; every other object
  // of 1..4; the two flags are 0 or 1 and the spare byte is 0.
  const uint8_t category = p[q + 4], freeze = p[q + 5], draw = p[q + 6], spare = p[q + 7];
  const bool frame = Fgr4_OutlivesLevels(type);
  if ((frame ? category != 0 : category < 1 || category > 4) || freeze > 1 || draw > 1 || spare != 0) return 0;
  return q + 12;
}

// "record R of N (where): what".
std::string RecordWhy(int rec, int count, const std::string& where, const std::string& what) {
  return "record " + std::to_string(rec) + " of " + std::to_string(count) + " (" + where + "): " + what;
}
std::string AtByte(size_t at) { return "at byte " + std::to_string(at); }

// The first owned link of the record whose head (checked) is at `at` that
// names a screen frame or the terrain holder, as a reason; empty when none
// does. typeAt(slot) is the type code standing at a slot, 0 for none.
template <class TypeAt>
std::string OwnedResidentWhy(const uint8_t* p, size_t at, TypeAt typeAt) {
  const int32_t links = I32(p + at + 16);
  for (int32_t k = 0; k < links; ++k) {
    const uint8_t* e = p + at + 20 + 8 * static_cast<size_t>(k);
    const int32_t slot = I32(e);
    const int type = typeAt(slot);
    if (I32(e + 4) == 1 && Fgr4_OutlivesLevels(type))
      return "its link " + std::to_string(k + 1) + " owns slot " + std::to_string(slot) + ", " +
             Fgr4_OutlivesLevelsName(type);
  }
  return {};
}

// The whole file checked without touching the holder; why says what failed
// and, for a record, which one and where it begins.
int CheckBase(const uint8_t* p, size_t n, int slots, std::string& why) {
  if (n < kHeaderBytes + 12) return why = "shorter than its header", 0;
  if (static_cast<size_t>(static_cast<uint32_t>(I32(p))) != n) return why = "length field is not the file size", 0;
  if (U32(p + 12) != Marker("BLOK")) return why = "no block marker", 0;
  int32_t count = I32(p + 16);
  const size_t end = n - 4;  // the first screen frame follows the block
  if (count < 0 || count >= slots || static_cast<size_t>(count) > (end - 20) / kMinRecord)
    return why = "record count out of range", 0;
  // Start-up needs the first screen frame: a base without it is unusable.
  const int32_t first = I32(p + end);
  bool firstFound = false;
  if (first < t_FgrHld::kFirstGeneralSlot) return why = "no first screen frame", 0;
  int perType[FGR4_TYPE_COUNT + 1] = {};
  struct Seen {
    int slot, type;
    size_t head;
  };
  std::vector<Seen> seen;  // ascending slots
  size_t at = 20;
  int prevSlot = 0;
  for (int32_t r = 0; r < count; ++r) {
    auto bad = [&](const char* what) { return why = RecordWhy(r + 1, count, AtByte(at), what), 0; };
    int slot = 0, type = 0;
    size_t common = ParseHead(p, end, at, slots, prevSlot, slot, type);
    if (!common) return bad("a bad marker, slot, type, link, category or flag");
    if (++perType[type] > Fgr4W_Capacity(type) - 1) return bad("more records of its type than its pool holds");
    if (type == 4 && slot == first) firstFound = true;
    seen.push_back({slot, type, at});
    size_t next = end;
    if (r + 1 < count) {
      int s = 0, t = 0;
      for (next = common; next < end && !ParseHead(p, end, next, slots, slot, s, t); ++next) {
      }
      if (next >= end) return bad("no valid record follows it (fewer records than the count)");
    }
    at = next;
    prevSlot = slot;
  }
  auto typeAt = [&](int slot) {
    auto it = std::lower_bound(seen.begin(), seen.end(), slot, [](const Seen& e, int s) { return e.slot < s; });
    return it != seen.end() && it->slot == slot ? it->type : 0;
  };
  for (size_t r = 0; r < seen.size(); ++r) {
    std::string owned = OwnedResidentWhy(p, seen[r].head, typeAt);
    if (!owned.empty()) return why = RecordWhy(static_cast<int>(r) + 1, count, AtByte(seen[r].head), owned), 0;
  }
  if (!firstFound) return why = "the first screen frame is none of its frames", 0;
  return 1;
}

// Frees a body taken by a load that is given up (the handle's reset gives the
// pool slot back, also for classes without a kill step).
void ReleaseLoaded(Fgr4& h) { h.Sbros(); }

int ReadWhole(const std::string& path, std::vector<uint8_t>& out, std::string& why) {
  const char* not_ = nullptr;
  FILE* f = sysOpenRegular(path, &not_);
  if (!f) {
    why = std::string("the file is ") + not_;
    if (std::strcmp(not_, "unreadable") == 0) why += std::string(" (") + std::strerror(errno) + ")";
    return 0;
  }
  long size = -1;
  if (std::fseek(f, 0, SEEK_END) == 0) size = std::ftell(f);
  std::rewind(f);
  bool ok = size >= 0 && static_cast<unsigned long>(size) <= kMaxBaseBytes;
  if (ok) {
    out.resize(static_cast<size_t>(size));
    ok = std::fread(out.data(), 1, out.size(), f) == out.size();
    if (!ok) why = std::string("the file cannot be read whole (") + std::strerror(errno) + ")";
  } else {
    why = "larger than " + std::to_string(kMaxBaseBytes) + " bytes";
  }
  std::fclose(f);
  return ok;
}

}  // namespace

// ---------------------------------------------------------------- saving

int t_FgrHld::FHdr(FILE* f, uint32_t magic) {
  if (!f) return 0;
  return IntWrite(0, f) + UIntWrite(magic, f) + IntWrite(klv, f);
}

int t_FgrHld::FHdrClose(FILE* f) {
  if (!f) return 0;
  long len = std::ftell(f);
  bool ok = len >= 0 && std::fseek(f, 0, SEEK_SET) == 0 && IntWrite(static_cast<int>(len), f) == 4;
  // Records dropped on the way may leave stale bytes past the end.
  ok = ok && std::fflush(f) == 0 && ftruncate(fileno(f), len) == 0 && !std::ferror(f);
  if (std::fclose(f) != 0) ok = false;
  return ok;
}

int t_FgrHld::AddToFile_TryAllFgr(FILE* f, int k0, int k1, int k2, int k3, int k4) {
  if (!f || !fgrs || !(k0 || k1 || k2 || k3 || k4)) return 0;
  const int chosen[4] = {k0, k1, k2, k3};
  UIntWrite(Marker("BLOK"), f);
  long countAt = std::ftell(f);
  IntWrite(0, f);
  int n = 0;
  for (int i = 1; i < klv; ++i) {
    Fgr4& h = fgrs[i];
    if (!h.Status()) continue;
    int cat = h.SaveCategory;
    if (!(cat >= 4 ? k4 : chosen[cat])) continue;
    long at = std::ftell(f);
    UIntWrite(Marker("FGR>"), f);
    UShortWrite(static_cast<unsigned short>(i), f);
    UShortWrite(static_cast<unsigned short>(h.wrkNom), f);
    FILE* pf = f;
    h.Event(EV_SAVE, &pf);
    if (std::ftell(f) < at + static_cast<long>(kMinRecord)) {
      // A type that writes no record would make the file unreadable.
      LogInfo("\n object base: the object of type %d in slot %d wrote no record; left out\n", h.wrkNom, i);
      std::fseek(f, at, SEEK_SET);
      continue;
    }
    ++n;
  }
  long end = std::ftell(f);
  std::fseek(f, countAt, SEEK_SET);
  IntWrite(n, f);
  std::fseek(f, end, SEEK_SET);
  LogInfo("\n\nЗаписано фигур:%d //AddToFile_TryAllFgr(%d %d %d %d %d)", n, k0, k1, k2, k3, k4);
  return n;
}

int t_FgrHld::SaveBase() {
  if (!fgrs) return 0;
  t_SafeWrite out;
  if (!out.Open("base/gen", FgHFileType)) return 0;
  FILE* f = out.Take();
  bool ok = FHdr(f, kBaseMagic) == 12;
  AddToFile_TryAllFgr(f, 1, 1, 0, 0, 0);
  ok = IntWrite(firstScrFrm, f) == 4 && ok;
  ok = FHdrClose(f) && ok;
  return out.Finish(ok);
}

// ---------------------------------------------------------------- loading

int t_FgrHld::FHdrChk(FILE* f, uint32_t magic) {
  if (!f) return 0;
  int len = 0, slots = 0;
  unsigned int m = 0;
  IntRead(len, f);
  if (!UIntRead(m, f) || m != magic) {
    std::fclose(f);
    return 0;
  }
  IntRead(slots, f);
  if (slots != klv) LogInfo("\nt_FgrHld::LoadX // klvOnSave != klv\n");
  return 1;
}

int t_FgrHld::FromFile_BlokFgr(FILE* f, const uint8_t* data, size_t size) {
  if (!f || !fgrs || !data || size < kHeaderBytes + 12) return 0;
  const size_t end = size - 4;  // the first screen frame follows the block
  const int32_t first = I32(data + end);
  std::fseek(f, 12, SEEK_SET);
  unsigned int marker = 0;
  int count = 0;
  if (!UIntRead(marker, f) || marker != Marker("BLOK") || !IntRead(count, f) || count < 0 || count >= klv)
    return loadWhy = "no block of records", 0;
  std::vector<int> loaded;
  std::vector<size_t> heads;
  int prevSlot = 0;
  bool firstFound = false;
  auto drop = [&](std::string why) {
    loadWhy = std::move(why);
    for (int s : loaded) ReleaseLoaded(fgrs[s]);
    return 0;
  };
  // `where`: "slot N" or "at byte N" of record number rec (from 1).
  auto giveUp = [&](int rec, const std::string& where, const std::string& why) {
    return drop(RecordWhy(rec, count, where, why));
  };
  for (int r = 0; r < count; ++r) {
    // A record begins where the one before it ended, and its head is held to
    // the same rules as in the check of the whole file.
    const long at = std::ftell(f);
    int slot = 0, type = 0;
    if (at < 0 || !ParseHead(data, end, static_cast<size_t>(at), klv, prevSlot, slot, type))
      return giveUp(r + 1, AtByte(static_cast<size_t>(at)), "a bad marker, slot, type, link, category or flag");
    std::fseek(f, 8, SEEK_CUR);
    Fgr4& h = fgrs[slot];
    if (h.Status()) h.Sbros();
    if (!h.Init(type, 0, 0, f))
      return giveUp(r + 1, "slot " + std::to_string(slot), "the object refused its record or its pool is full");
    loaded.push_back(slot);
    heads.push_back(static_cast<size_t>(at));
    prevSlot = slot;
    firstFound = firstFound || (type == 4 && slot == first);
  }
  if (count > 0 && std::ftell(f) != static_cast<long>(end))
    return giveUp(count, "slot " + std::to_string(prevSlot), "the object read too much or too little");
  // The records as loaded may own what the check took for bytes of a body.
  auto typeAt = [&](int s) { return s > 0 && s < klv ? fgrs[s].WrkNom() : 0; };
  for (size_t r = 0; r < heads.size(); ++r) {
    std::string owned = OwnedResidentWhy(data, heads[r], typeAt);
    if (!owned.empty()) return giveUp(static_cast<int>(r) + 1, AtByte(heads[r]), owned);
  }
  if (!firstFound) return drop("the first screen frame is none of its frames");
  // A link to a slot the file left empty must not reach what is made there later.
  for (int s : loaded) fgrs[s].killDeadLinks();
  firstScrFrm = first;
  return 1;
}

int t_FgrHld::LoadBase(int reset) {
  if (!fgrs) return loadWhy = "no holder", 0;
  const std::string path = "base/gen" + FgHFileType;
  std::vector<uint8_t> data;
  if (ReadWhole(path, data, loadWhy) && LoadBaseFrom(data.data(), data.size(), reset)) return 1;
  LogInfo("\n object base %s: %s; not loaded\n", path.c_str(), loadWhy.c_str());
  return 0;
}

int t_FgrHld::LoadBaseFrom(const uint8_t* data, size_t size, int reset) {
  if (!fgrs) return loadWhy = "no holder", 0;
  // An empty file's bytes are no bytes at all (a null pointer).
  if (size == 0) return loadWhy = "the file is empty", 0;
  if (!data || size < kHeaderBytes) return loadWhy = "shorter than its header", 0;
  FILE* f = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (!f) return loadWhy = "it cannot be read from memory", 0;
  // The header check closes the file it refuses.
  if (!FHdrChk(f, kBaseMagic)) return loadWhy = "not an object base (its magic number is wrong)", 0;
  loadWhy.clear();
  if (!CheckBase(data, size, klv, loadWhy)) {
    std::fclose(f);
    return 0;
  }
  if (reset)
    for (int i = 0; i < klv; ++i) fgrs[i].Sbros();
  int ok = FromFile_BlokFgr(f, data, size);
  std::fclose(f);
  return ok;
}

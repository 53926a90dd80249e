// The object base base/gen.fgh: the objects of the chosen save categories,
// each under its holder slot. Records carry no length, so a file is checked
// whole before the holder is touched: the length field, the markers, the
// record count, ascending slots in range, type codes, link numbers and kinds,
// where each record ends, the first screen frame, and room in every pool for
// what start-up and each new level make besides the file's objects. The
// check can only guess where a record ends; the objects' readers know. So
// while loading, each record must begin where the object before it stopped
// reading, with a head that passes the same check, the last must end at the
// first screen frame, and that frame must be one of the loaded ones;
// otherwise what was loaded is released again and the load reports 0 with
// its reason, so that the front end keeps the bad file aside and builds a
// new base. Neither a file nor a load may give an object an owned link to a
// screen frame or the terrain holder: its death would take them along. A
// link read from the file, in any field, reaches only a slot that one of its
// records fills; links to other slots are dropped.
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

// A record's head: marker, slot, type code and the common record after it.
struct RecordHead {
  int slot = 0, type = 0, category = 0;
};

std::string Num(long long v) { return std::to_string(v); }

// Parses the record head at `at` (marker, slot above minSlot, type code) with
// its common record, all before `limit`: the end of the common record, else 0
// and, when `why` is given, what is wrong. `candidate` is set when marker,
// slot and type pass: a head that a search for the next record must not pass
// over unnoticed.
size_t ParseHead(const uint8_t* p, size_t limit, size_t at, int slots, int minSlot, RecordHead& h,
                 std::string* why = nullptr, bool* candidate = nullptr) {
  auto bad = [&](auto what) {
    if (why) *why = what();
    return size_t{0};
  };
  if (at > limit || limit - at < kMinRecord) return bad([] { return std::string("the file ends inside it"); });
  if (U32(p + at) != Marker("FGR>")) return bad([] { return std::string("no record marker FGR>"); });
  const int slot = h.slot = U16(p + at + 4), type = h.type = U16(p + at + 6);
  if (slot < 1 || slot >= slots) return bad([&] { return "its slot " + Num(slot) + " is out of range"; });
  if (slot <= minSlot)
    return bad([&] { return "its slot " + Num(slot) + " does not follow slot " + Num(minSlot); });
  if (type < 1 || type > FGR4_TYPE_COUNT) return bad([&] { return "its type " + Num(type) + " is no object type"; });
  if (candidate) *candidate = true;
  size_t q = at + 8;
  auto levelOK = [&](int32_t n) { return n >= 0 && n < slots; };
  for (const char* field : {"linkA", "linkB"}) {
    const int32_t n = I32(p + q);
    if (!levelOK(n)) return bad([&] { return std::string("its ") + field + " names slot " + Num(n) + ", out of range"; });
    q += 4;
  }
  const int32_t links = I32(p + q);
  q += 4;
  if (links < 0 || links > kMaxLinks || (limit - q) / 8 < static_cast<size_t>(links))
    return bad([&] { return "its count of trigger links, " + Num(links) + ", is out of range"; });
  for (int32_t k = 1; k <= links; ++k, q += 8) {
    const int32_t n = I32(p + q), kind = I32(p + q + 4);
    if (!levelOK(n)) return bad([&] { return "its link " + Num(k) + " names slot " + Num(n) + ", out of range"; });
    if (kind != 0 && kind != 1)
      return bad([&] { return "its link " + Num(k) + " is of kind " + Num(kind) + ", not 0 or 1"; });
  }
  if (limit - q < 12 || U32(p + q + 8) != Marker("PRS>"))
    return bad([] { return std::string("no end marker PRS> after its trigger links"); });
  // Save category, freeze, draw, spare: a screen frame (and the terrain
  // holder) is of category 0, which no level reset kills; every other object
  // of 1..4; the two flags are 0 or 1 and the spare byte is 0.
  const int category = h.category = p[q + 4], freeze = p[q + 5], draw = p[q + 6], spare = p[q + 7];
  if (Fgr4_OutlivesLevels(type) ? category != 0 : category < 1 || category > 4)
    return bad([&] {
      return Fgr4_OutlivesLevels(type)
                 ? std::string("it is ") + Fgr4_OutlivesLevelsName(type) + " of save category " + Num(category) +
                       ", not 0"
                 : "its save category " + Num(category) + " is not 1 to 4";
    });
  if (freeze > 1) return bad([&] { return "its freeze flag is " + Num(freeze) + ", not 0 or 1"; });
  if (draw > 1) return bad([&] { return "its draw flag is " + Num(draw) + ", not 0 or 1"; });
  if (spare != 0) return bad([&] { return "its spare byte is " + Num(spare) + ", not 0"; });
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

// Whether the pool of a type has room for one more record of it (of the
// given save category), besides what the game makes itself: at start, after
// the base is loaded, and at every new level, which keeps only the objects
// that outlive its reset. Counts run per type over the records so far.
struct PoolRoom {
  int total[FGR4_TYPE_COUNT + 1] = {};
  int kept[FGR4_TYPE_COUNT + 1] = {};
  std::string Take(const t_FgrHld& hld, int type, int category) {
    const int holds = Fgr4W_Capacity(type) - 1, atStart = hld.roomAtStart[type];
    const int perLevel = atStart + hld.roomPerLevel[type];
    if (++total[type] > holds - atStart)
      return atStart == 0 ? std::string("more records of its type than its pool holds")
                          : "no room for it: the pool of type " + Num(type) + " holds " + Num(holds) +
                                " objects, and start-up makes " + Num(atStart) + " of them";
    if (t_FgrHld::OutlivesLevelReset(type, category) && ++kept[type] > holds - perLevel)
      return "no room for a new level: it outlives a level's reset, and the pool of type " + Num(type) + " holds " +
             Num(holds) + " objects, of which start-up and a new level make " + Num(perLevel);
    return {};
  }
};

// The whole file checked without touching the holder; why says what failed
// and, for a record, which one and where it begins. `slots` receives the
// slots of the records as the check finds them.
int CheckBase(const uint8_t* p, size_t n, const t_FgrHld& hld, std::vector<int>& slots, std::string& why) {
  const int klv = hld.klv;
  if (n < kHeaderBytes + 12) return why = "shorter than its header", 0;
  if (static_cast<size_t>(static_cast<uint32_t>(I32(p))) != n) return why = "length field is not the file size", 0;
  if (U32(p + 12) != Marker("BLOK")) return why = "no block marker", 0;
  int32_t count = I32(p + 16);
  const size_t end = n - 4;  // the first screen frame follows the block
  if (count < 0 || count >= klv || static_cast<size_t>(count) > (end - 20) / kMinRecord)
    return why = "record count out of range", 0;
  // Start-up needs the first screen frame: a base without it is unusable.
  const int32_t first = I32(p + end);
  bool firstFound = false;
  if (first < t_FgrHld::kFirstGeneralSlot) return why = "no first screen frame", 0;
  PoolRoom room;
  struct Seen {
    int slot, type;
    size_t head;
  };
  std::vector<Seen> seen;  // ascending slots
  // The first head passed over while looking for a record: when records are
  // missing, it is the one that failed.
  struct {
    size_t at = 0;
    int rec = 0, minSlot = 0;
  } skipped;
  size_t at = 20;
  int prevSlot = 0;
  for (int32_t r = 0; r < count; ++r) {
    auto bad = [&](const std::string& what) { return why = RecordWhy(r + 1, count, AtByte(at), what), 0; };
    RecordHead h;
    std::string what;
    const size_t common = ParseHead(p, end, at, klv, prevSlot, h, &what);
    if (!common) return bad(what);
    what = room.Take(hld, h.type, h.category);
    if (!what.empty()) return bad(what);
    if (h.type == 4 && h.slot == first) firstFound = true;
    seen.push_back({h.slot, h.type, at});
    size_t next = end;
    if (r + 1 < count) {
      RecordHead nh;
      for (next = common; next < end; ++next) {
        bool candidate = false;
        if (ParseHead(p, end, next, klv, h.slot, nh, nullptr, &candidate)) break;
        if (candidate && !skipped.at) skipped = {next, r + 2, h.slot};
      }
      if (next >= end) {
        if (!skipped.at) return bad("no valid record follows it (fewer records than the count)");
        ParseHead(p, end, skipped.at, klv, skipped.minSlot, nh, &what);
        return why = RecordWhy(skipped.rec, count, AtByte(skipped.at), what), 0;
      }
    }
    at = next;
    prevSlot = h.slot;
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
  slots.clear();
  for (const Seen& e : seen) slots.push_back(e.slot);
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

namespace {
// Marks of fileSlots while a base loads.
constexpr uint8_t kInFile = 1, kReached = 2, kLoaded = 4;
}  // namespace

Fgr4* t_FgrHld::LinkFromFile(int n) {
  if (!fgrs || !AdrOK(n)) return nullptr;
  if (fileSlots.empty()) return fgrs[n].Status() ? &fgrs[n] : nullptr;
  if (!(fileSlots[n] & kInFile)) {
    ++droppedLinks;
    return nullptr;
  }
  fileSlots[n] |= kReached;
  return &fgrs[n];
}

int t_FgrHld::loadRecords(FILE* f, const uint8_t* data, size_t size, std::vector<int>& loaded) {
  const size_t end = size - 4;  // the first screen frame follows the block
  const int32_t first = I32(data + end);
  std::fseek(f, 12, SEEK_SET);
  unsigned int marker = 0;
  int count = 0;
  if (!UIntRead(marker, f) || marker != Marker("BLOK") || !IntRead(count, f) || count < 0 || count >= klv)
    return loadWhy = "no block of records", 0;
  std::vector<size_t> heads;
  int prevSlot = 0;
  bool firstFound = false;
  auto drop = [&](std::string why) {
    loadWhy = std::move(why);
    for (int s : loaded) ReleaseLoaded(fgrs[s]);
    loaded.clear();
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
    RecordHead head;
    std::string why = "it cannot be read";
    if (at < 0 || !ParseHead(data, end, static_cast<size_t>(at), klv, prevSlot, head, &why))
      return giveUp(r + 1, AtByte(static_cast<size_t>(at)), why);
    std::fseek(f, 8, SEEK_CUR);
    Fgr4& h = fgrs[head.slot];
    if (h.Status()) h.Sbros();
    if (!h.Init(head.type, 0, 0, f))
      return giveUp(r + 1, "slot " + std::to_string(head.slot), "the object refused its record or its pool is full");
    loaded.push_back(head.slot);
    heads.push_back(static_cast<size_t>(at));
    prevSlot = head.slot;
    firstFound = firstFound || (head.type == 4 && head.slot == first);
  }
  if (count > 0 && std::ftell(f) != static_cast<long>(end))
    return giveUp(count, "slot " + std::to_string(prevSlot), "the object read too much or too little");
  // The records as loaded may own what the check took for bytes of a body.
  for (int s : loaded) fileSlots[s] |= kLoaded;
  auto typeAt = [&](int s) { return s > 0 && s < klv && (fileSlots[s] & kLoaded) ? fgrs[s].WrkNom() : 0; };
  for (size_t r = 0; r < heads.size(); ++r) {
    std::string owned = OwnedResidentWhy(data, heads[r], typeAt);
    if (!owned.empty()) return giveUp(static_cast<int>(r) + 1, AtByte(heads[r]), owned);
  }
  if (!firstFound) return drop("the first screen frame is none of its frames");
  firstScrFrm = first;
  return 1;
}

int t_FgrHld::FromFile_BlokFgr(FILE* f, const uint8_t* data, size_t size, const std::vector<int>& slots) {
  if (!f || !fgrs || !data || size < kHeaderBytes + 12) return 0;
  // Links read from the file reach only the slots its records fill, so that
  // none reaches what is made later in a slot the file left empty.
  std::vector<int> loaded;
  fileSlots.assign(static_cast<size_t>(klv), 0);
  for (int s : slots)
    if (AdrOK(s)) fileSlots[s] = kInFile;
  droppedLinks = 0;
  int ok = loadRecords(f, data, size, loaded);
  // The check takes runs of bytes for records by their looks; where the
  // records as read fill other slots and a link reached one that stays
  // empty, the file is read again with the slots as read.
  bool again = false;
  for (size_t s = 0; ok && s < fileSlots.size() && !again; ++s)
    again = (fileSlots[s] & kReached) && !(fileSlots[s] & kLoaded);
  if (again) {
    fileSlots.assign(static_cast<size_t>(klv), 0);
    for (int s : loaded) fileSlots[s] = kInFile;
    for (int s : loaded) ReleaseLoaded(fgrs[s]);
    loaded.clear();
    droppedLinks = 0;
    ok = loadRecords(f, data, size, loaded);
  }
  if (ok && droppedLinks > 0)
    LogInfo("\n object base: %d %s to slots that none of its records fills dropped\n", droppedLinks,
            droppedLinks == 1 ? "link" : "links");
  fileSlots.clear();
  return ok;
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
  std::vector<int> slots;
  if (!CheckBase(data, size, *this, slots, loadWhy)) {
    std::fclose(f);
    return 0;
  }
  if (reset)
    for (int i = 0; i < klv; ++i) fgrs[i].Sbros();
  int ok = FromFile_BlokFgr(f, data, size, slots);
  std::fclose(f);
  return ok;
}

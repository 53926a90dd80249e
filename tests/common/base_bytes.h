// Object base files built byte by byte: the new base the game writes (its
// two screen frames), and records added to it.
#pragma once

#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

#include "core/core.h"

namespace basebytes {

struct Out {
  std::vector<uint8_t> b;
  Out& i32(int32_t v) {
    for (int k = 0; k < 4; ++k) b.push_back(static_cast<uint8_t>(static_cast<uint32_t>(v) >> (8 * k)));
    return *this;
  }
  Out& u16(int v) {
    b.push_back(static_cast<uint8_t>(v));
    b.push_back(static_cast<uint8_t>(v >> 8));
    return *this;
  }
  Out& u8(int v) {
    b.push_back(static_cast<uint8_t>(v));
    return *this;
  }
  Out& f32(float f) {
    uint32_t u;
    std::memcpy(&u, &f, 4);
    return i32(static_cast<int32_t>(u));
  }
  Out& tag(const char* four) {
    b.insert(b.end(), four, four + 4);
    return *this;
  }
};

// Trigger links as {slot, kind}.
using Links = std::vector<std::pair<int32_t, int32_t>>;

// `o` followed by a record's head and common record (links, active 1, the
// four bytes with the save category, end marker), without the type's own part.
inline Out Head(Out o, int slot, int type, int category, const Links& links = {}, int32_t linkB = 0) {
  o.tag("FGR>").u16(slot).u16(type).i32(0).i32(linkB).i32(static_cast<int32_t>(links.size()));
  for (const auto& [to, kind] : links) o.i32(to).i32(kind);
  return o.i32(1).u8(category).u8(0).u8(0).u8(0).tag("PRS>");
}

// A screen frame's record as a new base writes it.
inline void Frame(Out& o, int slot, const char* name, float r, float g, float b, const Links& links = {}) {
  o = Head(std::move(o), slot, 4, 0, links);
  o.f32(1.0f).i32(0).i32(static_cast<int32_t>(int4simb(name))).i32(0).i32(0);
  o.f32(0).f32(r).f32(g).f32(b).f32(0);
}

// The whole file: header, the block of `count` records, the first frame.
inline std::vector<uint8_t> Base(int count, const std::vector<uint8_t>& records, int32_t first = 256) {
  Out o;
  o.i32(static_cast<int32_t>(24 + records.size())).i32(0x6BDE3).i32(11500).tag("BLOK").i32(count);
  o.b.insert(o.b.end(), records.begin(), records.end());
  o.i32(first);
  return o.b;
}

// The new base's two frames, with `links` on the first, followed by
// `more` records of the given bytes.
inline std::vector<uint8_t> FramesAnd(int more, const std::vector<uint8_t>& records, const Links& links = {}) {
  Out o;
  Frame(o, 256, "Menu", 0.3f, 0.6f, 0.9f, links);
  Frame(o, 257, "Game", 0.3f, 0.3f, 0.3f);
  o.b.insert(o.b.end(), records.begin(), records.end());
  return Base(2 + more, o.b);
}

inline std::vector<uint8_t> GoldenNewBase() { return FramesAnd(0, {}); }

}  // namespace basebytes

// A coarse grid over the world for one per-frame list: each entry is kept
// under the cell of its position, so that a search near a point looks only at
// the cells around it instead of the whole list. Entries whose position can
// change during the frame without the index being told (loose entries), and
// entries that moved out of their cell, are looked at by every search.
// Fixed storage; nothing allocates.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "core/core.h"
#include "world/satint.h"

template <int Cap>
class t_CellIndex {
 public:
  static constexpr int kSide = 25;          // cells per axis over the 4000-unit world
  static constexpr float kCell = 160.0f;    // world units per cell

  t_CellIndex() { Reset(); }

  void Reset() {
    std::fill(std::begin(head_), std::end(head_), -1);
    looseCount_ = 0;
    maxR_ = 0.0f;
  }

  // Entry idx of the list, at p, reaching r beyond its position.
  void Add(int idx, vec3 p, float r) {
    if (idx < 0 || idx >= Cap) return;
    int c = CellOf(p);
    cell_[idx] = static_cast<int16_t>(c);
    next_[idx] = head_[c];
    head_[c] = idx;
    if (r > maxR_) maxR_ = r;
  }

  void AddLoose(int idx) {
    if (idx < 0 || idx >= Cap) return;
    cell_[idx] = -1;
    loose_[looseCount_++] = idx;
  }

  // An indexed entry now stands at p: when that is another cell it becomes loose.
  void Moved(int idx, vec3 p) {
    if (idx < 0 || idx >= Cap || cell_[idx] < 0) return;
    int c = cell_[idx];
    if (CellOf(p) == c) return;
    for (int* link = &head_[c]; *link >= 0; link = &next_[*link]) {
      if (*link == idx) {
        *link = next_[idx];
        break;
      }
    }
    AddLoose(idx);
  }

  // Calls visit(idx) for every entry that may lie within reach plus its own
  // radius of p (in x and z), until visit returns true.
  template <class Visit>
  void Each(vec3 p, float reach, Visit visit) const {
    float r = reach + maxR_ + 1.0f;
    int x0 = 0, x1 = kSide - 1, z0 = 0, z1 = kSide - 1;
    if (r < 8000.0f) {  // also false for a NaN reach: then every cell
      x0 = Coord(p.x - r);
      x1 = Coord(p.x + r);
      z0 = Coord(p.z - r);
      z1 = Coord(p.z + r);
    }
    for (int z = z0; z <= z1; ++z)
      for (int x = x0; x <= x1; ++x)
        for (int i = head_[z * kSide + x]; i >= 0; i = next_[i])
          if (visit(i)) return;
    for (int k = 0; k < looseCount_; ++k)
      if (visit(loose_[k])) return;
  }

 private:
  static int Coord(float v) { return std::clamp(PosToInt(std::floor(v / kCell)), 0, kSide - 1); }
  static int CellOf(vec3 p) { return Coord(p.z) * kSide + Coord(p.x); }

  int head_[kSide * kSide];
  int next_[Cap];
  int16_t cell_[Cap];
  int loose_[Cap];
  int looseCount_ = 0;
  float maxR_ = 0.0f;
};

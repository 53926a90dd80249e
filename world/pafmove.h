// Path following: the state every ground mover embeds. It asks the A* search
// for a path in the mover's walkability layer, keeps up to 201 cells of it,
// hands out one waypoint at a time (the centre of the next cell), and decides
// each tick whether the mover waits for a blocked cell, shortens its path or
// searches again. The mover does the steering.
#pragma once

#include <cstdint>
#include <cstdio>

#include "core/core.h"

class t_PafMove1 {
 public:
  static constexpr int kCells = 201;
  static constexpr int kRecordSize = 470;  // bytes of AddToFile

  unsigned char kle[kCells][2];  // (x, z) of each path cell; 0 = first after the start
  vec3 wayPoint;                 // the point the mover heads for
  vec3 vec2nd;                   // kept in the record only
  // Eleven words, saved as one run in this order.
  int32_t w0;         // kept in the record only
  int32_t onPath;     // 1 while a path is held, 0 none
  int32_t step;       // index of the next cell to hand out
  int32_t count;      // valid cells, 0..201
  int32_t wait;       // ms left of a wait before a blocked cell (0: not waiting)
  int32_t state;      // 0 moving, 1 waypoint just advanced, 2 re-plan after a wait
  int32_t zanX, zanZ; // remembered blocked cell, -1 none
  int32_t krutPov;    // 2 right after a right-angle turn, then down to 0
  int32_t w9;         // kept in the record only
  int32_t cutTail;    // 1 when the found path was longer than the store

  t_PafMove1();

  void RePath(int force, int startX, int startZ, int targetX, int targetZ, int layer);
  int RootBreak(int startX, int startZ, int targetX, int targetZ, int layer, int waitMs);
  void OnToch();
  void Upd();
  void PathStop();
  void DrawMetk(float r, float g, float b);
  void AddToFile(FILE* f);
  void FromFile(FILE* f);

  int kleOfsOK(int k) const { return k >= 0 && k < kCells && k <= count - 1; }
  void coordFromOfsKle(int k, vec3& v) const;
  int zanOfsKle(int k, int& layer) const;
  void remMoveZanKle(int k);
  int remMoveZanKle_isBlokin(int& layer);
  int KrutPovOnPath(int a, int b, int c) const;
};

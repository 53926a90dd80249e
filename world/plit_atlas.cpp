// The terrain's texture atlas: 7 x 7 cells; a tile's ground type picks a
// region, the region and the variant a cell, and the rotation the way the
// cell's corners meet the tile's.
#include "world/plit.h"

namespace {

// Cell edge in atlas coordinates: 146 of 1024 texels.
constexpr float kCell = static_cast<float>(1024 / 7) / 1024.0f;
constexpr float kInset = 0.009f;

// The fixed cells (column a, row b) of the edge sets, regions 5..8, variants 1..9.
const signed char kEdgeCells[4][9][2] = {
    {{1, 7}, {2, 7}, {1, 6}, {2, 6}, {1, 5}, {2, 5}, {3, 7}, {3, 6}, {3, 5}},
    {{7, 7}, {6, 7}, {7, 6}, {6, 6}, {7, 5}, {6, 5}, {5, 7}, {5, 6}, {5, 5}},
    {{7, 1}, {6, 1}, {7, 2}, {6, 2}, {7, 3}, {6, 3}, {5, 1}, {5, 2}, {5, 3}},
    {{1, 1}, {2, 1}, {1, 2}, {2, 2}, {1, 3}, {2, 3}, {3, 1}, {3, 2}, {3, 3}},
};

// Corner swaps of the edge sets: 1 exchanges 0-3 and 1-2, 2 exchanges 0-1 and
// 2-3, 3 exchanges 0-2 and 1-3.
void SwapCorners(int code, int (&o)[4]) {
  auto sw = [&](int a, int b) {
    int t = o[a];
    o[a] = o[b];
    o[b] = t;
  };
  switch (code) {
    case 1: sw(0, 3); sw(1, 2); break;
    case 2: sw(0, 1); sw(2, 3); break;
    case 3: sw(0, 2); sw(1, 3); break;
    default: break;
  }
}

// The corner order turned by a rotation code: 1 gives (3, 0, 1, 2),
// 2 gives (2, 3, 0, 1), 3 gives (1, 2, 3, 0).
void Turn(int rotation, int (&o)[4]) {
  if (rotation < 1 || rotation > 3) return;
  int t[4];
  for (int k = 0; k < 4; ++k) t[k] = o[(k + 4 - rotation) % 4];
  for (int k = 0; k < 4; ++k) o[k] = t[k];
}

int Half(int a, int b) { return Rand2(0, 1) ? a : b; }

}  // namespace

int t_PlitHold::TexRegFromPlitType(int type) {
  switch (type) {
    case 1: return 1;
    case 2: return Rand2(0, 1) ? 2 : 4;
    case 3: return 5;
    case 4: return 6;
    case 5: return 7;
    case 6: return 6;
    case 7: return 7;
    case 8: return 7;
    default: return 1;
  }
}

void t_PlitHold::TexRegionTiles(int region, int& variant, int& a, int& b, int (&order)[4]) {
  switch (region) {
    case 2:
      a = 4;
      if (variant == 1 || variant == 2) {
        b = variant == 1 ? 7 : 6;
      } else {
        b = Rand2(6, 7);
        variant = b == 7 ? 1 : 2;
      }
      return;
    case 3:
      b = 4;
      if (variant == 1 || variant == 2) {
        a = variant == 1 ? 7 : 6;
      } else {
        a = Rand2(6, 7);
        variant = a == 7 ? 1 : 2;
      }
      return;
    case 4:
      a = 4;
      if (variant < 1 || variant > 4) variant = Rand2(1, 4);
      b = variant;
      return;
    case 5:
    case 6:
    case 7:
    case 8: {
      static const int kPreSwap[4] = {0, 1, 3, 2};
      SwapCorners(kPreSwap[region - 5], order);
      if (variant < 1 || variant > 9) {
        if (variant == 34) {
          variant = Half(3, 4);
        } else if (variant == 59) {
          variant = Half(5, 9);
        } else if (variant == 68) {
          variant = Half(6, 8);
        } else if (region == 8) {
          int ra = Rand2(1, 2), rb = Rand2(1, 2);
          variant = rb == 1 ? ra : ra + 2;
        } else {
          variant = Rand2(1, 2);
        }
      }
      a = kEdgeCells[region - 5][variant - 1][0];
      b = kEdgeCells[region - 5][variant - 1][1];
      if (variant == 6) Turn(3, order);
      return;
    }
    default:  // region 1 and anything unknown
      b = 4;
      if (variant != 1 && variant != 2) variant = Rand2(1, 2);
      a = variant;
      return;
  }
}

void t_PlitHold::SetUVSlo2(int i, int type, int variant, int rotation, int extra) {
  if (type == -1 || YchOut(i)) return;
  int region = TexRegFromPlitType(type);
  int order[4] = {0, 1, 2, 3};
  int a = 1, b = 4;
  TexRegionTiles(region, variant, a, b, order);
  Turn(rotation, order);
  t_Plit1& t = Plit[i];
  t.region = region;
  t.variant = variant;
  t.rotation = rotation;
  t.extra = extra;
  float s0 = (a - 1) * kCell, t0 = (b - 1) * kCell;
  vec2* uv = &UV2[4 * i];
  uv[order[0]] = vec2(s0 + kInset, t0 + kCell - kInset);
  uv[order[1]] = vec2(s0 + kInset, t0 + kInset);
  uv[order[2]] = vec2(s0 + kCell - kInset, t0 + kInset);
  uv[order[3]] = vec2(s0 + kCell - kInset, t0 + kCell - kInset);
  DirtyUV2 = 1;
}

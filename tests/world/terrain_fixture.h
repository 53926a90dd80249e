// Shared set-up of the terrain tests: the global terrain laid flat on its grid
// with default tiles and white corners, empty walkability grids, and checks
// over all stored copies of the world corners.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "tests/common/temp_dir.h"
#include "ui/ui.h"
#include "world/world.h"

inline void ResetTerrain() {
  walkabil_Init();
  for (int i = 0; i < kPlitTiles; ++i) {
    PlitHold.Plit[i].Sbros();
    PlitHold.SetUVSlo2(i, 1, 1, 0, 0);
  }
  for (auto& c : PlitHold.Clr) c[0] = c[1] = c[2] = c[3] = 255;
  PlitHold.PlitXZ_Init();
  for (int i = 0; i < kPlitTiles; ++i) PlitHold.FindPlatoStatus(i);
  PlitHold.DirtyVrt = PlitHold.DirtyUV2 = PlitHold.DirtyClr = 0;
}

// Number of stored corners whose height differs from the first stored copy
// of the same world corner.
inline int CornerCopyMismatches(const t_PlitHold& t) {
  static float seen[kPlitSide + 1][kPlitSide + 1];
  static bool has[kPlitSide + 1][kPlitSide + 1];
  std::memset(has, 0, sizeof has);
  static const int kDx[4] = {0, 0, 1, 1}, kDz[4] = {0, 1, 1, 0};
  int bad = 0;
  for (int i = 0; i < kPlitTiles; ++i) {
    int c = i % kPlitSide, r = i / kPlitSide;
    for (int k = 0; k < 4; ++k) {
      int cx = c + kDx[k], cz = r + kDz[k];
      float y = t.Vrt[4 * i + k].y;
      if (!has[cx][cz]) {
        has[cx][cz] = true;
        seen[cx][cz] = y;
      } else if (seen[cx][cz] != y) {
        ++bad;
      }
    }
  }
  return bad;
}

// The corners sit on the 20-unit grid.
inline bool CornersOnGrid(const t_PlitHold& t) {
  static const int kDx[4] = {0, 0, 1, 1}, kDz[4] = {0, 1, 1, 0};
  for (int i = 0; i < kPlitTiles; ++i) {
    int c = i % kPlitSide, r = i / kPlitSide;
    for (int k = 0; k < 4; ++k) {
      const vec3& v = t.Vrt[4 * i + k];
      if (v.x != (c + kDx[k]) * 20.0f || v.z != (r + kDz[k]) * 20.0f) return false;
    }
  }
  return true;
}

// A checksum of everything a terrain load may change.
inline uint64_t TerrainHash(const t_PlitHold& t) {
  uint64_t h = 1469598103934665603ull;
  auto mix = [&](const void* p, size_t n) {
    const uint8_t* b = static_cast<const uint8_t*>(p);
    for (size_t k = 0; k < n; ++k) h = (h ^ b[k]) * 1099511628211ull;
  };
  mix(t.Vrt, sizeof t.Vrt);
  mix(t.UV2, sizeof t.UV2);
  mix(t.Clr, sizeof t.Clr);
  for (const t_Plit1& p : t.Plit) {
    int32_t f[6] = {p.type, p.region, p.variant, p.rotation, p.extra, p.plato};
    mix(f, sizeof f);
    mix(&p.minY, 4);
    mix(&p.maxY, 4);
    mix(&p.hmByte, 1);
  }
  mix(walkability, sizeof walkability);
  mix(walkability3, sizeof walkability3);
  mix(walkability5, sizeof walkability5);
  return h;
}

class TerrainTest : public ::testing::Test {
 protected:
  void SetUp() override {
    org2_Init();
    orgF_Init();
    ResetTerrain();
  }
};

// A fresh folder made current for each test, removed afterwards.
class TerrainFileTest : public TerrainTest {
 protected:
  void SetUp() override {
    TerrainTest::SetUp();
    ASSERT_TRUE(tmp_.Ok());
  }
  TempDir tmp_;
  const std::string dir_ = tmp_.dir();
};

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

inline void WriteBytes(const std::string& path, const std::vector<uint8_t>& b) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
}

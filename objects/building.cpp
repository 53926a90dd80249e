#include "objects/building.h"

#include <algorithm>

#include "objects/modesglue.h"
#include "objects/sceneobj.h"
#include "objects/soundglue.h"
#include "objects/modesglue.h"
#include "objects/unithelp.h"
#include "objects/unitlists.h"
#include "render/render.h"
#include "shell/shell.h"
#include "ui/ui.h"
#include "world/world.h"

namespace {
// The range ring: colour, alpha, lift above the ground, wire width.
constexpr int kRingR = 190, kRingG = 190, kRingB = 100, kRingA = 95;
constexpr float kRingLift = 2.0f;
constexpr int kRingQueue = 4;
// Registrations of the buildings are in the ground layer.
constexpr int kRegLayer = 0;
// The ground light's picture and opacity.
constexpr int kGroundLightKind = 4;
constexpr float kGroundLightAlpha = 0.5f;
constexpr int kGroundLightMax = 400;
// Sound group of the buildings' sounds.
constexpr int kSoundGroup = 0;
}  // namespace

void Bld_SeenAndDot(int side, vec3 pos, int sight, int32_t& seen, int dotKind) {
  if (side == PlayerBanerID) {
    seen = 1;
  } else {
    int s = 0;
    PlayerUnitsOkrug_Try(pos, static_cast<float>(sight), s);
    seen = s;
  }
  if (seen) KlientMiniMapFgr_Add(pos, static_cast<unsigned>(side), static_cast<unsigned>(dotKind));
}

int Bld_OutOfView(vec3 pos) { return InFrontOfSoloFotik(pos.x, pos.z) ? 0 : -1; }

bool Bld_RangeShown(Fgr4* owner, int selected) {
  if (PlayerFgrUnderKur) return PlayerFgrUnderKur == owner;
  return selected && PlayerSelected_OnlyOne();
}

void Bld_RangeRing(vec3 pos, vec3* ring, vec3* out) {
  AddUnitRadWireChain(pos, ring, 40, kRingR, kRingG, kRingB, kRingA, kRingLift, kRingQueue, out);
}

void Bld_SoundWhileSelected(Fgr4* owner, int selected, int32_t channel, vec3 pos, int index, float gain) {
  const bool held = channel >= 0 && channel <= ZSrcMainKot_Last;
  if (!selected) {
    if (held) ZSrcMainKot_Dst[channel] = kSoundFar;
  } else if (!held) {
    ZSrcMainKot_Zakaz(owner, pos, kSoundGroup, index, 1, gain, 1.0f);
  }
}

void Bld_TilesReg(int32_t* pair, int32_t* tile, vec3 pos, float d) {
  Bld_TilesDeReg(pair, tile);
  const vec3 at[4] = {pos + vec3(-d, 0, -d), pos + vec3(d, 0, -d), pos + vec3(-d, 0, d), pos + vec3(d, 0, d)};
  for (int k = 0; k < 4; ++k) LandsRootFrCoord(pair[k], tile[k], at[k], kRegLayer);
}

void Bld_TilesDeReg(int32_t* pair, int32_t* tile) {
  for (int k = 0; k < 4; ++k) PlitHold_DeReg(pair[k], tile[k], kRegLayer);
}

void Bld_TilesForget(int32_t* pair, int32_t* tile) {
  for (int k = 0; k < 4; ++k) {
    pair[k] = 0;
    tile[k] = -1;
  }
}

void Bld_HolderSelfUpdate(int mode, int flag, int side, vec3 pos, int ringRadius, float groundLight,
                          int32_t* pair, int32_t* tile, float d) {
  if (ServPlusGame(mode)) Bld_TilesReg(pair, tile, pos, d);
  if (side == PlayerBanerID) PlayerUnitsOkrug_Add(pos, static_cast<float>(ringRadius));
  if (flag) Bld_GroundLight(pos, groundLight, side);
}

void Bld_LightColours(t_Svet* s, vec3 ambient, vec3 diffuse, vec3 specular) {
  if (!s) return;
  s->ambient = vec4(ambient.x, ambient.y, ambient.z, 1.0f);
  s->diffuse = vec4(diffuse.x, diffuse.y, diffuse.z, 1.0f);
  s->specular = vec4(specular.x, specular.y, specular.z, 1.0f);
}

bool Bld_HolderDrawn(int side, int seen) { return *o2::TestFgrDrawDom && (side == PlayerBanerID || seen); }

void Bld_GroundLight(vec3 pos, float radius, int side) {
  float r, g, b;
  RGB_ColorFlag(side, r, g, b);
  // Radii beyond the light map's reach are drawn at its reach.
  const int radiusInt = static_cast<int>(std::clamp(radius, 0.0f, static_cast<float>(kGroundLightMax)));
  Add_LandSvetikPro(pos, radiusInt, kGroundLightKind, r, g, b, kGroundLightAlpha);
}

void Bld_FlagBox(vec3 c, vec3 half, int side, int k2) {
  float r, g, b;
  RGB_ColorFlag(side, r, g, b);
  RenderM.box.Add(c.x, c.y, c.z, half.x, half.y, half.z, r, g, b, 0, -1, k2, -1, 0);
}

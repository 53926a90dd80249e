// What the three building types share: the seen test and minimap dot of an
// update, the visibility word out of view, the range display, the looping
// sound while selected, the four terrain registrations, the ground light
// and the flag-coloured marker boxes.
#pragma once

#include <cstdint>
#include <cstdio>

#include "core/core.h"
#include "objects/dom.h"
#include "objects/frame.h"
#include "objects/record.h"
#include "objects/sceneobj.h"
#include "render/geometry.h"
#include "render/lights.h"

class Fgr4;
class t_MBase1;

// Minimap dot kinds: plain building and bunker, energy building.
constexpr int kDomDotKind = 7, kEnerDotKind = 8;

// The seen flag of an update (the local side's own buildings are always
// seen, others when they reach into a sight circle) and, when seen, the
// minimap dot.
void Bld_SeenAndDot(int side, vec3 pos, int sight, int32_t& seen, int dotKind);

// The visibility word of a building out of the view frustum: 0 in front of
// the solo camera, else -1.
int Bld_OutOfView(vec3 pos);

// Whether the range display shows: the building is under the pointer, or
// nothing is and it is the only selected object.
bool Bld_RangeShown(Fgr4* owner, int selected);
// The range ring on the ground (its points to `out` when given).
void Bld_RangeRing(vec3 pos, vec3* ring, vec3* out);

// The looping sound while selected, at a fixed pitch: a held channel is
// marked far once not selected; a selected building without one asks for it.
void Bld_SoundWhileSelected(Fgr4* owner, int selected, int32_t channel, vec3 pos, int index, float gain);

// The four tiles under pos + (+-d, +-d) registered in the ground layer
// afresh; and released.
void Bld_TilesReg(int32_t* pair, int32_t* tile, vec3 pos, float d);
void Bld_TilesDeReg(int32_t* pair, int32_t* tile);
// Loaded registrations name tiles of another run: none is held.
void Bld_TilesForget(int32_t* pair, int32_t* tile);

// The ground light of a building in its side's colour.
void Bld_GroundLight(vec3 pos, float radius, int side);

// A box in the side's colour into the box queue.
void Bld_FlagBox(vec3 c, vec3 half, int side, int k2);

// The part of a tile-holding building's self update that bunkers and energy
// buildings share: its tiles on a server or alone, its own side's sight
// circle of the ring radius, and with `flag` its ground light.
void Bld_HolderSelfUpdate(int mode, int flag, int side, vec3 pos, int ringRadius, float groundLight,
                          int32_t* pair, int32_t* tile, float d);
// The colours of a building's own light of the frame (null: refused).
void Bld_LightColours(t_Svet* s, vec3 ambient, vec3 diffuse, vec3 specular);
// Whether a bunker or energy building draws: with the setting on, for the
// local side or when seen.
bool Bld_HolderDrawn(int side, int seen);

// The extra update of a bunker or energy building: its angle turns by
// perMs a millisecond, its sound while selected, the lights around it.
template <class T>
void Bld_HolderUpdEx(T& b, float& angle, float perMs, float gain) {
  zn::Addw(angle, zn::FrT(perMs), 0.0f, 360.0f);
  Bld_SoundWhileSelected(b.owner, b.selected, b.soundChannel, b.mb.Pos(), b.soundIndex, gain);
  ObjLightsRefill(b.lights, b.mb.Pos(), b.mb.Hf());
}

// The events every building answers alike; `own` answers what only its type
// does (1 when it answered the code).
template <class T, class Own>
void Bld_OnEvent(T& body, T*& current, int code, void* a, void* b, void* c, Own own) {
  ObjFrame_Dispatch(body, current, T::kType, code, a, b, c, [&] {
    switch (code) {
      case EV_UPD_SELF: body.UpdSelf(ObjArgInt(a), ObjArgInt(b)); return 1;
      case EV_UPD: body.Upd(ObjArgInt(a), ObjArgInt(b)); return 1;
      case EV_DRAW: body.Draw(); return 1;
      case EV_RENDER: body.OnRender(ObjArgPass(a)); return 1;
      case EV_RENDER_SPR: body.OnRender_Spr(ObjArgPass(a)); return 1;
      case EV_DRAW_SELECT: body.DrawForSelect(); return 1;
      case EV_CREATE: body.IFC_x(ObjArgInt(a)); return 1;
      default:
        if (own()) return 1;
        return ObjPlacedSoundEvent(code, a, b, c, body.mb.Pos(), body.visible, body.soundPriority,
                                   body.soundChannel);
    }
  });
}

// Deactivation and removal of a building that holds terrain tiles: the
// tiles are given back first.
template <class T>
int Bld_TilesEvent(T& body, int code) {
  if (code != EV_DEACT && code != EV_KILL) return 0;
  body.xDeReg();
  if (code == EV_DEACT) body.owner->active = 0;
  else body.owner = nullptr;
  return 1;
}

// A building's record read whole, and what the record does not carry made
// afresh: the lights around it, its range ring; a channel or tiles named by
// the record are not this run's, so it holds none.
template <class T>
int Bld_FromFile(T& body, FILE* f, const char* name) {
  if (!ObjRecord_Load(body, f, name)) return 0;
  if constexpr (requires { body.regTile; }) Bld_TilesForget(body.regPair, body.regTile);
  body.lights = t_SveOkruj();
  body.lights.mode = 1;
  Crt_CircleGoriz(body.ring, kDomRing, static_cast<float>(body.ringRadius), 1);
  return 1;
}

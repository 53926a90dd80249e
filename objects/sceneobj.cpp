#include "objects/sceneobj.h"

#include "objects/modesglue.h"
#include "objects/soundglue.h"
#include "objects/unithelp.h"
#include "objects/unitlists.h"
#include "render/render.h"
#include "world/world.h"

namespace {
// The selection marker: 6 above the position, half-sizes (0.5, 2, 0.5).
constexpr float kMarkerLift = 6.0f;
const vec3 kMarkerHalf(0.5f, 2.0f, 0.5f);
// Sound of a selected object: group 0, looping, at this gain.
constexpr int kSoundGroup = 0;
constexpr float kSoundGain = 0.6f;
}  // namespace

bool ObjBoxInView(const t_MBase1& mb) { return Fru1.Gbr_InFrustum(mb.cGbr(7), mb.cGbr(1)) != 0; }

void ObjSideColour(int side, float& r, float& g, float& b) {
  if (side == PlayerBanerID) {
    r = 0.0f, g = 0.5f, b = 1.0f;
  } else {
    r = 1.0f, g = 0.0f, b = 0.5f;
  }
}

void ObjSelMarker(vec3 pos, float r, float g, float b) {
  RenderM.box.Add(pos.x, pos.y + kMarkerLift, pos.z, kMarkerHalf.x, kMarkerHalf.y, kMarkerHalf.z, r, g, b, 0, -1,
                  -1, -1, 0);
}

void ObjBoxFrame(const t_MBase1& mb, uint8_t r, uint8_t g, uint8_t b, uint8_t a) {
  RenderM.line[0].AddBoxRam(mb.Pos(), mb.Hf(), r, g, b, a);
}

void ObjEditorFrame(const t_MBase1& mb, float r) {
  if (AktivIPPI_ResidentOfEditor() && Near2DToGlobKam(mb, r)) ObjBoxFrame(mb, 255, 0, 0, 255);
}

int ObjDrawMarked(Fgr4* owner, const t_MBase1& mb, int selected, vec3 colour, int withSprite, float frameNear) {
  if (!ObjBoxInView(mb)) return 0;
  if (selected) {
    ObjSelMarker(mb.Pos(), colour.x, colour.y, colour.z);
    if (withSprite) RenderM.quads[0].Add(owner, 1, 1, 0, kSprPicture, -1, -1);
  }
  ObjEditorFrame(mb, frameNear);
  return 1;
}

void ObjAnswerPos(vec3 p, void* a, void* b, void* c) {
  if (a) *static_cast<float*>(a) = p.x;
  if (b) *static_cast<float*>(b) = p.y;
  if (c) *static_cast<float*>(c) = p.z;
}

void ObjAnswerInt(int v, void* a) {
  if (a) *static_cast<int*>(a) = v;
}

void ObjDrawForSelect(const t_MBase1& mb, vec3 c, vec3 h) {
  glPushMatrix();
  mb.MxTraRotOGL();
  d3::Kub(c.x, c.y, c.z, h.x, h.y, h.z);
  glPopMatrix();
}

void ObjSprite(vec3 pos, int column, int row, float size) {
  if (MSprNextQuad_Non()) return;
  MSpr_qTC(w0qt, column, kSprAtlas, row, kSprAtlas);
  MSpr_qV(w0qv, pos, size, 0);
  MSpr_SetQuad(w0qv, nullptr, w0qt, nullptr);
}

void ObjLightsRefill(t_SveOkruj& set, vec3 centre, vec3 half) {
  if (set.mode != 1) return;
  for (t_Svet*& l : set.lights) l = nullptr;
  set.centre = centre;
  set.Fill(half, 1);
}

float ObjPitchZvu(const t_MBase1& mb) {
  const float s = mb.Skor() * 20.0f;
  return Rand2F(s + 0.5f, s + 0.55f, 5);
}

void ObjSoundWhileSelected(Fgr4* owner, int selected, int32_t channel, const t_MBase1& mb, int index) {
  const bool held = channel >= 0 && channel <= ZSrcMainKot_Last;
  if (!selected) {
    if (held) ZSrcMainKot_Dst[channel] = kSoundFar;
  } else if (held) {
    ZSrc_Pitch(ZSrcMainKot[channel], ObjPitchZvu(mb));
  } else {
    ZSrcMainKot_Zakaz(owner, mb.Pos(), kSoundGroup, index, 1, kSoundGain, ObjPitchZvu(mb));
  }
}

int ObjPlacedEvent(int code, void* a, void* b, void* c, vec3 pos, int32_t visible) {
  if (code == EV_POSITION) ObjAnswerPos(pos, a, b, c);
  else if (code == 42) ObjAnswerInt(visible, a);
  else return 0;
  return 1;
}

int ObjSoundEvent(int code, void* a, vec3 pos, int32_t priority, int32_t& channel) {
  switch (code) {
    case EV_SOUND_PRIORITY: ObjAnswerInt(priority, a); return 1;
    case EV_SOUND_CHANNEL:
      if (a) channel = *static_cast<int*>(a);
      return 1;
    case EV_SOUND_POSITION:
      if (a) {
        const int ch = *static_cast<int*>(a);
        if (ch >= 0 && ch <= ZSrcMainKot_Last) ZSrc_PosV(ZSrcMainKot[ch], pos);
      }
      return 1;
    default: return 0;
  }
}

int ObjPlacedSoundEvent(int code, void* a, void* b, void* c, vec3 pos, int32_t visible, int32_t priority,
                        int32_t& channel) {
  return ObjPlacedEvent(code, a, b, c, pos, visible) || ObjSoundEvent(code, a, pos, priority, channel);
}

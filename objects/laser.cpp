#include "objects/laser.h"

#include "objects/frame.h"
#include "objects/modesglue.h"
#include "objects/record.h"
#include "objects/sceneobj.h"
#include "objects/unithelp.h"
#include "objects/unitlists.h"
#include "render/render.h"
#include "world/world.h"

tw_Laser* pTekLaser = nullptr;

namespace {
constexpr int kType = 15;
constexpr int kFullBright = 255;
constexpr float kImpactSize = 6.0f;
// Brightness to alpha (about 1 / 255).
constexpr float kAlphaPerStep = 0.0039f;
}  // namespace

void tw_Laser::Sbros() {
  owner = nullptr;
  link = nullptr;
  endPoint = vec3(0, 0, 0);
  for (int32_t* p = &int5; p <= &int18; ++p) *p = 0;
  float19 = float20 = beamWidth = float22 = 0.0f;
  soundChannel = -1;
  mb.Sbros();
}

void tw_Laser::IFC_x() {
  link = nullptr;
  endPoint = vec3(0, 0, 0);
  soundPriority = 1;
  soundChannel = -1;
  selected = 0;
  brightness = kFullBright;
  fadeStep = 5;
  fadePeriod = 30;
  fadeCountdown = fadePeriod;
  fading = 1;
  impactColumn = Rand2(2, 3);
  impactRow = Rand2(2, 4);
  float20 = 1.0f;
  beamWidth = 0.75f;
  mb.Sbros();
}

void tw_Laser::Upd() {
  if (fading <= 0) return;
  if (brightness < 1) {
    owner->Kill(1);
    return;
  }
  if (zn::ToZeroi(fadeCountdown)) {
    fadeCountdown = fadePeriod;
    brightness = brightness > fadeStep ? brightness - fadeStep : 0;
  }
}

void tw_Laser::Draw() {
  visible = 1;
  RenderM.quads[1].Add(owner, 1, 1, 0, kSprPicture, -1, -1);
  if (selected) {
    float r, g, b;
    RGB_ColorFlag(colourFlag, r, g, b);
    ObjSelMarker(mb.Pos(), r, g, b);
  }
  ObjEditorFrame(mb, 120.0f);
}

void tw_Laser::OnRender_Spr(int pass) {
  if (MSprNextQuad_Non()) return;
  ObjSprite(endPoint, impactColumn, impactRow, kImpactSize);
  const float a = brightness * kAlphaPerStep;
  set16flo(w0qc, 0.9f, 0.1f, 0.9f, a, 0.9f, 0.1f, 0.9f, a, 1.0f, 0.7f, 0.2f, 0.9f, 1.0f, 0.2f, 0.2f, 0.9f);
  MSpr_qTC(w0qt, 1, kSprAtlas, 1, kSprAtlas);
  for (int plane = 0; plane < 2; ++plane) {
    MSpr_qVRay2(w0qv, mb.Pos(), endPoint, beamWidth, plane);
    MSpr_SetQuad(w0qv, w0qc, w0qt, nullptr);
  }
}

OBJ_RECORD_RUN(tw_Laser, int5, int18, 14);
OBJ_RECORD_RUN(tw_Laser, float19, float22, 4);

template <class IO>
void tw_Laser::Record(IO& io) {
  io.Link(link);
  io.Vec(endPoint);
  io.Ints(&int5, &int18);
  io.Flos(&float19, &float22);
  io.Place(mb);
  // The fade only ever darkens the beam.
  io.Check(brightness >= 0 && brightness <= kFullBright && fadeStep >= 0);
  io.Check(ObjAtlasCell(impactColumn, impactRow));
}

int tw_Laser::AddToFile(FILE* f) { return ObjRecord_Save(*this, f); }

int tw_Laser::FromFile(FILE* f) { return ObjRecord_Load(*this, f, "laser"); }

void tw_Laser::OnEvent(int code, void* a, void* b, void* c, void* d) {
  ObjFrame_Dispatch(*this, pTekLaser, kType, code, a, b, c, [&] {
    switch (code) {
      case EV_UPD_SELF: selected = PlayerSelected_AnIn(owner); return 1;
      case EV_UPD: Upd(); return 1;
      case EV_DRAW: Draw(); return 1;
      case EV_RENDER: return 1;  // nothing to draw
      case EV_RENDER_SPR: OnRender_Spr(ObjArgPass(a)); return 1;
      case EV_DRAW_SELECT: ObjDrawForSelect(mb, vec3(0, 1, 0), vec3(1, 0.5f, 2)); return 1;
      case EV_CREATE: IFC_x(); return 1;
      default: return ObjPlacedSoundEvent(code, a, b, c, mb.Pos(), visible, soundPriority, soundChannel);
    }
  });
}

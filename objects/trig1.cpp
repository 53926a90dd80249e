#include "objects/trig1.h"

#include "objects/frame.h"
#include "objects/modesglue.h"
#include "objects/record.h"
#include "objects/scr_frm.h"
#include "objects/sceneobj.h"
#include "objects/soundglue.h"
#include "render/render.h"
#include "world/world.h"

tw_Trig1* pTekTrig1 = nullptr;

namespace {
constexpr int kType = 10;
// The upright sprite: atlas cell (1, 2), 3 high, 0.8 to each side.
constexpr int kColumn = 1, kRow = 2;
constexpr float kHeight = 3.0f, kHalfWidth = 0.8f;
// The trigger's sound: group 0, sound 3, once, at this gain and pitch.
constexpr int kSoundGroup = 0, kSoundIndex = 3;
constexpr float kSoundGain = 0.6f, kSoundPitch = 1.0f;
}  // namespace

void tw_Trig1::Sbros() {
  owner = nullptr;
  angle = 0.0f;
  int2 = soundPriority = int5 = visible = soundSwitch = int8 = int9 = 0;
  soundChannel = -1;
  soundGiven = 0;
  mb.Sbros();
}

void tw_Trig1::IFC_x() {
  int5 = 0;
  soundPriority = 1;
  soundChannel = -1;
  soundGiven = 0;
  angle = 1.0f;
  mb.Sbros();
}

void tw_Trig1::Upd(int mode, int ex) {
  if (ex) UpdEx();
}

void tw_Trig1::UpdEx() {
  ObjTurnAngle(angle);
  if (!soundSwitch) {
    if (soundChannel >= 0 && soundChannel <= ZSrcMainKot_Last) ZSrcMainKot_Dst[soundChannel] = kSoundFar;
    soundGiven = 0;
  } else if (soundChannel == -1 && !soundGiven) {
    // The sound does not loop: its channel is given back when it ends, and
    // it is not asked for again until the switch has been off. A refused
    // request is repeated at the next update.
    soundGiven = ZSrcMainKot_Zakaz(owner, mb.Pos(), kSoundGroup, kSoundIndex, 0, kSoundGain, kSoundPitch);
  }
}

void tw_Trig1::Draw() {
  if (!AktivIPPI_ResidentOfEditor()) return;
  RenderM.quads[1].Add(owner, 1, 1, 0, kSprPicture, -1, -1);
  ObjEditorFrame(mb, 80.0f);
}

void tw_Trig1::OnRender() {
  glPushMatrix();
  mb.MxTraRotOGL();
  glPopMatrix();
}

void tw_Trig1::OnRender_Spr(int pass) {
  if (MSprNextQuad_Non()) return;
  MSpr_qTC(w0qt, kColumn, kSprAtlas, kRow, kSprAtlas);
  MSpr_qVKust(w0qv, mb.Pos(), kHeight, kHalfWidth);
  MSpr_SetQuad(w0qv, nullptr, w0qt, nullptr);
}

void tw_Trig1::DrawForSelect() { ObjDrawForSelect(mb, vec3(0, 0, 0), vec3(1, 1, 1)); }

OBJ_RECORD_RUN(tw_Trig1, int2, int9, 8);

template <class IO>
void tw_Trig1::Record(IO& io) {
  io.Flo(angle);
  io.Ints(&int2, &int9);
  io.Place(mb);
  io.Check(angle >= 0.0f && angle <= 360.0f);
}

int tw_Trig1::AddToFile(FILE* f) { return ObjRecord_Save(*this, f); }

int tw_Trig1::FromFile(FILE* f) { return ObjRecord_Load(*this, f, "trigger"); }

void tw_Trig1::OnEvent(int code, void* a, void* b, void* c, void* d) {
  ObjFrame_Dispatch(*this, pTekTrig1, kType, code, a, b, c, [&] {
    switch (code) {
      case EV_UPD_SELF: return 1;  // nothing to do
      case EV_UPD: Upd(ObjArgInt(a), ObjArgInt(b)); return 1;
      case EV_DRAW: Draw(); return 1;
      case EV_RENDER: OnRender(); return 1;
      case EV_RENDER_SPR: OnRender_Spr(ObjArgPass(a)); return 1;
      case EV_DRAW_SELECT: DrawForSelect(); return 1;
      case EV_CREATE: IFC_x(); return 1;
      case EV_SOUND_POSITION: return 0;  // the trigger's source is placed once
      default: return ObjPlacedSoundEvent(code, a, b, c, mb.Pos(), visible, soundPriority, soundChannel);
    }
  });
}

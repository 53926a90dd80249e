#include "objects/flr2.h"

#include <climits>

#include "objects/fotik.h"
#include "objects/frame.h"
#include "objects/modesglue.h"
#include "objects/record.h"
#include "objects/sceneobj.h"
#include "objects/unithelp.h"
#include "objects/unitlists.h"
#include "render/render.h"
#include "shell/shell.h"
#include "ui/ui.h"
#include "world/world.h"

tw_Flr2* pTekFlr2 = nullptr;
tw_Flr2* pSunFlr2 = nullptr;

namespace {

constexpr int kType = 7;
// Brightness below which a fading flare is no longer drawn.
constexpr float kFadedOut = 0.05f;
// The ground light of a shining flare.
constexpr int kGroundRadius = 7, kGroundKind = 4;

const float kRingSizes[tw_Flr2::kRings] = {0.045f, 0.0315f, 0.0125f, 0.014f, 0.05f, 0.08f};
const float kRingDivs[3] = {2.0f, 1.5f, 1.1f};
const float kRingFactors[3] = {1.2f, 1.4f, 1.85f};
const float kMainColour[4] = {1.0f, 1.0f, 1.0f, 0.9f};
const float kRingColours[tw_Flr2::kRings][4] = {{0.9f, 0.7f, 0.7f, 0.3f},  {0.6f, 0.7f, 0.9f, 0.5f},
                                                {0.7f, 0.9f, 0.7f, 0.35f}, {0.8f, 0.8f, 0.8f, 0.6f},
                                                {0.8f, 0.8f, 0.8f, 0.4f},  {0.8f, 0.7f, 0.7f, 0.2f}};

// The depth the scene drawn so far holds at a window pixel.
float DepthAt(int x, int y) {
  float z = 1.0f;
  glReadPixels(x, y, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &z);
  return z;
}

// One glow sprite: centre, half size, colour with alpha times brightness,
// atlas cell.
void Glow(float x, float y, float half, const float* rgba, float brightness, const int32_t* cell) {
  MSpr_q2DVS(w0qv, x, y, half);
  MSpr_qClr(w0qc, rgba[0], rgba[1], rgba[2], rgba[3] * brightness);
  MSpr_qTC(w0qt, cell[0], kSprAtlas, cell[1], kSprAtlas);
  MSpr_SetQuad(w0qv, w0qc, w0qt, nullptr);
}

}  // namespace

void tw_Flr2::Sbros() {
  owner = nullptr;
  // The two runs of the record, cleared whole.
  for (int32_t* p = &int1; p <= &int50; ++p) *p = 0;
  for (float* p = &float51; p <= &float97; ++p) *p = 0.0f;
  soundChannel = -1;
  mb.Sbros();
}

void tw_Flr2::IFC_x() {
  soundPriority = 1;
  soundChannel = -1;
  editorMark = 0;
  int6 = 1;
  shining = 1;
  scrX = scrY = -10;
  mainCell[0] = Rand2(1, 3);
  mainCell[1] = Rand2(2, 3);
  for (int32_t(&c)[4] : ringCell) {
    c[0] = Rand2(1, 4);
    c[1] = 1;
  }
  int38 = 0;
  blinkCount = blinkReload = -1;
  ringCount = kRings;
  onBase = 9000;
  onSpread = 1000;
  onTime = onBase + Rand2(0, onSpread);
  elapsed = 0;
  offTime = 2500;
  offCountdown = 0;
  skipDraw = 0;
  float52 = 0.25f;
  brightness = 0.2f;
  range = 80.0f;
  distance = 0.5f;
  mainSize = 0.2f;
  for (int i = 0; i < kRings; ++i) {
    ringSize[i] = kRingSizes[i];
    for (int k = 0; k < 4; ++k) ringColour[i][k] = kRingColours[i][k];
  }
  for (int i = 0; i < 3; ++i) ringDiv[i] = kRingDivs[i], ringFactor[i] = kRingFactors[i];
  for (int k = 0; k < 4; ++k) mainColour[k] = kMainColour[k];
  mb.Sbros();
  mb.setGbr(2, 2, 2);
  mb.hiYSet(999.0f);
  mb.lowYSet(-300.0f);
}

void tw_Flr2::UpdSelf(int mode) {
  if (!AktivIPPI_ResidentOfEditor()) editorMark = 0;
  else if (PlayerSelected_AnIn(owner)) editorMark = 1;
  if (shining > 0 && offCountdown == 0) {
    Rise();
    Add_LandSvetikPro(mb.Pos(), kGroundRadius, kGroundKind, 0.8f, 0.7f, 0.0f, 0.5f);
    FlareAura_TryOff();
  }
  if (shining > 0 && offCountdown != 0) zn::ToZero(offCountdown);
}

int tw_Flr2::FlareAura_TryOff() {
  elapsed = elapsed > INT32_MAX - GFrameTime ? INT32_MAX : elapsed + GFrameTime;
  if (elapsed <= onTime) return 0;
  if (blinkCount != -1) {
    if (blinkCount < 1) {
      shining = 0;
      elapsed = 0;
      offCountdown = 0;
      blinkCount = blinkReload;
      return 1;
    }
    --blinkCount;
  }
  elapsed = 0;
  offCountdown = offTime;
  return 1;
}

void tw_Flr2::TryAdd() { RenderM.quads[3].Add(owner, 1, 1, 0, kSprPicture, -1, -1); }

void tw_Flr2::Rise() {
  if (shining > 0 && offCountdown == 0 && brightness < 0.99f) zn::Climb2(brightness, zn::FrT(0.005f), 1.0f, 0.01f);
}

void tw_Flr2::Fade1() {
  if (brightness < kFadedOut) return;
  zn::Climb2(brightness, zn::FrT(0.007f), 0.0f, kFadedOut);
  TryAdd();
}

bool tw_Flr2::Fade2Done() {
  zn::Climb2(brightness, zn::FrT(0.01f), 0.0f, kFadedOut);
  return brightness < kFadedOut;
}

void tw_Flr2::Draw() {
  if (skipDraw) {
    skipDraw = 0;
    return;
  }
  if (!*o2::TestFgrDrawFlare) return;
  if (AktivIPPI_ResidentOfEditor() && pSoloFotik && mb.PosNear2D(pSoloFotik->mb.Pos(), 80.0f))
    ObjBoxFrame(mb, 235, 0, 80, 255);
  if (shining > 0 && offCountdown == 0) TryAdd();
  else Fade1();
}

bool tw_Flr2::SrcInRange() {
  t_VPortKam* cam = glob_nowVPKam;
  if (!cam) return false;
  const vec3 p = mb.Pos();
  distance = Distan1V(p, cam->Pos());
  if (distance > range) return false;
  if (!Fru1.PointInFrustum(p.x, p.y, p.z)) return false;
  GLint viewport[4] = {cam->vpX, cam->vpY, cam->vpW, cam->vpH};
  double wx = 0, wy = 0, wz = 0;
  if (!gluProject(p.x, p.y, p.z, cam->modelview, cam->projection, viewport, &wx, &wy, &wz)) return false;
  const bool inX = wx > -1.0 && wx < Ekran.W, inY = wy > -1.0 && wy < Ekran.H;
  if (inX) scrX = static_cast<int32_t>(wx);
  if (inY) scrY = static_cast<int32_t>(wy);
  // A pixel off the window has no depth to compare with.
  if (!inX || !inY || wx < 0.0 || wy < 0.0) return false;
  return wz <= DepthAt(static_cast<int>(wx), static_cast<int>(wy));
}

void tw_Flr2::ZakazBlok() {
  const float x = static_cast<float>(scrX), y = static_cast<float>(scrY);
  const float w = Ekran.W, dx = Ekran.W2 - x, dy = Ekran.H2 - y;
  Glow(x, y, w * mainSize, mainColour, brightness, mainCell);
  const int rings = ringCount < kRings ? ringCount : kRings;
  for (int i = 0; i < rings; ++i) {
    const float k = i < 3 ? 1.0f / ringDiv[i] : ringFactor[i - 3];
    Glow(x + dx * k, y + dy * k, w * ringSize[i], ringColour[i], brightness, ringCell[i]);
  }
}

void tw_Flr2::OnRender_Spr(int pass) {
  if (MSprNextQuad_Non()) return;
  if (SrcInRange()) {
    Rise();
    ZakazBlok();
  } else if (scrX >= 0 && scrY >= 0 && !Fade2Done()) {
    ZakazBlok();
  }
}

void tw_Flr2::DrawForSelect() {
  glPushMatrix();
  mb.MxTransOGL(0.0f);
  d3::Kub(0.0f, 1.0f, 1.0f, 0.5f, 0.5f, 0.5f);
  glPopMatrix();
}

OBJ_RECORD_RUN(tw_Flr2, int1, int50, 50);
OBJ_RECORD_RUN(tw_Flr2, float51, float97, 47);

template <class IO>
void tw_Flr2::Record(IO& io) {
  io.Ints(&int1, &int50);
  io.Flos(&float51, &float97);
  io.Place(mb);
  io.Check(ringCount >= 0 && ringCount <= kRings);
  io.Check(ringDiv[0] != 0.0f && ringDiv[1] != 0.0f && ringDiv[2] != 0.0f);
  io.Check(ObjAtlasCell(mainCell[0], mainCell[1]));
  for (const int32_t(&c)[4] : ringCell) io.Check(ObjAtlasCell(c[0], c[1]));
}

int tw_Flr2::AddToFile(FILE* f) { return ObjRecord_Save(*this, f); }

int tw_Flr2::FromFile(FILE* f) { return ObjRecord_Load(*this, f, "flare"); }

void tw_Flr2::OnEvent(int code, void* a, void* b, void* c, void* d) {
  ObjFrame_Dispatch(*this, pTekFlr2, kType, code, a, b, c, [&] {
    switch (code) {
      case EV_UPD_SELF: UpdSelf(ObjArgInt(a)); return 1;
      case EV_UPD: return 1;  // nothing to do
      case EV_DRAW: Draw(); return 1;
      case EV_RENDER_SPR: OnRender_Spr(ObjArgPass(a)); return 1;
      case EV_DRAW_SELECT: DrawForSelect(); return 1;
      case EV_CREATE: IFC_x(); return 1;
      default: return ObjPlacedSoundEvent(code, a, b, c, mb.Pos(), visible, soundPriority, soundChannel);
    }
  });
}

#include "modes/camzones.h"

#include <GL/gl.h>

#include "core/core.h"
#include "objects/objects.h"
#include "render/render.h"
#include "shell/shell.h"
#include "ui/ui.h"
#include "world/world.h"

t_MouseMoveForZna MouseMove_ShadRingEdit;

namespace {

// The zones steer the camera only in the game's panel phase 2.
constexpr int kZonePhase = 2;
// A pointer this close to an edge is on it.
constexpr int kEdge = 2;
// Strips that show the zones are this thick.
constexpr float kStrip = 4.0f;

enum t_ZoneEdge { kLeftEdge, kRightEdge, kBottomEdge, kTopEdge };

// One zone: its group switch, the edge it lies on and its span along that
// edge (start and length; a centred span starts half its length left of the
// window's middle).
struct t_Zone {
  int* group;
  t_ZoneEdge edge;
  int* start;
  int* length;
  bool centred;
};

const t_Zone kRotL{o2::guiMidCross, kLeftEdge, o2::guiMidBokNiz, o2::guiMidBokH, false};
const t_Zone kRotR{o2::guiMidCross, kRightEdge, o2::guiMidBokNiz, o2::guiMidBokH, false};
const t_Zone kRotDn{o2::guiMidCross, kBottomEdge, nullptr, o2::guiMidGorizW, true};
const t_Zone kRotUp{o2::guiMidCross, kTopEdge, nullptr, o2::guiMidGorizW, true};
const t_Zone kLeft{o2::guiBoka, kLeftEdge, o2::guiBokaNiz, o2::guiBokaH, false};
const t_Zone kRit{o2::guiBoka, kRightEdge, o2::guiBokaNiz, o2::guiBokaH, false};
const t_Zone kFwd{o2::guiUpEdge, kTopEdge, o2::guiUp4x, o2::guiUp4w, false};
const t_Zone kBwd{o2::guiUpEdge, kTopEdge, o2::guiUp1x, o2::guiUp1w, false};
const t_Zone kFwd2D{o2::guiUpEdge, kTopEdge, o2::guiUp3x, o2::guiUp3w, false};
const t_Zone kBwd2D{o2::guiUpEdge, kTopEdge, o2::guiUp2x, o2::guiUp2w, false};

int SpanStart(const t_Zone& z) { return z.centred ? Ekran.W / 2 - *z.length / 2 : *z.start; }

int InZone(const t_Zone& z) {
  if (*o2::PultFaza != kZonePhase || !*z.group) return 0;
  const int w = Ekran.W, h = Ekran.H;
  const int start = SpanStart(z), length = *z.length;
  switch (z.edge) {
    case kLeftEdge: return gMX < kEdge && zn::Ineri(gMY, start, length);
    case kRightEdge: return gMX >= w - kEdge && zn::Ineri(gMY, start, length);
    case kBottomEdge: return gMY < kEdge && zn::Ineri(gMX, start, length);
    case kTopEdge: return gMY >= h - kEdge && zn::Ineri(gMX, start, length);
  }
  return 0;
}

// The strip along a zone's edge: side zones run up the edge from their start,
// top and bottom zones are centred on the line 3 pixels inside the edge.
void DrawZone(const t_Zone& z) {
  const float w = Ekran.W, h = Ekran.H;
  const float start = static_cast<float>(SpanStart(z)), length = static_cast<float>(*z.length);
  switch (z.edge) {
    case kLeftEdge: d2::Q(0, start, kStrip, length); break;
    case kRightEdge: d2::Q(w - kStrip, start, kStrip, length); break;
    case kBottomEdge: d2::Qx(start + length / 2, 3, length, kStrip, 1, 0); break;
    case kTopEdge: d2::Qx(start + length / 2, h - 3, length, kStrip, 1, 0); break;
  }
}

// Side colours by banner 1..6.
constexpr float kFlagColour[7][3] = {
    {0.0f, 0.0f, 0.0f}, {0.0f, 0.5f, 1.0f}, {1.0f, 0.0f, 0.4f}, {1.0f, 1.0f, 0.0f},
    {0.0f, 1.0f, 0.2f}, {0.9f, 0.2f, 1.0f}, {0.8f, 0.5f, 0.2f},
};

// Minimap colours by kind 1..7.
constexpr float kMapColour[8][3] = {
    {0.0f, 0.0f, 0.0f}, {1.0f, 0.1f, 0.0f}, {1.0f, 1.0f, 0.0f}, {0.0f, 0.1f, 1.0f},
    {1.0f, 0.0f, 1.0f}, {0.1f, 1.0f, 0.1f}, {0.7f, 0.3f, 0.5f}, {0.0f, 0.7f, 0.7f},
};

// The camera the current mode renders with, when it is a live object.
tw_Fotik* SoloFotik() { return pSoloFotik && pSoloFotik->Status() ? pSoloFotik : nullptr; }

// A camera looks at the ground in front of it only within this pitch band,
// and sees this far either side of its yaw.
constexpr float kFrontPitchMin = -75.0f, kFrontPitchMax = 20.0f;
constexpr float kFrontHalfAngle = 81.0f;

}  // namespace

// ---- zones

int guiKamRToL() { return InZone(kRotL); }
int guiKamRToR() { return InZone(kRotR); }
int guiKamRToDn() { return InZone(kRotDn); }
int guiKamRToUp() { return InZone(kRotUp); }
int guiKamLeft() { return InZone(kLeft); }
int guiKamRit() { return InZone(kRit); }
int guiKamFwd() { return InZone(kFwd); }
int guiKamBwd() { return InZone(kBwd); }
int guiKamFwd2D() { return InZone(kFwd2D); }
int guiKamBwd2D() { return InZone(kBwd2D); }

void guiKamDraw() {
  if (*o2::PultFaza != kZonePhase) return;
  TexMat(0, -1, 0, -1, 0);
  NomBlend(0);
  if (*o2::guiMidCross) {
    glColor3ub(255, 245, 20);
    for (const t_Zone* z : {&kRotUp, &kRotDn, &kRotL, &kRotR}) DrawZone(*z);
  }
  glColor3ub(255, 63, 10);
  if (*o2::guiUpEdge)
    for (const t_Zone* z : {&kBwd, &kBwd2D, &kFwd2D, &kFwd}) DrawZone(*z);
  if (*o2::guiBoka)
    for (const t_Zone* z : {&kLeft, &kRit}) DrawZone(*z);
}

void spePultLift_PrepZna() {
  const int w2 = Ekran.W / 2, h2 = Ekran.H / 2;
  *o2::spePLiftX = gMX - w2;
  *o2::spePLiftKurX = gMX;
  gMX = w2;
  int dy = gMY - h2;
  zn::MidBall(dy, 20, 0.5f);
  *o2::spePLiftY = dy;
  *o2::spePLiftKurY = gMY;
  gMY = h2;
}

// ---- where a point lies relative to the camera

bool Near2DToGlobKam(vec3 point, float r) {
  if (!glob_nowVPKam) return false;
  const vec3 eye = glob_nowVPKam->Pos();
  return point.x - r < eye.x && eye.x < point.x + r && point.z - r < eye.z && eye.z < point.z + r;
}

bool Near2DToGlobKam(const t_MBase1& motion, float r) {
  if (!glob_nowVPKam) return false;
  return motion.PosNear2D(glob_nowVPKam->Pos(), r) != 0;
}

bool InFrontOfSoloFotik(float x, float z) {
  tw_Fotik* cam = SoloFotik();
  if (!cam) return false;
  if (cam->vp.mode != 0) return true;  // orthographic: everything is in front
  const float pitch = cam->mb.XRot();
  if (pitch < kFrontPitchMin || pitch > kFrontPitchMax) return false;
  const float bearing = UgFromVecPart(x - cam->mb.posx(), z - cam->mb.posz(), 0);
  if (!(bearing >= 0.0f)) return false;
  const float yaw = cam->mb.YRot();
  return !zn::OutOnRingf(bearing, yaw - kFrontHalfAngle, yaw + kFrontHalfAngle, 360.0f);
}

void SveKvad_box_UpdPos() {
  if (tw_Fotik* cam = SoloFotik()) SveKvad_boxP = cam->mb.Pos();
}

// ---- colours

void RGB_ColorFlag(int banner, float& r, float& g, float& b) {
  const float* c = kFlagColour[banner >= 1 && banner <= 6 ? banner : 0];
  r = c[0];
  g = c[1];
  b = c[2];
}

void RGB_ColorFlagSet(int banner, float a) {
  float r, g, b;
  RGB_ColorFlag(banner, r, g, b);
  glColor4f(r, g, b, a);
}

void RMap_ColorFlag(int kind, float a) {
  if (kind < 1 || kind > 7) return;
  glColor4f(kMapColour[kind][0], kMapColour[kind][1], kMapColour[kind][2], a);
}

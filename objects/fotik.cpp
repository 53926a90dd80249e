#include "objects/fotik.h"

#include "core/core.h"
#include "objects/frame.h"
#include "objects/record.h"
#include "render/render.h"
#include "shell/shell.h"
#include "ui/ui.h"
#include "world/world.h"

tw_Fotik* pTekFotik = nullptr;
tw_Fotik* pGameFotik = nullptr;
tw_Fotik* pPultFotik = nullptr;
tw_Fotik* pTopFotik = nullptr;
tw_Fotik* pSoloFotik = nullptr;

namespace {
constexpr int kType = 1;
// Start of the eye over the world centre, and its speed per millisecond.
constexpr float kStartY = 65.0f;
constexpr float kSpeed = 0.2f;
// The zone keeps the eye 4000 / 20 inside the world's edges.
constexpr float kZoneDivisor = 20.0f;
// A perspective camera's near plane must lie in front of the eye.
constexpr double kPlainNear = 1.0;
// Largest viewport coordinate a record may hold (the screen record's range).
constexpr int32_t kMaxPixels = 65535;
}  // namespace

void tw_Fotik::Sbros() {
  owner = nullptr;
  link = nullptr;
  int2 = 0;
  float3 = 0.0f;
  for (int32_t& v : ints) v = 0;
  mb.Sbros();
  vp = t_VPortKam();
}

void tw_Fotik::IFC_x(int kind) {
  float3 = 1.0f;
  link = nullptr;
  int2 = 0;

  mb.Sbros();
  mb.hiYSet(*o3::GameKamHiY);
  mb.lowYSet(*o3::GameKamLowY);
  mb.Pos(Plit_GlobCentrX(), kStartY, Plit_GlobCentrZ() + 1.0f);
  SetStdMonolitZoneXZ(mb.zoneMinX, mb.zoneMinZ, mb.zoneMaxX, mb.zoneMaxZ, kZoneDivisor);
  mb.zoneOn = 1;
  mb.setGbr(2, 2, 2);
  mb.Skor(kSpeed);

  const int w = Ekran.W, h = Ekran.H;
  const double aspect = h ? static_cast<double>(w) / h : 1.0;
  switch (kind) {
    case 1:  // plain perspective
    case 2:  // game camera
    case 4:  // panel camera
      vp.mode = 0;
      vp.vpW = w;
      vp.vpH = h;
      vp.fov = kind == 4 ? Glob_GenFOV : 60.0;
      vp.aspect = aspect;
      vp.znear = kind == 1 ? kPlainNear : Glob_GenNear;
      vp.zfar = kind == 1 ? 200.0 : Glog_GenFar;
      break;
    case 3:  // top camera: a square of side h at the right screen edge
      vp.mode = 6;
      vp.vpX = w - h;
      vp.vpW = h;
      vp.vpH = h;
      vp.znear = -300.0;
      vp.zfar = 300.0;
      vp.orthoW = vp.orthoH = 256.0f;
      break;
    default:
      break;
  }
}

void tw_Fotik::Move(int axis, float factor) {
  if (!owner) return;
  mb.Move(axis, factor);
  uzorSvKvadAlf_OnKamMove();
}

void tw_Fotik::Move2D(int axis, float factor) {
  if (!owner) return;
  mb.Move2D(axis, factor);
  uzorSvKvadAlf_OnKamMove();
}

void tw_Fotik::Rotate(int mode, float a, float b) {
  if (!owner) return;
  float pitch = 0, yaw = 0;
  if (MouseRootRTS_Rot(pitch, yaw, mode, a, b)) mb.RotAdd(pitch, yaw, -88.0f, 88.0f);
}

template <class IO>
void tw_Fotik::Record(IO& io) {
  io.Link(link);
  io.Flo(float3);
  io.Int(vp.vpX);
  io.Int(vp.vpY);
  io.Int(vp.vpW);
  io.Int(vp.vpH);
  io.Int(vp.mode);
  io.Flo(vp.orthoW);
  io.Flo(vp.orthoH);
  io.Vec(vp.target);
  io.Dbl(vp.fov);
  io.Dbl(vp.aspect);
  io.Dbl(vp.znear);
  io.Dbl(vp.zfar);
  io.Ints(&ints[0], &ints[4]);
  io.Place(mb);
  io.Check(vp.mode >= 0 && vp.mode <= 6);
  io.Check(vp.vpW >= 0 && vp.vpW <= kMaxPixels && vp.vpH >= 0 && vp.vpH <= kMaxPixels);
  io.Check(zn::Absi(vp.vpX) <= kMaxPixels && zn::Absi(vp.vpY) <= kMaxPixels);
}

int tw_Fotik::AddToFile(FILE* f) { return ObjRecord_Save(*this, f); }

int tw_Fotik::FromFile(FILE* f) { return ObjRecord_Load(*this, f, "camera"); }

void tw_Fotik::OnEvent(int code, void* a, void* b, void* c, void* d) {
  ObjFrame_Dispatch(*this, pTekFotik, kType, code, a, b, c, [&] {
    switch (code) {
      case EV_UPD_SELF: UpdSelf(ObjArgInt(a), ObjArgInt(b)); return 1;
      case EV_UPD: Upd(ObjArgInt(a), ObjArgInt(b)); return 1;
      case EV_CREATE: IFC_x(ObjArgInt(a)); return 1;
      case EV_POSITION:
        if (a) *static_cast<float*>(a) = mb.posx();
        if (b) *static_cast<float*>(b) = mb.posy();
        if (c) *static_cast<float*>(c) = mb.posz();
        return 1;
      default: return 0;
    }
  });
}

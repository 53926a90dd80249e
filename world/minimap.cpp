#include "render/OpenGL_Ext.h"
#include "world/minimap.h"

#include <algorithm>
#include <cmath>

#include "render/render.h"
#include "shell/shell.h"
#include "ui/ui.h"
#include "world/fgr4.h"
#include "world/mbase1.h"
#include "world/objectsglue.h"
#include "world/satint.h"

t_MiniMap minimap1;
int globTexNRamMMap = 51;

namespace {

constexpr float kWorld = 4000.0f;

float TurnOf(const t_MiniMap& m) { return *o2::edTopView ? 0.0f : -m.angle; }

}  // namespace

int getNearSizeTexW(int size) {
  if (size < 192) return 128;
  if (size < 384) return 256;
  return 512;
}

int t_MiniMap::Size() const { return *o2::KameraMode ? sizeCam : sizeOther; }

void t_MiniMap::Init(int sizeCamera, int sizeOtherMode) {
  sizeCam = sizeCamera;
  sizeOther = sizeOtherMode;
  side = getNearSizeTexW(sizeCam > sizeOther ? sizeCam : sizeOther);
  pic.SbrosTex();
  pic.InitEmpty(static_cast<short>(side), static_cast<short>(side), 24);
  if (pic.pixels) std::fill(pic.pixels, pic.pixels + static_cast<size_t>(side) * side * 3, 0);
  if (pic.GenTexture(0, 1) && pic.texture) {
    pic.Bind();
    OGL::TexClamp(1);
  } else {
    sizeCam = 0;
  }
}

void t_MiniMap::ModifXZByUg(int& x, int& z, float a) {
  float r = a * 0.01745f;
  mat3 m(std::cos(r), 0, -std::sin(r), 0, 1, 0, std::sin(r), 0, std::cos(r));
  vec3 v = m * vec3(static_cast<float>(x), 0, static_cast<float>(z));
  x = PosToInt(v.x);
  z = PosToInt(v.z);
}

void t_MiniMap::UpdRealCoordForTopLayer(int& x, int& z) const {
  int size = Size();
  x = PosToInt(zn::Perc(static_cast<float>(x), kWorld, static_cast<float>(size))) - size / 2;
  z = PosToInt(zn::Perc(static_cast<float>(z), kWorld, static_cast<float>(size))) - size / 2;
  if (!*o2::edTopView) ModifXZByUg(x, z, angle);
  z = -z;
  x += cx;
  z += cy;
}

void t_MiniMap::MiniMapQ1(float x, float z, float r) const {
  const float px1 = static_cast<float>(side - 1);
  int d = PosToInt(zn::Perc(r, kWorld, px1));
  if (d <= 1) return;
  float px = zn::Perc(x, kWorld, px1) + 1;
  float pz = zn::Perc(Plit_GlobCentrZ() - z + 2000.0f, kWorld, px1) + 1;
  d2::Q(px - d / 2, pz - d / 2, static_cast<float>(d), static_cast<float>(d));
}

void t_MiniMap::MiniMapCross1(float x, float z, int left, int right, int up, int down) const {
  const float px1 = static_cast<float>(side - 1);
  float px = zn::Perc(x, kWorld, px1) + 1;
  float pz = zn::Perc(Plit_GlobCentrZ() - z + 2000.0f, kWorld, px1) + 1;
  d2::Cross1(PosToInt(px), PosToInt(pz), left, right, up, down);
}

void t_MiniMap::DrawToTexPlus(t_MBase1* camera) {
  if (!OK()) return;
  static t_FintFloat pulse(0.6f, 0.4f, 0.9f, 0.002f, 2, 10);
  float alpha = pulse._Update();

  OGL::VPortPush_SetFullScr();
  StartOfClearDraw1();
  glViewport(0, 0, side, side);
  Begin2D(0, side, 0, side);
  const float full = static_cast<float>(side);

  TexMat(0, -1, 0, -1, 0);
  NomBlend(0);
  ColorMatF(1, 0, 0, 0);
  d2::Q(0, 0, full, full);

  ColorMatF(1, 1, 1, 1);
  TexMat(1, 0, 4, -1, 0);
  NomBlend(34);
  int circles = PlayerUnitsOkrugKlv < kSightListCap ? PlayerUnitsOkrugKlv : kSightListCap;
  for (int i = 0; i < circles; ++i)
    MiniMapQ1(PlayerUnitsOkrugPos[i].x, PlayerUnitsOkrugPos[i].z, PlayerUnitsOkrugR[i]);

  TexMat(0, -1, 0, -1, 0);
  NomBlend(38);
  ColorMatF(0.6f, 0, 0, 0);
  d2::Q(0, 0, full, full);

  TexMat(1, 0, overlay, -1, 0);
  ColorMatF(alpha, 1, 1, 1);
  NomBlend(38);
  d2::Q(0, 0, full, full);

  if (PlayerSelected_Now > 0) {
    TexMat(0, -1, 0, -1, 0);
    NomBlend(0);
    ColorMat(255, 50, 250, 80);
    int n = PlayerSelected_Now < kPlayerSelectedLast ? PlayerSelected_Now : kPlayerSelectedLast;
    for (int k = 1; k <= n; ++k) {
      float x = 0, y = 0, z = 0;
      Fgr4_Event(PlayerSelected_[k], EV_POSITION, &x, &y, &z);
      MiniMapCross1(x, z, 2, 2, 2, 2);
    }
  }

  TexMat(0, -1, 0, -1, 0);
  NomBlend(0);
  ColorMat(255, 0, 240, 10);
  d2::Cross1(64, 110, 3, 3, 9, 9);

  End2D();
  // A window smaller than the texture holds only part of the picture: copy
  // no more than the window has.
  int w = pic.width < Ekran.W ? pic.width : Ekran.W;
  int h = pic.height < Ekran.H ? pic.height : Ekran.H;
  pic.Bind();
  if (w > 0 && h > 0) glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, w, h);
  OGL::VPortPop();

  const int size = Size();
  if (!camera) {
    angle = 0;
    markX = markY = 0;
  } else {
    angle = camera->YRotAnti();
    markX = PosToInt(zn::Perc(camera->posx(), kWorld, static_cast<float>(size))) - size / 2;
    markY = PosToInt(zn::Perc(camera->posz(), kWorld, static_cast<float>(size))) - size / 2;
    if (!*o2::edTopView) ModifXZByUg(markX, markY, angle);
    markY = -markY;
    markX += cx;
    markY += cy;
  }
  int dots = KlientMiniMapFgrKlv < kSightListCap ? KlientMiniMapFgrKlv : kSightListCap;
  for (int i = 0; i < dots; ++i) UpdRealCoordForTopLayer(KlientMiniMapFgrX[i], KlientMiniMapFgrY[i]);
}

void t_MiniMap::Draw1(int offsetX) {
  if (!OK()) return;
  const float size = static_cast<float>(Size());
  NomBlend(38);
  ColorMatF(1, 1, 1, 1);
  Tex_UnitSet(0, 0, static_cast<unsigned>(globTexNRamMMap));
  OGL::TexClamp(1);
  TexUnit(1, 1);
  pic.Bind();
  d2::QFan4c(static_cast<float>(cx + offsetX), static_cast<float>(cy), size, size, 1.0f, TurnOf(*this));
  TexUnit(1, -1);
  TexUnit(0, 0);
}

void t_MiniMap::Press(int x, int y, int mode) {
  const int size = Size();
  int dx = x - cx, dz = -(y - cy);
  if (!*o2::edTopView) ModifXZByUg(dx, dz, -angle);
  pressX = zn::Perc(static_cast<float>(size / 2 + dx), static_cast<float>(size), kWorld);
  pressZ = zn::Perc(static_cast<float>(size / 2 + dz), static_cast<float>(size), kWorld);
  pressMode = mode;
}

int t_MiniMap::Shown() const {
  return OK() && *o2::DrawMiniMap && (!*o2::edTopView || *o2::PultFaza == 3) && Size() >= 2;
}

int t_MiniMap::KursIn(int x, int y) const {
  if (!Shown()) return 0;
  if (x < 0 || y < 0 || x >= Ekran.W || y >= Ekran.H) return 0;
  // The map is a square turned about its centre, seen through the round frame
  // mask (picture globTexNRamMMap): what shows is the circle touching the
  // square's sides, whatever the turn. The pixel counts by its centre.
  const float half = static_cast<float>(Size()) * 0.5f;
  const float dx = static_cast<float>(x) + 0.5f - static_cast<float>(cx);
  const float dy = static_cast<float>(y) + 0.5f - static_cast<float>(cy);
  return dx * dx + dy * dy <= half * half ? 1 : 0;
}

int t_MiniMap::FillDepthKursIn() {
  if (!Shown()) return 0;
  // The mask in red with depth: the scene then leaves the map's place alone.
  const float size = static_cast<float>(Size());
  NomBlend(38);
  TexMat(1, 0, globTexNRamMMap, -1, 0);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.2f);
  glEnable(GL_DEPTH_TEST);
  glDepthMask(GL_TRUE);
  ColorMat(255, 255, 0, 0);
  d2::QFan4c(static_cast<float>(cx), static_cast<float>(cy), size, size, 1.0f, TurnOf(*this));
  glDisable(GL_ALPHA_TEST);
  // Decided from the map's place and shape: a pixel read back could be any
  // red of the last frame under the pointer.
  return KursIn(gMX, gMY);
}

// The 2D layers of the game and the editor: the panel bands and pictures,
// the minimap with its camera wedge, the selected-object icons, the object
// under the pointer, the panel texts, the pointer picture and the frame
// counter; and the frame start of the game scene.
#include <GL/gl.h>

#include "core/core.h"
#include "modes/camzones.h"
#include "modes/front.h"
#include "modes/soundglue.h"
#include "modes/steps.h"
#include "objects/objects.h"
#include "render/render.h"
#include "shell/shell.h"
#include "ui/ui.h"
#include "world/world.h"

namespace {

constexpr int kIconH = 32;
constexpr int kIconStep = kIconH + 12;
constexpr int kIconBox = 96;

// Begin2D over the whole window; false when 2D was on already.
bool Full2D() {
  glViewport(0, 0, Ekran.W, Ekran.H);
  return Begin2D(0, Ekran.W, 0, Ekran.H) != 0;
}

void Lines2px(int x1, int y1, int x2, int y2) {
  d2::L(x1, y1, x2, y2);
  d2::L(x1 + 1, y1 + 1, x2 + 1, y2 + 1);
}

// The segment from (x1, y1) to (x2, y2) cut to the box; false when nothing is left.
bool ClipToBox(float& x1, float& y1, float& x2, float& y2, float bx, float by, float bw, float bh) {
  float t0 = 0, t1 = 1;
  const float dx = x2 - x1, dy = y2 - y1;
  const float p[4] = {-dx, dx, -dy, dy};
  const float q[4] = {x1 - bx, bx + bw - x1, y1 - by, by + bh - y1};
  for (int i = 0; i < 4; ++i) {
    if (p[i] == 0) {
      if (q[i] < 0) return false;
      continue;
    }
    const float t = q[i] / p[i];
    if (p[i] < 0) t0 = t > t0 ? t : t0;
    else t1 = t < t1 ? t : t1;
  }
  if (t0 > t1) return false;
  const float ax = x1 + t0 * dx, ay = y1 + t0 * dy;
  x2 = x1 + t1 * dx;
  y2 = y1 + t1 * dy;
  x1 = ax;
  y1 = ay;
  return true;
}

// The four numbers of the object under the pointer, with their letter colours.
void UnderPointerText(Fgr4* f) {
  int x = gMX, y = gMY, w = gMX, h = -1;
  f->Event(39, &x, &y, &w, &h);
  int hp = 0, armour = 0, third = 0, fourth = 0;
  f->Event(54, &hp, &armour, &third, &fourth);
  int side = PlayerBanerID, own = 0;
  f->Event(48, &side, &own);
  TBufUpdate(0, 0, " %3d %3d %2d %2d", hp, armour, third, fourth);
  TBufClrBukv(0, 0, 255, 120, 10, 1, 3);
  TBufClrBukv(0, 0, 255, 170, 10, 5, 3);
  TBufClrBukv(0, 0, 85, 150, 230, 9, 2);
  TBufClrBukv(0, 0, 55, 190, 180, 12, 2);
  ColorMat(255, 10, 10, 10);
  Print2D(static_cast<short>(gMX + 1), static_cast<short>(gMY - 19), 0, 0, 100, 0, 0, 0, 0, 0);
  if (own) ColorMat(255, 25, 250, 210);
  else ColorMat(255, 255, 0, 20);
  Print2D(static_cast<short>(gMX), static_cast<short>(gMY - 18), 0, 0, 100, 0, 0, 0, 0, 1);
}

// Text entry 0 of group 0, centred, first as a shadow one pixel right and down.
void ShadowCentred(int x, int y) {
  ColorMat(255, 0, 50, 50);
  Print2D(static_cast<short>(x + 1), static_cast<short>(y - 1), 1, 0, 100, 0, 0, 0, 0, 0);
  ColorMat(255, 255, 255, 255);
  Print2D(static_cast<short>(x), static_cast<short>(y), 1, 0, 100, 0, 0, 0, 0, 0);
}

}  // namespace

// The whole window's colour is cleared in every mode: the viewports need not
// cover it (the top view is a square at its right edge, and the minimap is
// drawn into its corner before), and nothing of an earlier frame may stay.
void Pro_Q7_Elements::StaFrameVers(int mode) {
  glDisable(GL_SCISSOR_TEST);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  if (mode == 1 || mode == 2) {
    glClearColor(*o3::SkyR, *o3::SkyG, *o3::SkyB, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | (mode == 2 ? GL_STENCIL_BUFFER_BIT : 0));
  } else {
    Ekran_ClearF(Ekran, *o3::SkyR, *o3::SkyG, *o3::SkyB);
  }
}

void Pro_Q7_Elements::StaFrameSpec(int* kursInMiniMap, int overPanel) {
  if (!Full2D()) return;
  if (kursInMiniMap) *kursInMiniMap = overPanel ? 0 : minimap1.FillDepthKursIn();
  if (*o2::PultFaza != 1 && !*o2::edTopView) {
    // The panel bands take the near depth, so the scene never draws over them.
    TexMat(0, -1, 0, -1, 0);
    NomBlend(0);
    ColorMat(0, 0, 0, 0);
    glColor3f(0.05f, 0.06f, 0.08f);
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
    d2::Q(0, 0, static_cast<float>(Ekran.W), static_cast<float>(speHPultDnMort));
    d2::Q(0, static_cast<float>(Ekran.H - speHPultUpMort), static_cast<float>(Ekran.W),
          static_cast<float>(speHPultUpMort));
  }
  End2D();
}

void Pro_Q7_Elements::DrawKursor1(int overPanel, int group, int index, float a, float r, float g, float b) {
  NomBlend(38);
  ColorMatF(a, r, g, b);
  TexMat(1, group, overPanel ? 8 : index, -1, 0);
  d2::Q(static_cast<float>(gMX), static_cast<float>(gMY - 32), 32, 32);
  TexMat(0, -1, 0, -1, 0);
}

void Pro_Q7_Elements::DrawFPSec() {
  if (!*o2::DrawFPS) return;
  TexMat(0, -1, 0, -1, 0);
  NomBlend(38);
  ColorMatF(0.6f, 0.2f, 0.1f, 0.0f);
  d2::Q(static_cast<float>(Ekran.W / 2 - 50), static_cast<float>(Ekran.H - 19), 100, 16);
  ColorMatF(1.0f, 0.7f, 0.6f, 0.6f);
  Print2D(static_cast<short>(Ekran.W / 2), static_cast<short>(Ekran.H - 18), 1, 0, 100, 0,
          static_cast<short>(PrintFPS_TBuf), 0, 0, 0);
}

void Pro_Q7_Elements::AnDrawMiniMap1(int withWedge) {
  if (!*o2::DrawMiniMap) return;
  static t_FintFloat grey(0.5f, 0.0f, 1.0f, 0.015f, 2, 10);
  const float g = grey._Update();
  const int mx = minimap1.markX, my = minimap1.markY;
  if (!*o2::edTopView && withWedge) {
    minimap1.Draw1(0);
    TexMat(0, -1, 0, -1, 0);
    NomBlend(0);
    glColor3f(g, g, g);
    d2::L(mx, my - 2, mx - 16, my + 14);
    d2::L(mx, my - 2, mx + 16, my + 14);
    if (!AktivIPPI_ResidentOfEditor()) MMapNakladDotsDraw();
  } else if (*o2::edTopView && *o2::PultFaza == 3) {
    minimap1.Draw1(0);
    TexMat(0, -1, 0, -1, 0);
    NomBlend(0);
    glColor3f(g, g, g);
    const float side = glob_nowVPKam ? glob_nowVPKam->orthoH / 25.0f : 20.0f;
    d2::Q_(mx - side / 2, my - side / 2, side, side, 0);
    MMapNakladDotsDraw();
  }
}

void Pro_Q7_Elements::PlayerSelected_IconsDraw() {
  const int n = PlayerSelected_Now < kPlayerSelectedLast ? PlayerSelected_Now : kPlayerSelectedLast;
  if (n <= 0) return;
  TexMat(0, -1, 0, -1, 0);
  NomBlend(38);
  glLineWidth(1);
  for (int i = 1; i <= n; ++i) {
    Fgr4* f = PlayerSelected_[i];
    if (!f) continue;
    const int y = iconY + (i - 1) * kIconStep;
    int vis = 0;
    f->Event(42, &vis);
    ColorMatForUnits(1 + (i - 1) % 9, 1.0f, 1.0f);
    float x1 = static_cast<float>(PlayerSelected_ekx[i]), y1 = static_cast<float>(PlayerSelected_eky[i]);
    float x2 = static_cast<float>(iconX), y2 = static_cast<float>(y + kIconH / 2);
    if (vis == 1 || ClipToBox(x1, y1, x2, y2, x2 - kIconBox / 2, y2 - kIconBox / 2, kIconBox, kIconBox))
      Lines2px(static_cast<int>(x1), static_cast<int>(y1), static_cast<int>(x2), static_cast<int>(y2));
  }
  for (int i = 1; i <= n; ++i) {
    if (!PlayerSelected_[i]) continue;
    const float y = static_cast<float>(iconY + (i - 1) * kIconStep);
    d2::AlfGraGorizClr(0.9f, 0.9f, 0.9f, 0.8f, 0.0f, static_cast<float>(iconX), y,
                       static_cast<float>(Ekran.W - iconX), kIconH, 1);
    ColorMatForUnits(1 + (i - 1) % 9, 1.0f, 1.0f);
    d2::Q_(static_cast<float>(iconX), y, kIconH, kIconH, 0);
  }
  for (int i = 1; i <= n; ++i) {
    Fgr4* f = PlayerSelected_[i];
    if (!f || f == PlayerFgrUnderKur) continue;
    int x = PlayerSelected_ekx[i], y = PlayerSelected_eky[i], w = iconX, h = iconY + (i - 1) * kIconStep;
    f->Event(39, &x, &y, &w, &h);
  }
}

void Pro_Q7_Elements::PrintFromPlayerKomPult(int banner) {
  if (PlayerSelected_Now == 1 && PlayerSelected_[1]) {
    PlayerSelected_[1]->Event(56);
    ShadowCentred(Ekran.W / 2, gPultNizText1Y);
  }
  if (PlayerFgrUnderKur) {
    PlayerFgrUnderKur->Event(56);
    ShadowCentred(Ekran.W / 2, gPultNizText2Y);
  }
  TBufUpdate(0, 0, "KomPult(%d): last msg ...now(K%d %dT)", banner, globKredi, globTopli);
  ShadowCentred(Ekran.W / 2, gPultNizText3Y);
}

void Pro_Q7_Elements::Game_RenderExtra(int overPanel) {
  if (!Full2D()) return;
  const int W = Ekran.W, H = Ekran.H;
  if (*o2::PultFaza == 2) {
    NomBlend(38);
    ColorMatF(1, 1, 1, 1);
    if (*o2::PultDekr == 1) {
      TexMat(1, 0, 23, -1, 0);
      d2::Q(0, 0, static_cast<float>(W), static_cast<float>(speHPultDnMort));
      TexMat(1, 0, 24, -1, 0);
      d2::Q(0, static_cast<float>(H - speHPultUpMort), static_cast<float>(W), static_cast<float>(speHPultUpMort));
      TexMat(1, 0, 25, -1, 0);
      d2::Qx(W / 2.0f, static_cast<float>(speHPultDnMort), 195, 16, 1, 0);
      d2::Qx(W / 2.0f, static_cast<float>(speHPultDnMort), 195, 16, 1, 1);
      TexMat(1, 0, 26, -1, 0);
      d2::Qx(W / 2.0f, static_cast<float>(speHPultDnMort + 5), 64, 32, 1, 0);
    } else if (*o2::PultDekr == 0) {
      TexMat(1, 0, 31, -1, 0);
      d2::Q(0, 0, static_cast<float>(W), static_cast<float>(W));
    }
    TexMat(0, -1, 0, -1, 0);
  }
  AnDrawMiniMap1(li4.lineUK < 0);
  if (!*o2::edTopView && li5.lineUK < 0) PlayerSelected_IconsDraw();
  if (*o2::PultFaza != 1) {
    if (li7.lineUK < 0) Game_li2_Draw(&li2);
    if (li2.lineUK < 0) Msg_li7_Draw(&li7);
    if (li5.lineUK < 0) Dom_li4_Draw(&li4);
    if (*o2::PultFaza == 2 && li4.lineUK < 0) Unit_li5_Draw(&li5);
    Spu_li6_Draw(&li6);
  }
  if (PlayerFgrUnderKur && PlayerFgrUnderKur->Status()) UnderPointerText(PlayerFgrUnderKur);
  TexMat(0, -1, 0, -1, 0);
  guiKamDraw();
  DrawKursor1(overPanel, 0, 3, 1, 1, 1, 1);
  DrawFPSec();
  End2D();
}

void Pro_Q7_Elements::Edit_RenderExtra() {
  if (!Full2D()) return;
  AnDrawMiniMap1(1);
  Edit_li3_Draw(&li3);
  EdFgr_li8_Draw(&li8);
  DrawKursor1(0, 0, 3, 1, 1, 1, 1);
  DrawFPSec();
  End2D();
}

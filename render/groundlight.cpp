// The ground light map: its targets, its painting and the terrain layer.
#include "render/OpenGL_Ext.h"
#include "render/groundlight.h"

#include <cstring>

#include "render/PBuffer.h"
#include "render/drawhelpers.h"
#include "render/geometry.h"
#include "render/lights.h"
#include "render/shellglue.h"
#include "render/texstate.h"
#include "ui/ui.h"

float Land0_coeff_init = 0.002f;
float Land0_s_coeff[4] = {0.002f, 0, 0, 0};
float Land0_t_coeff[4] = {0, 0, -0.002f, 0};
float SveKvad_KamScale = 1.0f / 0.002f;
float SveKvad_boxHaf = SveKvad_KamScale / 2;
vec3 SveKvad_boxP(0, 0, 0);
Pix_ texSveKvad;

namespace {

// The copy way's own context state, applied each time its buffer is made current.
void CopyWayContext() {
  glClearColor(0, 0, 0, 0);
  glClearDepth(1.0);
  glDepthFunc(GL_LESS);
  glDisable(GL_DEPTH_TEST);
  glDepthMask(GL_FALSE);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glFrontFace(GL_CCW);
  glCullFace(GL_BACK);
  glEnable(GL_CULL_FACE);
}

// Steps shared by both ways: grey, the ground lights, the marker (copy way
// only), the craters and the frame picture over the whole buffer. World X runs
// right and world Z down the picture. Lights and decals are painted flat: the
// map is the ground seen from above, whatever their height.
void PaintMap(int w, int h, bool marker) {
  glDisable(GL_SCISSOR_TEST);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glClearColor(0.5f, 0.5f, 0.5f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  SetVPortFlat(SveKvad_KamScale, SveKvad_KamScale, 0, 0, w, h);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glTranslatef(-SveKvad_boxP.x, SveKvad_boxP.z, 0);
  glRotatef(90, 1, 0, 0);
  glDisable(GL_DEPTH_TEST);
  glDepthMask(GL_FALSE);
  Svet::ProcCase(0);
  TexMat(0, -1, 0, -1, 0);
  NomBlend(34);
  for (int i = 1; i <= NowIn_masLandSvetik; ++i) {
    const t_SvetLand& l = masLandSvetik[i];
    ColorMatF(l.colour.w, l.colour.x, l.colour.y, l.colour.z);
    TexMat(1, 0, l.kind, -1, 0);
    vec3 c(l.position.x, 0, l.position.z);
    float r = static_cast<float>(l.range);
    d3::QuadT2cntr(c, r, r);
  }
  if (marker) PixBuf_RSveKvad_Shem();
  if (*o2::SvetoKv_SnarBoomLand) {
    NomBlend(38);
    masSnarBoomLand_Draw();
  }
  glDepthMask(GL_TRUE);
  glEnable(GL_DEPTH_TEST);
  if (Begin2D(0, w, 0, h)) {
    ColorMatF(1, 1, 1, 1);
    NomBlend(38);
    TexMat(1, 0, 17, -1, 0);
    d2::Q(0, 0, static_cast<float>(w), static_cast<float>(h));
    End2D();
  }
}

}  // namespace

void SveKvad_InitFromCoeff() {
  SveKvad_KamScale = 1.0f / Land0_coeff_init;
  SveKvad_boxHaf = SveKvad_KamScale / 2;
}

// ---- targets ----

void SveKvad_PixBufMtdTex_Rise(int w, int h) {
  pbufferLand.reInit(w, h, PBUF_ALPHA | PBUF_TEX_2D, true);
  if (RenderTarg_initPBuffer()) {
    *o2::PixelBufE = 2;
    SveKvad_PixBufMtdTex_Neutral();
    return;
  }
  *o2::SveKvadTex4 = 0;
  if (*o2::PixelBufE == 2) *o2::PixelBufE = 1;
}

void SveKvad_PixBufMtdTex_Neutral() {
  if (!pbufferLand.makeCurrent()) return;
  glClearColor(0.5f, 0.5f, 0.5f, 0.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  pbufferLand.restoreCurrent();
}

void SveKvad_PixBufMtdTex_Kill() {
  pbufferLand.clear();
  pbufferTexLand = 0;
}

// The map texture starts neutral grey, so the ground is unchanged until the
// first paint. A buffer that cannot be made switches the ground light off.
void SveKvad_PixBufMtdCopy_Rise(int w, int h) {
  PixBuf512_1.Deactivate();
  PixBuf512_1.Release();
  PixBuf512_1.Init(w, h, 32, 24, true);
  PixBuf512_1.setContextInit(CopyWayContext);
  if (PixBuf512_1.Activate()) PixBuf512_1.Deactivate();
  texSveKvad.SbrosTex();
  texSveKvad.SbrosPix();
  if (!PixBuf512_1.valid) {
    LogInfo("\n ground light: no %d x %d pixel buffer; ground light off", w, h);
    *o2::SveKvadTex4 = 0;
    if (*o2::PixelBufE == 1) *o2::PixelBufE = 0;
    return;
  }
  texSveKvad.InitEmpty(static_cast<short>(PixBuf512_1.width), static_cast<short>(PixBuf512_1.height), 24);
  if (texSveKvad.pixels)
    std::memset(texSveKvad.pixels, 128, static_cast<size_t>(texSveKvad.width) * texSveKvad.height * 3);
  texSveKvad.GenTexture(0, 1);
  if (texSveKvad.texture) {
    texSveKvad.Bind();
    OGL::TexClamp(1);
    *o2::PixelBufE = 1;
  }
}

void SveKvad_PixBufMtdCopy_Kill() {
  PixBuf512_1.Deactivate();
  PixBuf512_1.Release();
  texSveKvad.SbrosTex();
  texSveKvad.SbrosPix();
}

// ---- per frame ----

int OtrezY_PereZeroBase(float y, float r) { return y - r < 0 ? 1 : 0; }

int SveKrugNormVwsLand(float& r, vec3 p) {
  if (!OtrezY_PereZeroBase(p.y, r + 2)) return 0;
  r = r - p.y - 1;
  return 1;
}

void PeregonSvetikTo_LandSvetik() {
  for (int i = 1; i <= NowIn_masSvetik; ++i) {
    const t_Svet& s = masSvetik[i];
    if (s.position.w < 0.5f) continue;
    vec3 p = s.position.xyz();
    float r = static_cast<float>(s.range) / 2.5f;
    if (!SveKrugNormVwsLand(r, p)) continue;
    Add_LandSvetikPro(p, static_cast<int>(r), 18, zn::fTram(s.diffuse.x, 0.55f, 0.9f),
                      zn::fTram(s.diffuse.y, 0.55f, 0.9f), zn::fTram(s.diffuse.z, 0.55f, 0.9f), 0.2f);
  }
}

void PixBuf_RenderSveKvad() {
  if (!PixBuf512_1.Activate()) return;
  const int w = PixBuf512_1.width, h = PixBuf512_1.height;
  PaintMap(w, h, true);
  glEnable(GL_TEXTURE_2D);
  texSveKvad.Bind();
  glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, 0, w, h);
  PixBuf512_1.Deactivate();
}

int PixBuf_RenderSveKvad2() {
  TexMat(0, -1, 0, -1, 0);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, pbufferTexLand);
  if (!pbufferLand.unbindFromTexture(0) || pbufferLand.isLost() || !pbufferLand.makeCurrent()) return 0;
  PaintMap(pbufferLand.getWidth(), pbufferLand.getHeight(), false);
  pbufferLand.restoreCurrent();
  TexMat(0, -1, 0, -1, 0);
  glEnable(GL_TEXTURE_2D);
  glBindTexture(GL_TEXTURE_2D, pbufferTexLand);
  return pbufferLand.bindToTexture(0) ? 1 : 0;
}

void PixBuf_RSveKvad_Shem() {
  zn::ToZero(*o2::SvKvdAlfWait);
  if (*o2::SvKvdAlfWait > 0) return;
  zn::Climb2(*o3::SvKvdAlf, zn::FrT(0.002f), 1.0f, 0.1f);
  float a = *o3::SvKvdAlf;
  if (a < 0.25f) return;
  TexMat(0, -1, 0, -1, 0);
  glLineWidth(1);
  if (a >= 1) {
    NomBlend(0);
    a = 1;
  } else {
    NomBlend(38);
  }
  ColorMatF(a, 0, 0, 0);
  vec3 p(test1PointVec.x, 0, test1PointVec.z);
  glPushMatrix();
  glTranslatef(p.x, 0, p.z);
  DrawKrug(4, 6, 1);
  DrawKrug(8, 8, 1);
  glPopMatrix();
  glPolygonMode(GL_FRONT, GL_LINE);
  for (float half : {10.0f, 15.0f, 20.0f}) d3::QuadT2cntr(p, half, half);
  glPolygonMode(GL_FRONT, GL_FILL);
}

void uzorSvKvadAlf_OnKamMove() {
  *o2::SvKvdAlfWait = *o2::SvKvdAlfWaitSta;
  *o3::SvKvdAlf = 0;
}

// ---- terrain layer ----

int needSvetoLayer(float x, float z, float half, float originX, float originZ, float reach) {
  if (!*o2::SveKvadTex4) return 0;
  if (!Kubs_XZ_Pere(x, z, originX, originZ, half * 1.25f + reach)) return 0;
  // The layer needs a fourth texture unit and a map to show.
  const unsigned map = *o2::PixelBufE == 2 ? pbufferTexLand : texSveKvad.texture;
  if (!*o2::MultiTexE || *o2::MultiTexUnits < 4 || !map) return 0;
  OGL::KlientTexC_OFF(3);
  TexUnit(3, 1);
  glBindTexture(GL_TEXTURE_2D, map);
  tk_CmbSc(5, 0, 100, 100);
  tk0_(107, 200, 100, 202);
  tk1_(104, 200, 104, 202);
  USet_DoCombine();
  OGL::Tex_PushMatrix_Trans(0.5f - (x - originX) * 0.002f, (z - originZ) * 0.002f + 0.5f);
  OGL::Tex2DGenTC_ObjXZ(Land0_s_coeff, Land0_t_coeff);
  return 1;
}

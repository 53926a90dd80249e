// InitGL: viewport and fixed state, the loading picture, the extension step and
// the pixel-buffer choice on the first call, then the picture and font lists.
#include "render/OpenGL_Ext.h"

#include "render/PBuffer.h"
#include "render/frustum.h"
#include "render/image0.h"
#include "render/shellglue.h"
#include "render/groundlight.h"
#include "ui/ui.h"

namespace {
// The start-up camera: field of view, near plane, far plane.
float kam3[3] = {60.0f, 0.5f, 700.0f};
}  // namespace

int InitGL() {
  LastFailClear();
  const int w = ScreenWidth(), h = ScreenHeight();
  SetVPort(kam3, 0, 0, w, h);
  glMatrixMode(GL_MODELVIEW);
  Fru1.Update();
  *o2::FrustumE = 1;

  glClearColor(0, 0, 0, 0);
  glClearDepth(1.0);
  glClearStencil(0);
  glDisable(GL_SCISSOR_TEST);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

  {
    Pix_ loading;
    loading.LoadImg(NameTypeImageUni("ris/loading1.u"), "0", 0);
    if (Begin2D(0, w, 0, h)) {
      loading.DrawImgCntrHld(w / 2, h / 2, 0);
      End2D();
    }
    glFinish();
    loading.SbrosPix();
    Sys_SwapBuf_DC();
  }

  glShadeModel(GL_SMOOTH);
  glDisable(GL_TEXTURE_1D);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glDisable(GL_ALPHA_TEST);
  const float black[4] = {0, 0, 0, 1};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, black);
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
  glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
  glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SEPARATE_SPECULAR_COLOR);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glHint(GL_FOG_HINT, GL_FASTEST);
  glEnable(GL_NORMALIZE);
  glFrontFace(GL_CCW);
  glCullFace(GL_BACK);
  glEnable(GL_CULL_FACE);

  if (*o2::FirstTimeGL) {
    *o2::FirstTimeGL = 0;
    GLint v = 0;
    glGetIntegerv(GL_MAX_LIGHTS, &v);
    *o2::GL_MaxLamps = v;
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &v);
    *o2::GL_MaxTexSize = v;
    if (!Init_Extensions(1, 1)) {
      if (!*LastFailText()) LogFail("\n GL set-up: a GL extension this program needs is missing");
      return 0;
    }
    if (RenderTarg_initPBuffer()) {
      *o2::PixelBufE = 2;
      SveKvad_PixBufMtdTex_Neutral();
    } else if (WGL_ARB_pbuffer_supported && WGL_ARB_pixel_format_supported) {
      *o2::PixelBufE = 1;
      SveKvad_PixBufMtdCopy_Rise(512, 512);
    } else {
      *o2::PixelBufE = 0;
      if (GlobTerminator_IfNotPixBuf) {
        LogFail("\n GL set-up: no pixel buffers, and konfig.txt asks to stop without them");
        return 0;
      }
    }
  }

  if (!LoadRisGru(general_ris_list0)) {
    Glob_LoadingFail_KillWindow = 1;
    return 0;
  }
  if (!LoadWinFonts(wfont_list0) || !LoadFontProektors(proektor_list0)) {
    Glob_LoadingFail_KillWindow = 1;
    return 0;
  }
  glDisable(GL_LIGHTING);
  return 1;
}

#include "render/OpenGL_Ext.h"
#include "shell/genres.h"

#include <cstdint>
#include <new>

#include "core/core.h"
#include "render/render.h"
#include "shell/ekran.h"
#include "shell/glwindow.h"
#include "shell/input.h"
#include "shell/objectsglue.h"
#include "shell/soundglue.h"
#include "ui/ui.h"
#include "world/world.h"

int TBufGruForSelLevel = 5;
int UniOrg_TBuf;
int PrintFPS_TBuf;
int UserName_TBuf;
int GTBuf_Lin;
unsigned WaterVertexProgram, WaterFragmentProgram;
unsigned BcgList, BeltList, PlitList;

namespace {

int* const kByWidth[] = {o2::guiMidGorizW, o2::guiUp1x, o2::guiUp1w, o2::guiUp2x, o2::guiUp2w,
                         o2::guiUp3x,      o2::guiUp3w, o2::guiUp4x, o2::guiUp4w};
int* const kByHeight[] = {o2::guiMidBokNiz, o2::guiMidBokH, o2::guiBokaNiz, o2::guiBokaH};

// Allocates group g with n entries (its last index n - 1); 0 when there is
// no memory for it.
int MakeGroup(int g, int n) {
  KillTBufGru(g);
  gr_TBuf[g] = new (std::nothrow) orgT_TBuf_[n];
  if (!gr_TBuf[g]) {
    LogInfo("\n LoadGeneralRes: no memory for text-buffer group %d\n", g);
    return 0;
  }
  gr_TBuf_Last[g] = static_cast<short>(n - 1);
  return 1;
}

void DeleteList(unsigned& list) {
  if (list) glDeleteLists(list, 1);
  list = 0;
}

void DeleteProgram(unsigned& program) {
  if (program && glDeleteProgramsARB) {
    GLuint p = program;
    glDeleteProgramsARB(1, &p);
  }
  program = 0;
}

}  // namespace

void LoadGeneral_PanelSizes(int width, int height) {
  for (int* v : kByWidth) *v = static_cast<int>(static_cast<int64_t>(width) * *v / 1000);
  for (int* v : kByHeight) *v = static_cast<int>(static_cast<int64_t>(height) * *v / 1000);
}

void LoadGeneral_InitTBufs() {
  if (!MakeGroup(0, 95)) return;
  UniOrg_TBuf = TBufGetNom(0, 1);
  PrintFPS_TBuf = TBufGetNom(0, 1);
  UserName_TBuf = TBufGetNom(0, 1);
  GTBuf_Lin = TBufGetNom(0, 1);
}

int LoadInit_GameKmdTBufs() { return 1; }
void ProjLoadGenRes() {}
void ProjSndUpdate() {}
void ProjSndStopClose() {}

int LoadGeneralRes() {
  mSkyKpV_Init();
  SveKvad_InitFromCoeff();
  MatRS_InitProc();
  RenderSt_InitProc();
  walkabil_Init();
  TryVBO_ForUseFlag();
  ZSrcChain_zz_Init();
  if (!LoadGeneralModels()) return 0;
  ProjLoadGenRes();
  LoadArAndUnitsTab();
  LoadGeneral_PanelSizes(Ekran.W, Ekran.H);
  if (!MakeGroup(TBufGruForSelLevel, 41)) return 0;
  LoadGeneral_InitTBufs();
  if (!gr_TBuf[0]) return 0;
  MatRS_LoadSbor("base/mat_sbr0.txt");
  if (!supportsGLSL) LogInfo("\n NOT supportsGLSL \n");
  nsMKeys::nFlushProc();
  if (!LoadInit_GameKmdTBufs()) return 0;
  Test_Pole2_Init();
  return 1;
}

void GL_DisableAllClientState() {
  glDisableClientState(GL_VERTEX_ARRAY);
  if (*o2::MultiTexE && glClientActiveTextureARB) {
    glClientActiveTextureARB(GL_TEXTURE0_ARB);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glClientActiveTextureARB(GL_TEXTURE1_ARB);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  } else {
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  }
  glDisableClientState(GL_NORMAL_ARRAY);
  glDisableClientState(GL_COLOR_ARRAY);
  glDisableClientState(GL_EDGE_FLAG_ARRAY);
  glDisableClientState(GL_INDEX_ARRAY);
}

void Extras_Kill() {
  GL_DisableAllClientState();
  DeleteProgram(WaterVertexProgram);
  DeleteProgram(WaterFragmentProgram);
  DeleteList(BcgList);
  DeleteList(BeltList);
  DeleteList(PlitList);
  MdlGVBO_PreExit();
  Plit_Kill();
  for (t_tile_proektor& t : tex_font) t.Sbros();
  for (int g = 0; g < kTBufGroups; ++g) KillTBufGru(g);
  gr_Pix_FreeAll();
  // Also released while the context exists: the Windows fonts' lists and the
  // minimap's texture.
  for (orgT_WFont& f : org_WFont) f.Sbros();
  minimap1.pic.SbrosTex();
}

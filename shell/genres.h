// General resources: what every program mode needs, loaded once after the GL
// window exists, and their release while the GL context still exists.
#pragma once

// Text-buffer group of the level-selection lists (41 entries).
extern int TBufGruForSelLevel;
// The four fixed entries of text-buffer group 0.
extern int UniOrg_TBuf;
extern int PrintFPS_TBuf;
extern int UserName_TBuf;
extern int GTBuf_Lin;
// GL objects nothing in the program makes, released when present.
extern unsigned WaterVertexProgram, WaterFragmentProgram;
extern unsigned BcgList, BeltList, PlitList;

int LoadGeneralRes();
void LoadGeneral_InitTBufs();
int LoadInit_GameKmdTBufs();
void ProjLoadGenRes();
void ProjSndUpdate();
void ProjSndStopClose();
void GL_DisableAllClientState();
void Extras_Kill();
// Panel sizes of the settings from thousandths of the screen to pixels.
void LoadGeneral_PanelSizes(int width, int height);

// Fixed-function state setters: numbered blend modes, colour material, texture
// units, the render-state key (TexMat), texture environments and combiner
// presets, the clean states, vertex-buffer and pixel-block helpers.
#pragma once

#include <cstdint>

#include "core/core.h"

class ByteLenta;

void NomBlend(int n);
void ColorMat(uint8_t a, uint8_t r, uint8_t g, uint8_t b);
void ColorMatF(float a, float r, float g, float b);
void GL_SetSpeIndColor(uint8_t n);

int TexUnit(unsigned unit, int mode);
void TexUnitAllOff();
void Tex_UnitSet(unsigned unit, int group, unsigned index);
void TexMat(int mode, int groupA, int indexA, int groupB, int indexB);
void USet_UnitSet(unsigned unit, int group, unsigned index, int env);

// Combiner description (codes, see USet_DoCombine).
extern int tkrgb, tkalf, tkrgbs, tkalfs;
extern int tk0[4], tk1[4], tk2[4];
void USet_DoCombine();
void USet_DoCombine_b0();
void USet_DoCombine_b1();
void USet_DoCombine_b2();
void tk_CmbSc(int rgbFunc, int alphaFunc, int rgbScale, int alphaScale);
void tk0_(int a, int b, int c, int d);
void tk1_(int a, int b, int c, int d);
void tk0z();
void tk1z();
void Kombin_org2_Tex0();
void Kombin_org2_Tex1();
void Kombin_AlfaBump1_Tex0();
void Kombin_AlfaBump1_Tex1();
void Kombin_an1_Tex0();
void Kombin_an1_Tex1();

void StartOfClearDraw1();
void ClearBeforeDrawImage();
void CheckLog_GLError(int);

void TryVBO_ForUseFlag();
int TryLoadStaticVBO(void* data, unsigned* id, int bytes);
int TryLoadStaticVBO_3FloBuf(vec3* data, unsigned* id, int n);
int TryLoadStaticVBO_2FloBuf(vec2* data, unsigned* id, int n);
int TryLoadStaticVBO_4ByteBuf(uint8_t (*data)[4], unsigned* id, int n);
int TryLoadStaticVBO_UintElemBuf(unsigned* indices, unsigned* id, int n);
void VBO_TexCoord_StartKlient(int unit, unsigned vbo);
void VBO_DrawElem_TriStripUINT(unsigned vbo, int count);

void Draw_GL_Pixel(int x, int y, float r, float g, float b);
int Draw_PixBL(ByteLenta* bl, int x, int y, int format);
int Read_PixBL(ByteLenta* bl, int x, int y, int format);
void glScale1f(float& s);
void DrawKrug(float radius, int segments, int lineWidth);

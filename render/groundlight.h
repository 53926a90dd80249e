// The ground light map: each game frame a 500 x 500 square of the ground
// around the active camera is painted off-screen (neutral grey, a coloured
// disc per ground light, crater decals and the target marker), and the
// terrain adds the picture on texture unit 3 with a signed-add combiner. Two
// ways exist: a buffer bound as a texture (o2::PixelBufE 2) or a pixel buffer
// copied into an ordinary texture. Also the two decal rings: shell craters and
// vehicle trail marks.
#pragma once

#include <cstdint>

#include "core/core.h"
#include "render/image0.h"

extern float SveKvad_KamScale;  // edge of the square, just under 500
extern float SveKvad_boxHaf;    // half the edge
extern vec3 SveKvad_boxP;       // centre of the square (x and z)
extern float Land0_coeff_init;  // 1 / 500
extern float Land0_s_coeff[4];
extern float Land0_t_coeff[4];
extern Pix_ texSveKvad;  // the map of the copy way

void SveKvad_InitFromCoeff();
void SveKvad_PixBufMtdTex_Rise(int w, int h);
void SveKvad_PixBufMtdTex_Kill();
// Clears the render-to-texture map to neutral grey (the ground unchanged until
// the first paint).
void SveKvad_PixBufMtdTex_Neutral();
void SveKvad_PixBufMtdCopy_Rise(int w, int h);
// Releases the copy way's buffer and its texture.
void SveKvad_PixBufMtdCopy_Kill();

// Scene point lights near the ground become ground lights of picture 18.
void PeregonSvetikTo_LandSvetik();
// 1 when the sphere of radius r + 2 around p reaches below height 0; r then
// shrinks by the height (r - p.y - 1).
int SveKrugNormVwsLand(float& r, vec3 p);
int OtrezY_PereZeroBase(float y, float r);
// Paints the map, copy way.
void PixBuf_RenderSveKvad();
// Paints the map, render-to-texture way; 1 when the buffer is a texture again.
int PixBuf_RenderSveKvad2();
void PixBuf_RSveKvad_Shem();

// Sets texture unit 3 to add the map to what is drawn next, for a terrain piece
// around (x, z); 0 (nothing set) when the map is off or out of reach. The
// texture matrix of unit 3 is pushed: pop it with OGL::Tex_PopMatrix(3).
int needSvetoLayer(float x, float z, float half, float originX, float originZ, float reach);
void uzorSvKvadAlf_OnKamMove();

// Crater ring: 81 slots, the far position in the slots not yet written.
constexpr int masSnarBoomLand_Last = 80;
constexpr float masSnarBoomLand_ElemRadius = 7.0f;
extern vec3 masSnarBoomLand[masSnarBoomLand_Last + 1];
extern int masSnarBoomLand_PrivNext;
extern int masSnarBoomLand_PrivFirstFill;
void masSnarBoomLand_Sbros();
void masSnarBoomLand_AddElem(vec3 p);
int masSnarBoomLand_ElemPere(float x, float z);
void masSnarBoomLand_Draw();
void masSnarBoomLand_DrawElem(vec3 p);

// Trail ring: 701 slots of (x, z, red, blue) with a use counter each.
constexpr int masJetSled_Last = 700;
constexpr float masJetSled_ElemRadius = 12.0f;
extern float masJetSled[masJetSled_Last + 1][4];
extern uint8_t masJetSledB[masJetSled_Last + 1];
extern int masJetSled_PrivNext;
extern int masJetSled_PrivFirstFill;
extern int masJetSled_PrivMej;
void masJetSled_Sbros();
void masJetSled_AddElem(float x, float z, float red, float blue);
int masJetSled_ElemPere(float x, float z);
void masJetSled_Draw();
void masJetSled_DrawElem(vec3 p, float red, float blue);

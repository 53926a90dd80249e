// Immediate draw helpers: d2:: (2D primitives in screen pixels while the 2D
// state is on), d3:: (boxes and quads in world space) and OGL:: (client
// arrays, buffers, texture and viewport switches, the viewport stack).
#pragma once

#include "core/core.h"

namespace d2 {
void L(int x1, int y1, int x2, int y2);
void L_(int x, int y, int dx, int dy);
void Q(float x, float y, float w, float h);
void Q_(float x, float y, float w, float h, int filled);
// Quads from arrays, as d2::Q draws them one by one: four corners a quad in
// Q's order, (x, y) pairs and RGBA floats, with Q's texture coordinates;
// filled 0 draws the outlines. At most kQArrayMax quads a call; the current
// colour is the last corner's afterwards.
constexpr int kQArrayMax = 1024;
void QArray(const float* xy, const float* rgba, int quads, int filled);
// The same in runs, with the arrays given to GL once: QArraysBegin takes
// `quads` quads (at most kQArrayMax; false outside the 2D state, when
// nothing is drawn), QArraysDraw draws the `count` quads from `first`,
// filled or as outlines, with the texture and blending the caller set
// before it, and QArraysEnd leaves GL as QArray does after the last run.
bool QArraysBegin(const float* xy, const float* rgba, int quads);
void QArraysDraw(int first, int count, int filled);
void QArraysEnd();
void AlfGraGorizClr(float r, float g, float b, float aLeft, float aRight, float x, float y, float w, float h,
                    int filled);
void LRam(float x, float y, float w, float h, int diagonals);
void Cross1(int x, int y, int left, int right, int up, int down);
void QFan4c(float x, float y, float w, float h, float scale, float angle);
void Qx(float x, float y, float w, float h, int anchor, int flip);
}  // namespace d2

namespace d3 {
void Kub(float x, float y, float z, float h);
void Kub(float x, float y, float z, float hx, float hy, float hz);
void QuadT1(float x1, float x2, float y1, float y2, float z1, float z2, float s, float t, int mode);
void QuadT2(float x1, float x2, float y1, float y2, float z1, float z2, float s0, float t0, float s1, float t1,
            int mode);
void QuadT2cntr(vec3& c, float hx, float hz);
}  // namespace d3

namespace OGL {
void KlientVertex(vec3* v);
int KlientVertex(unsigned buffer);
void KlientVertexOFF();
int KlientNrm(vec3* v);
int KlientNrm(unsigned buffer);
void KlientNrmOFF();
void KlientColor4Bytes(uint8_t (*rgba)[4]);
int KlientColor4Bytes(unsigned buffer);
void KlientColorOFF();
void KlientTexSlo(int unit);
void KlientTexCoord(int unit, vec2* uv, int on);
int KlientTexCoord(int unit, unsigned buffer, int on);
void KlientTexC_ON(int unit);
void KlientTexC_OFF(int unit);
int Bind_ElemARB(unsigned buffer);
void BindClear_ElemARB();
void Tex2DGenTC_ObjXZ(const float* sPlane, const float* tPlane);
void Tex2DGenTC_Dis();
void Tex_PushMatrix_Trans(float s, float t);
void Tex_PopMatrix(int unit);
void TexClamp(int on);
void TexRepeat(int on);
void L_Modulate();
// Unbinds the array buffer, so that client-memory pointers can be given.
void ArrayBufferOff();
void GLDisLitX(unsigned n);
void VPortPush_SetFullScr();
void VPortPop();
}  // namespace OGL

// The viewport stack of OGL::VPortPush_SetFullScr.
extern int glob_vpInt20_4[20][4];
extern int glob_vpLvl;

// Printing a text-buffer entry with a font: in 2D at a pixel position over the
// frame, or in 3D at the current transform. Font numbers: 0..12 Windows fonts,
// 100..115 texture fonts; other numbers draw nothing.
#pragma once

// Colours of the outline printer: front text and its shadow.
extern float Glob_FroPolyFontR, Glob_FroPolyFontG, Glob_FroPolyFontB, Glob_FroPolyFontA;
extern float Glob_SubPolyFontR, Glob_SubPolyFontG, Glob_SubPolyFontB, Glob_SubPolyFontA;

void Print2D(short x, short y, short centreX, short centreY, short font, short g, short n, short skipFirst,
             short skipLast, short colours);
void Print2D_Pre1(short x, short y, short centreX, short centreY, short font, short g, short n, short shadow,
                  float a, float r, float gr, float b);
void Print2D_Pre1B(short x, short y, short centreX, short centreY, short font, short g, short n, short shadow,
                   float a, float r, float gr, float b);
void Print3D(short windows, short font, short g, short n, short skipFirst, short skipLast, short colours);
void PrintFX(int font, int g, int n, int centre, int shadowFont);
void Print_ProjAutoTexBind(int slot);
void PrintFX_Mix1(int msg, float x, float y, float z);
void PrintFX_TBuf00(float x, float y, float z, float ax, float ay, float az);

namespace PrintSbor {
void NameLevel001(short x, short y, short g, short n);
void NameLevel002(short x, short y, short g, short n);
void InfoFPS1(short x, short y);
void LinesKmdGrid(short x1, short x2, short y, short n1, short g2, short n2);
}  // namespace PrintSbor

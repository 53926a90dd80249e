// Drawing the text editor: its window with the coloured lines, the caret line,
// the offsets, the frame, the scrollbar and the corner handles.
#include <GL/gl.h>

#include "render/render.h"
#include "shell/shell.h"
#include "ui/lines_txt.h"
#include "ui/print.h"
#include "ui/text_buf.h"

namespace {

void Untextured() { TexMat(0, -1, 0, -1, 0); }

// An opaque untextured rectangle in byte colours.
void Box(int r, int g, int b, float x, float y, float w, float h) {
  ColorMat(255, static_cast<uint8_t>(r), static_cast<uint8_t>(g), static_cast<uint8_t>(b));
  d2::Q(x, y, w, h);
}

void Text(int x, int y, int font, int g, int n, int colours) {
  Print2D(static_cast<short>(x), static_cast<short>(y), 0, 0, static_cast<short>(font), static_cast<short>(g),
          static_cast<short>(n), 0, 0, static_cast<short>(colours));
}

void ScissorTo(float x, float y, float w, float h) {
  glScissor(static_cast<int>(x), static_cast<int>(y), static_cast<int>(w), static_cast<int>(h));
  glEnable(GL_SCISSOR_TEST);
}

}  // namespace

void tLinesTxt2::Draw_PrepFont() {
  NomBlend(38);
  TexMat(1, 0, 2, -1, 0);
  ColorMatF(1, 1, 1, 1);
}

void tLinesTxt2::Draw_KaretkaLine(int caretX, int lineY, int lh) {
  NomBlend(34);
  Untextured();
  ColorMatF(0.7f, 0.1f, 0.25f, 0.35f);
  d2::Q(x + 3, static_cast<float>(lineY), w - 6, static_cast<float>(lh));
  ColorMatF(0.9f, 0.1f, 0.3f, 0.5f);
  d2::Q(static_cast<float>(caretX - 1), static_cast<float>(lineY - 2), 5, static_cast<float>(lh + 5));
  Draw_PrepFont();
}

void tLinesTxt2::DrawSens() {
  const float b = static_cast<float>(barW), k = static_cast<float>(butH);
  const float barX = x + w - b, L = h - 4 * k;
  Untextured();
  NomBlend(0);
  Box(20, 130, 120, barX, y + h / 2, b, (h - 2 * k) / 2);
  Box(120, 130, 20, barX, y + k, b, (h - 2 * k) / 2);
  Box(20, 30, 40, barX, y + h - 2 * k, b, k);
  Box(20, 30, 40, barX, y + k, b, k);
  if (totalLines > 0) {
    float p = (firstLine + page / 2) / static_cast<float>(totalLines) * L;
    float t = page / static_cast<float>(totalLines) * L;
    if (t > L - 4) t = L - 4;
    Box(190, 130, 145, barX + 3, y + h - 2 * k - p - t / 2, b - 4, t);
    Box(230, 230, 240, barX + 2, y + h - 2 * k - p - b / 2, b - 4, b);
  }
  Box(220, 130, 170, x, y + h - b, b, b);
  Box(200, 200, 30, barX, y + h - b, b, b);
  Box(200, 200, 30, x, y, b, b);
}

// The outer frame of both drawings, then the scrollbar and the handles.
static void FrameAndSens(tLinesTxt2& t) {
  Untextured();
  NomBlend(0);
  ColorMat(255, 50, 50, 50);
  glLineWidth(2);
  d2::Q_(t.x, t.y, t.w, t.h, 0);
  glLineWidth(1);
  t.DrawSens();
}

void tLinesTxt2::DrawIn22() {
  if (!gru || !lineKind || !lineStart) return;
  Untextured();
  NomBlend(0);
  ColorMatF(1, 0.15f, 0.1f, 0.15f);
  d2::Q(x - 1, y - 1, w + 2, h + 2);
  Draw_PrepFont();
  ScissorTo(x, y, w, h);
  const int textX = static_cast<int>(x) + 8;
  for (int i = 0; i < page && i < capacity; ++i) {
    int bottom = static_cast<int>(y + h) - (i + 1) * lineH;
    bool caretHere = i == karetLine;
    int caretX = textX;
    if (caretHere && lineKind[i] == 1 && lineStart[i] >= 0) {
      int upTo = karet - lineStart[i];  // letters before the caret, at most one entry's
      if (upTo > orgT_TBuf_::kCap) upTo = orgT_TBuf_::kCap;
      int px = TBufGetW_InPixels(static_cast<short>(gru), static_cast<short>(i), static_cast<short>(font - 100),
                                 false, 0, static_cast<short>(upTo));
      if (px > 0) caretX += px;
    }
    if (caretHere) Draw_KaretkaLine(caretX, bottom, lineH);
    if (lineKind[i] != 1) continue;
    Text(textX, bottom, font, gru, i, 1);
    TBufUpdate(0, 0, ":%d", lineStart[i]);
    Text(static_cast<int>(x + w) - margin, bottom, font, 0, 0, 0);
  }
  glDisable(GL_SCISSOR_TEST);
  FrameAndSens(*this);
}

bool tLinesTxt2::outDrawLine(int& line, bool odd) {
  float bottom = y + h - (line + 1) * lineH;
  if (bottom + lineH < y) return false;  // wholly below the window
  float shade = anim.value;
  if (odd) d2::AlfGraGorizClr(0.1f, 0.3f, 0.4f, shade, 0.05f, x, bottom, w, lineH, 1);
  else d2::AlfGraGorizClr(0.3f, 0.2f, 0.1f, 0.05f, shade, x, bottom, w, lineH, 1);
  ++line;
  return true;
}

void tLinesTxt2::DrawIn2() {
  if (!gru || !lineKind || !lineStart) return;
  anim._Update();
  ScissorTo(x, y, w, h);
  Untextured();
  NomBlend(38);
  int bars = 0;
  while (bars < capacity - 1 && outDrawLine(bars, bars % 2 == 1)) {
  }
  page = bars < 1 ? 1 : bars;
  Draw_PrepFont();
  const int textX = static_cast<int>(x) + 10;
  for (int i = 0; i < page; ++i) {
    if (lineKind[i] != 1) continue;
    int bottom = static_cast<int>(y + h) - (i + 1) * lineH;
    ColorMat(255, 0, 50, 50);
    Text(textX + 1, bottom - 1, font, gru, i, 0);
    ColorMat(255, 255, 255, 245);
    Text(textX, bottom, font, gru, i, 0);
  }
  glDisable(GL_SCISSOR_TEST);
  FrameAndSens(*this);
}

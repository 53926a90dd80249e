// The list widget: geometry from screen fractions, the per-frame pointer step
// with focus by priority, the hit and cell tests, and its drawing and printing
// members.
#include "ui/lin2.h"

#include <cstdio>

#include "core/core.h"
#include "render/render.h"
#include "shell/shell.h"
#include "ui/print.h"
#include "ui/text_buf.h"

t_Lin2* pGrabFokusLin2 = nullptr;

void t_Lin2::InitLin(int base, int keepOpenArg, int rowCount, float fx, float fy, float fw, float fLineH,
                     float fx2, float fy2, float fw2, float fLineH2, int columns, int tableFlag, int priority) {
  const float W = Ekran.W, H = Ekran.H;
  baseId = base;
  keepOpen = keepOpenArg >= 1 ? 1 : 0;
  rows = rowCount < 1 ? 1 : rowCount > kMaxRows ? kMaxRows : rowCount;
  x0 = static_cast<int>(W * fx);
  y0 = static_cast<int>(H * fy);
  w0 = static_cast<int>(W * fw);
  lineH0 = static_cast<int>(H * fLineH);
  h0 = lineH0 * rows;
  x2 = static_cast<int>(W * fx2);
  y2 = static_cast<int>(H * fy2);
  w2 = static_cast<int>(W * fw2);
  lineH2 = static_cast<int>(H * fLineH2);
  h2 = lineH2 * rows;
  TakeField(x0, y0, w0, h0, lineH0);
  top = y + h;
  collapsed = 0;
  if (columns < 2) {
    cols = 0;
    cellW = 0;
  } else {
    cols = columns;
    cellW = w2 / cols;
  }
  tableOn = 0;
  if (tableFlag) tableAllow = 1;
  prior = priority;
}

int t_Lin2::_Exe2(t_Lin2Call call, int click) { return _Exe2(call, click, gMX, gMY); }

int t_Lin2::_Exe2(t_Lin2Call call, int click, int px, int py) {
  if (baseId < kFirstActiveId) return 0;
  if (pGrabFokusLin2 && pGrabFokusLin2 != this && pGrabFokusLin2->prior > prior) {
    if (!keepOpen) SetOnlyZeroLinePole();
    return 0;
  }
  if (grabKursor && tableOn) {
    const bool atPointer = px == gMX && py == gMY;
    zn::Tram(gMX, x + 1, x + w - 2);
    zn::Tram(gMY, y + 1, y + h - 2);
    if (atPointer) px = gMX, py = gMY;
  }
  if (KursorInPole(px, py)) {
    if (clickOnly && !click) return 0;
    pGrabFokusLin2 = this;
    x = x2;
    y = y2;
    if (collapsed) {
      SetFullPole(0, Ekran.W, 0, Ekran.H);
      return 2;  // the click that expands a list does not select in it
    }
    if (click) {
      if (!cols || !tableOn) {
        if (call) call(baseId + lineUK);
      } else if (cellUK >= 0) {
        if (call) call(baseId + cellUK);
      }
      return 1;
    }
  } else {
    x = x0;
    y = y0;
    if (pGrabFokusLin2 == this) pGrabFokusLin2 = nullptr;
    if (!keepOpen) SetOnlyZeroLinePole();
  }
  return lineUK >= 0 ? 1 : 0;
}

int t_Lin2::LineAt(int mx, int my) const {
  // A line height that truncated to 0 has no lines to hit.
  if (lineH <= 0 || !PointInRect2Di(mx, my, x, y, w, h)) return -1;
  const int line = (y + h - my) / lineH;
  return y + h - (line + 1) * lineH >= y ? line : -1;
}

int t_Lin2::KursorInPole(int mx, int my) {
  cellUK = -1;
  lineUK = LineAt(mx, my);
  if (lineUK < 0) return 0;
  top = y + h;
  lineBot = LineBottom(lineUK);
  kurDx = mx - x;
  kurDy = my - lineBot;
  if (tableOn) cellUK = TableCase();
  return 1;
}

int t_Lin2::TableCase() {
  if (lineUK < 0 || !tableOn || cols == 0) return -1;
  cellW = w / cols;
  if (cellW == 0) return -1;
  // The field's right edge still belongs to the last column of its line.
  int col = (kurDx + 1) / cellW;
  if (col > cols - 1) col = cols - 1;
  int cell = lineUK * cols + col;
  zn::Tram(cell, -1, cols * rows - 1);
  return cell;
}

void t_Lin2::TakeField(int nx, int ny, int nw, int nh, int nLineH) {
  x = nx;
  y = ny;
  w = nw;
  h = nh;
  lineH = nLineH;
}

void t_Lin2::SetFullPole(int, int, int, int topEdge) {
  collapsed = 0;
  TakeField(x2, y2, w2, h2, lineH2);
  KeepBelowTop(topEdge);
  if (tableAllow && cols != 0) tableOn = 1;
}

void t_Lin2::KeepBelowTop(int screenTop) {
  if (lineH * rows + y <= screenTop) return;
  y = screenTop - lineH * rows;
  y2 = y;
}

void t_Lin2::SetOnlyZeroLinePole() {
  pGrabFokusLin2 = nullptr;
  collapsed = 1;
  TakeField(x0, y0, w0, lineH0, lineH0);
  if (tableAllow) tableOn = 0;
}

int t_Lin2::xInQrt(int px) const {
  int q = w / 4;
  if (px < x) return 0;
  if (px < x + q) return 1;
  if (px < x + 2 * q) return 2;
  if (px < x + 3 * q) return 3;
  if (px < x + w) return 4;
  return 0;
}

bool t_Lin2::LineUK_BtwFirstLast(int first, int last) const {
  return lineUK >= first && lineUK <= rows - last - 1;
}

void t_Lin2::DrawWndBase() const { d2::Q(x, y, w, h); }

void t_Lin2::DrawWndBaseR(int dx, int dy) const { d2::Q_(x + dx, y + dy, w - 2 * dx, h - 2 * dy, 0); }

void t_Lin2::DrawLineX(int line, int insetX, int insetY, int mode) const {
  if (line < 0 || line >= rows) return;
  float bx = x + insetX, by = LineBottom(line) + insetY;
  float bw = w - 2 * insetX, bh = lineH - 2 * insetY;
  if (mode) d2::Q_(bx, by, bw, bh, 0);
  else d2::Q(bx, by, bw, bh);
}

void t_Lin2::DrawLineXGaloch(int line, int fromLeft, float frac) const {
  if (line < 0 || line >= rows) return;
  float side = lineH - 4;
  float bx = (fromLeft ? x : x + w) + side * frac;
  d2::Q(bx, LineBottom(line) + lineH / 3, side, side);
}

void t_Lin2::DrawLineUK(int mode) const {
  float by = lineBot + 2, bh = lineH - 4;
  if (mode == 1) d2::Q(x + 2, by, (w - 4) / 2, bh);
  else if (mode == 2) d2::Q(x + w / 2, by, (w - 4) / 2, bh);
  else d2::Q(x + 2, by, w - 4, bh);
}

bool t_Lin2::CellRect(int cell, int& cx, int& cy, int& cw) const {
  if (cell < 1 || cols < 1) return false;
  int i = cell - 1, row = i / cols;
  if (row < 0 || row >= rows) return false;
  cw = w / cols;
  cx = x + (i % cols) * cw;
  cy = y + (rows - row - 1) * lineH;
  return true;
}

void t_Lin2::DrawTableTile(int cell, int insetX, int insetY) const {
  int cx, cy, cw;
  if (!CellRect(cell, cx, cy, cw)) return;
  d2::Q(cx + insetX, cy + insetY, cw - 2 * insetX, lineH - 2 * insetY);
}

void t_Lin2::Print(int id, int font, int centre, const char* format, ...) const {
  if (baseId <= 100 || !format) return;
  int line = id - baseId;
  if (line < 0 || line >= rows) return;
  int g = ownFirst ? ownGru : 0;
  int n = ownFirst ? ownFirst + line : GTBuf_Lin;
  if (TBufGruFail(g) || n < 0 || n > gr_TBuf_Last[g]) return;
  char text[orgT_TBuf_::kCap + 1];
  va_list ap;
  va_start(ap, format);
  std::vsnprintf(text, sizeof text, format, ap);
  va_end(ap);
  TBufUpdate(g, n, "%s", text);
  PrTBuf(line, font, g, n, centre, 0);
}

void t_Lin2::PrTBuf(int line, int font, int group, int entry, int centre, int colours) const {
  if (line < 0 || line >= rows) return;
  int px = centre ? static_cast<int>(x + w * 0.5f) : x + 2;
  Print2D(static_cast<short>(px), static_cast<short>(LineBottom(line) + lineH / 3), static_cast<short>(centre), 1,
          static_cast<short>(font), static_cast<short>(group), static_cast<short>(entry), 0, 0,
          static_cast<short>(colours));
}

void t_Lin2::PrintTileXTBuf(int cell, int group, int entry, int font, int centre) const {
  int cx, cy, cw;
  if (!CellRect(cell, cx, cy, cw)) return;
  int px = centre ? cx + cw / 2 : cx + 2;
  Print2D(static_cast<short>(px), static_cast<short>(cy + lineH / 3), static_cast<short>(centre), 1,
          static_cast<short>(font), static_cast<short>(group), static_cast<short>(entry), 0, 0, 0);
}

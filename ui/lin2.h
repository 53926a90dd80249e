// t_Lin2: the list widget of every panel, menu and settings list. A field of
// up to 300 text lines (line 0 at the top), optionally cut into table cells,
// that expands while the pointer is over it and collapses to one line when it
// leaves. The owner steps it once per frame with _Exe2; a click on a line
// calls the owner's callback with the line's command id (base id + line, or
// base id + cell in a table). The widget keeps geometry and pointer state
// only; the owner draws it with the members below.
#pragma once

#include <cstdarg>

// Callback of a list: takes the clicked line's command id.
using t_Lin2Call = void (*)(int id);

class t_Lin2 {
 public:
  static constexpr int kMaxRows = 300;
  static constexpr int kFirstActiveId = 101;  // lists with a lower base id are passive

  // All values are pixels of the 2D screen (origin bottom left, y up).
  int kurDx = 0;     // pointer x minus the field's left edge
  int kurDy = 0;     // pointer y minus the bottom of the line under it
  int cellUK = -1;   // table cell under the pointer, -1 none
  int x = 0, y = 0, w = 0, h = 0, lineH = 0;            // the field now
  int x0 = 0, y0 = 0, w0 = 0, h0 = 0, lineH0 = 0;       // collapsed
  int x2 = 0, y2 = 0, w2 = 0, h2 = 0, lineH2 = 0;       // expanded
  int rows = 1;
  int lineUK = -1;   // line under the pointer (0 = top), -1 none
  int lineBot = 0;   // bottom edge of the line under the pointer
  int top = 0;       // y + h at initialisation or the last hit test
  int cols = 0;      // table columns, 0 = not a table
  int cellW = 0;
  int tableOn = 0;     // 1 while the cells are live (expanded)
  int tableAllow = 0;  // 1 when the list may become a table
  int grabKursor = 0;  // 1: keep the pointer inside while the table is live
  int prior = 0;       // focus priority against other lists
  int collapsed = 0;
  int keepOpen = 0;    // 1: never collapse
  int ownFirst = 0;    // first entry of the list's own text range (0: the shared entry)
  int ownGru = 0;      // group of that range
  int baseId = 0;      // command id of line 0
  int clickOnly = 0;   // 1: the pointer takes the focus only with the button down

  t_Lin2() = default;
  ~t_Lin2() { baseId = 0; }

  void InitLin(int base, int keepOpenArg, int rowCount, float fx, float fy, float fw, float fLineH, float fx2,
               float fy2, float fw2, float fLineH2, int columns, int tableFlag, int priority);
  int _Exe2(t_Lin2Call call, int click);
  // The same step with the list worked at (px, py): where the click being
  // counted or reported was pressed, so that it acts on the line it was
  // pressed on wherever the pointer has gone since.
  int _Exe2(t_Lin2Call call, int click, int px, int py);
  int KursorInPole(int mx, int my);
  // The line of the field as it is now under window pixel (mx, my), -1 none:
  // the hit test without its side effects.
  int LineAt(int mx, int my) const;
  int TableCase();
  void SetFullPole(int left, int right, int bottom, int topEdge);
  void SetOnlyZeroLinePole();
  int xInQrt(int px) const;
  bool LineUK_BtwFirstLast(int first, int last) const;
  // Moves the field down so that its top edge stays at or below screenTop.
  void KeepBelowTop(int screenTop);

  // Bottom edge of line n of the field as it is now, counted down from its
  // top edge as the hit test counts (a collapsed field holds line 0 only).
  int LineBottom(int n) const { return y + h - (n + 1) * lineH; }

  void DrawWndBase() const;
  void DrawWndBaseR(int dx, int dy) const;
  void DrawLineX(int line, int insetX, int insetY, int mode) const;
  void DrawLineXGaloch(int line, int fromLeft, float frac) const;
  void DrawLineUK(int mode) const;
  void DrawTableTile(int cell, int insetX, int insetY) const;
  void Print(int id, int font, int centre, const char* format, ...) const __attribute__((format(printf, 5, 6)));
  void PrTBuf(int line, int font, int group, int entry, int centre, int colours) const;
  void PrintTileXTBuf(int cell, int group, int entry, int font, int centre) const;

 private:
  void TakeField(int nx, int ny, int nw, int nh, int nLineH);
  // x and bottom of a 1-based table cell; false when it lies outside the rows.
  bool CellRect(int cell, int& cx, int& cy, int& cw) const;
};

// The list that holds the pointer focus, or null.
extern t_Lin2* pGrabFokusLin2;

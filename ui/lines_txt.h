// tLinesTxt2: the multi-line text editor of the menu. It shows and edits a
// text held whole in a ByteLenta (CR LF lines) in a movable, resizable window:
// syntax-coloured lines, a caret on a highlighted line, each line's byte
// offset at the right margin, a scrollbar and three corner handles (close,
// resize, move). Edits go byte by byte into the stream; after each change the
// visible page is parsed again into the lines of the editor's own text group.
// Typed characters arrive through a101::PoleText_InputChar while the editor
// holds the keyboard (glob_PoleTextActive).
#pragma once

#include "core/core.h"

class tLinesTxt2 {
 public:
  t_FintFloat anim;          // shade of the older drawing DrawIn2
  int karet = 0;             // byte position of the caret
  int karetLine = 0;         // visible line holding the caret
  ByteLenta* bl = nullptr;   // the text (not owned)
  int* lineKind = nullptr;   // per visible line: 1 parsed with letters, -1 empty or beyond the text
  int* lineStart = nullptr;  // per visible line: byte offset of its start, -1 none
  int gru = 0;               // text-buffer group of the visible lines (0 = closed)
  int font = 100;
  int lineH = 15;
  int totalLines = 0;        // lines of the text
  int capacity = 0;          // lines of the group and of both tables
  int page = 0;              // visible lines
  int wrapped = 0;           // visible lines cut at the width limit in the last parse
  int firstLine = 0;         // text line shown at the top
  int reserved = 0;
  int margin = 60;           // kept free at the right for the offsets
  int resizing = 0;
  int moving = 0;
  int barW = 8;              // scrollbar width and corner-handle size
  int butH = 12;             // scrollbar button height
  float x = 0, y = 0, w = 0, h = 0;  // the window, bottom-left origin

  tLinesTxt2() { defSet1(); }
  tLinesTxt2(const tLinesTxt2&) = delete;
  tLinesTxt2& operator=(const tLinesTxt2&) = delete;
  ~tLinesTxt2() { Sbros(0); }

  void defSet1();
  void Sbros(int killGroup);
  void ReInit(int cx, int cy, int width, int height, int lines);
  int SetBLenta(ByteLenta* stream);
  void NewTextFromLenta();
  bool KursorIn(int mx, int my, int pressed, int held);

  void DrawIn22();
  void DrawIn2();
  void DrawSens();
  void Draw_KaretkaLine(int caretX, int lineY, int lh);
  void Draw_PrepFont();
  bool outDrawLine(int& line, bool odd);

  int BL_InsertChar(unsigned c, int moveCursor);
  int BL_InsertTabSpe(int moveCursor);
  int BL_Insert1310(int moveCursor);
  int BL_BackChar();
  int BL_Del_Kmd();
  void MoveKaretka(int n);
  void JumpKaretLine(int n);
  void MoveKaretHome(int mode);
  void MoveKaretEnd();
  void TextNextPage();
  void TextPrevPage();
  void Tram11();
  void ProKaretka();
  void ProKaretka1310(int dir);

 private:
  bool HasText() const { return bl && bl->data && bl->size > 0; }
  // Opens a gap of n bytes at the caret; false when the stream could not grow.
  bool OpenGap(int n);
  void Recount();
  void ClampFirstLine(int hi);
  // The page scrolls by 2 when the caret's line is the first or near the last.
  void ScrollForLine(int line);
  // ProKaretka1310, with the edge scroll only when scroll is set.
  void OffPairAndEdges(int dir, bool scroll);
};

extern tLinesTxt2 masPole1[3];  // the menu's text field is masPole1[0]
extern ByteLenta masBL[3];      // and its text masBL[0]
// 1 while a text field takes the keyboard this frame (cleared by the mode
// machine at the start of every frame).
extern int glob_PoleTextActive;

namespace a101 {
void PoleText_InputChar(unsigned ch);
}

void Test_Pole2_Init();
void Test_Pole2_OpenFile();

// Lens flare: each frame projected to the screen, tested against the depth
// buffer for anything in front of it, and drawn as a main glow and up to six
// ring sprites along the line from the flare to the screen centre. Its
// brightness rises while it is seen and fades otherwise; a shine timer
// switches it dark for a while after each shining phase and, with a blink
// count, off for good. Each map generator makes one as the level's sun.
#pragma once

#include <cstdint>
#include <cstdio>

#include "world/mbase1.h"

class Fgr4;

class tw_Flr2 {
 public:
  static constexpr int kRings = 6;

  Fgr4* owner;
  // words 1..50 (ints), saved as one run.
  int32_t int1;
  int32_t soundPriority;  // answered by event 36 as stored
  int32_t soundChannel;   // -1 none; set by event 37
  int32_t editorMark;     // 1 once selected in the editor; 0 outside it
  int32_t visible;        // answered by event 42; never set by the flare
  int32_t int6;
  int32_t shining;        // > 0 while switched on
  int32_t scrX, scrY;     // last projected pixel (-10: never projected)
  int32_t mainCell[4];    // atlas column and row of the glow, two free
  int32_t ringCell[kRings][4];
  int32_t int38;
  int32_t blinkCount;     // dark phases left before switching off; -1 endless
  int32_t blinkReload;    // what the blink count is reset to
  int32_t ringCount;      // rings drawn, 0..6
  int32_t onBase, onSpread, onTime;  // ms; a shining phase lasts onTime
  int32_t elapsed;        // ms into the shining phase
  int32_t offTime;        // ms of a dark phase
  int32_t offCountdown;   // ms left of the dark phase
  int32_t skipDraw;       // 1: the next draw is skipped
  int32_t int49, int50;
  // words 51..97 (floats), saved as one run.
  float float51, float52;
  float brightness;       // 0..1, multiplies every alpha
  float range;            // farthest eye distance at which it is seen
  float distance;         // last measured eye distance
  float mainSize;         // glow half size, fraction of the screen width
  float ringSize[kRings];
  float ringDiv[3];       // rings 1..3 at flare + (centre - flare) / divisor
  float ringFactor[3];    // rings 4..6 at flare + (centre - flare) * factor
  float mainColour[4];
  float ringColour[kRings][4];
  float float97;
  t_MBase1 mb;

  tw_Flr2() { Sbros(); }
  void Sbros();
  int Status() const { return owner != nullptr; }
  void OnEvent(int code, void* a, void* b, void* c, void* d);

  void IFC_x();
  void UpdSelf(int mode);
  void Draw();
  void OnRender_Spr(int pass);
  void DrawForSelect();

  void SkipDraw() { skipDraw = 1; }
  // Queues the flare for the screen-space sprite pass.
  void TryAdd();
  void Rise();
  void Fade1();
  bool Fade2Done();
  // Counts the shining phase; 1 when it ended (a dark phase begins, or the
  // flare switches off for good).
  int FlareAura_TryOff();
  // The occlusion test: near enough, in the view, and nothing nearer drawn
  // at its pixel. Keeps the projected pixel.
  bool SrcInRange();
  // The glow and the rings at the screen position.
  void ZakazBlok();

  // Record after the handle part: the int run of words 1..50, the float run
  // of words 51..97, the placement (508 bytes).
  int AddToFile(FILE* f);
  int FromFile(FILE* f);
  template <class IO>
  void Record(IO& io);
};

extern tw_Flr2* pTekFlr2;
// The level's sun flare.
extern tw_Flr2* pSunFlr2;

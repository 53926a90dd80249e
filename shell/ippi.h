// The mode machine: numbered program modes with a per-frame step each and
// transition functions between them; one frame at a time for the main loop.
#pragma once

#include <cstdint>
#include <string>

using t_ippi_fn = int (*)();

struct t_ippi_smena {
  t_ippi_fn fn = nullptr;  // transition; null = none
};

struct t_ippi_2 {
  t_ippi_smena smena[71];  // by target mode
  t_ippi_fn step = nullptr;
  int TryDoCoreProc();
};

// Frame timing and the once-a-second frame counter.
struct t_FPS {
  int fps;         // frames per second last shown
  int frameMs;     // duration of the last frame
  int counted;     // frames counted in the current second
  int secondBeg;   // time stamp at which the current second began
  int lastFrame;   // time stamp of the last frame
};

class t_Root_IPPI {
 public:
  static constexpr int kModes = 71;
  t_ippi_2 m[kModes];
  t_ippi_2* pCur = nullptr;
  int cur = 0;
  int req = -1;
  int entries = 0;  // modes entered so far: a step tells a new stay in its mode by it

  void SetMain(int n, t_ippi_fn fn);
  void SetSmena(int a, int b, t_ippi_fn fn);
  int First(int n);
  void Set_ChangeTo(int n) { req = n; }
  int Get_NomTekIPPI() const { return cur; }
  int Entries() const { return entries; }
  int TekIPPI_KeyIsShift(int k) const;
  void TekIPPI_KeyLikeShift(int k);
  int _RunGeneral();
  int SaveScreenShot();

  void _1_FixSysErrors();
  void _2_ExtraReLoad();
  void _3_PreUpdate();
  void _5_SwapBuf();
  void _6_TryChange();
};

extern t_Root_IPPI Root_IPPI;
extern t_FPS FPS0;
extern const char chProjectName[12];

extern int gMilli_Old;
extern int gMilli_SwapEvent;
extern int GFrameTimePred;
extern int GFGameTime;
extern int GFGameTimePred;
extern int GlobIPPITaktOdd;

void ProcFPS(t_FPS& f);
// Makes a folder where nothing stands; true when a folder is there. Else
// `why` says what stands in its place ("it is a regular file") or gives the
// system's cause.
bool MakeFolder(const std::string& folder, std::string& why);
// At start, once the users folder is known: what screenshots stopped before
// their end left in the screenshot folder is removed, and the log names it.
void ClearUnfinishedScreenShots();
int ServPlusGame(int n);
int ippi_An_1Pre();
int ippi_An_2Beg();
int ippi_An_3Main();
int ippi_An_4End();

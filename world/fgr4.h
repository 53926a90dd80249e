// The object handle: every world object is reached through one Fgr4 that lives
// in a fixed slot of the object holder; its body lives in a slot of its type's
// pool. All behaviour goes through Fgr4::Event, a numbered event code with four
// untyped pointer arguments, dispatched on the handle's type code to the type's
// OnEvent.
#pragma once

#include <cstdint>
#include <cstdio>
#include <vector>

class Fgr4;

// One trigger link: kind 0 a findable link, kind 1 an owned object that dies
// with its owner. An emptied entry is {null, 0}.
struct Fgr4Rea {
  Fgr4* target = nullptr;
  int32_t kind = -1;
};

// Save categories of a handle.
enum : uint8_t {
  FGR4_SAVE_DEFAULT = 0,  // screen frames
  FGR4_SAVE_GEN = 1,      // base objects kept across levels (buttons)
  FGR4_SAVE_ETAP = 2,     // level objects
  FGR4_SAVE_ETAP_D = 3,   // the sides' vehicles, units and special buildings
  FGR4_SAVE_SNOW = 4,     // cameras, snow and smoke
};

// Screen frames (type 4) and the terrain holder (type 20) are of category 0
// and outlive every level reset: nothing read from a file may own them.
constexpr bool Fgr4_OutlivesLevels(int type) { return type == 4 || type == 20; }
// "a screen frame" or "the terrain holder", for log lines.
constexpr const char* Fgr4_OutlivesLevelsName(int type) { return type == 4 ? "a screen frame" : "the terrain holder"; }

// Event codes that more than one part of the program sends.
enum : int {
  EV_SAVE = 1,
  EV_LOAD = 2,
  EV_UPD_SELF = 3,
  EV_UPD = 4,
  EV_UPD_EX = 5,
  EV_DRAW = 6,
  EV_RENDER = 7,
  EV_RENDER_ARR = 8,
  EV_RENDER_ELEM = 9,
  EV_RENDER_SPR = 12,
  EV_DRAW_SELECT = 13,
  EV_CREATE = 18,
  EV_DEACT = 21,
  EV_KILL = 22,
  EV_IS_ACTIVE = 23,
  EV_MOVE_TO_TARGET = 33,
  EV_MOVE_TO_POINT = 34,
  EV_POSITION = 35,
  EV_SOUND_PRIORITY = 36,
  EV_SOUND_CHANNEL = 37,
  EV_SOUND_POSITION = 38,
  EV_TRIGGER_KEY = 49,
  EV_DROP_DEAD_LINKS = 57,
};

class Fgr4 {
 public:
  void* body = nullptr;        // the type's body; its first word points back here
  int32_t wrkNom = 0;          // type code 1..27 alive, 0 empty, negative blocked
  int32_t logNom = -1;         // slot index in the holder, fixed once numbered
  int32_t wasSelfUpd = 0;      // 1 after event 3, 0 after event 4
  Fgr4* linkA = nullptr;       // a link to another object
  Fgr4* linkB = nullptr;       // the owning screen frame
  std::vector<Fgr4Rea> trigs;  // trigger links in insertion order
  int32_t active = 0;          // > 0 while the object takes part
  uint8_t SaveCategory = FGR4_SAVE_DEFAULT;
  uint8_t freeze = 0;          // non-zero: the holder sends neither 3 nor 4
  uint8_t draw = 0;            // non-zero: the holder sends event 6
  uint8_t spare = 0;

  // Fills an empty handle with a new object of type 1..27 (event 2 with a
  // file, event 18 without); returns Status() afterwards, 0 when refused.
  int Init(int type, int kind, int makeCurrent, FILE* file);
  void Kill(int mode);         // clear, then block against reuse (wrkNom -2)
  void priv_Clear(int mode);
  void Sbros();                // clear and leave the handle reusable at once

  int Status() const { return body != nullptr; }
  int WrkNom() const { return body && wrkNom > 0 ? wrkNom : 0; }
  int LogNom() const { return body ? logNom : 0; }
  int IsActive();
  int Get_wasSelfUpd() const { return wasSelfUpd; }
  void priv1_SetLogNom(int n);

  void ms_GenD() { SaveCategory = FGR4_SAVE_GEN; }
  void ms_Etap() { SaveCategory = FGR4_SAVE_ETAP; }
  void ms_EtapD() { SaveCategory = FGR4_SAVE_ETAP_D; }
  void ms_EtapSnow() { SaveCategory = FGR4_SAVE_SNOW; }

  void trigAdd(Fgr4* target, int kind);
  Fgr4* trigFind(int type, int key);
  void trigTryKill(int mode);
  void killDeadLinks();

  // The common record of the object base (links, trigger links, active
  // field, the four bytes, end marker); writers return the bytes written.
  int AddToFile(FILE* f);
  void FromFile(FILE* f);
  static int AddToFileVF4R(std::vector<Fgr4Rea>& links, FILE* f);
  static void FromFileVF4R(std::vector<Fgr4Rea>& links, FILE* f);
  static int isBadF4R(Fgr4Rea& link);  // a dead target empties the link

  int eventServerKmd(int& code);
  void BindToScrFrm(class tw_ScrFrm* frame);

  void Event(int code, void* a = nullptr, void* b = nullptr, void* c = nullptr,
             void* d = nullptr);
};

// 2 after an event that found no body, 0 after one that reached a body.
extern int Fgr4_Event_LastCallToDeadFgr;
// 1 while an order event must go to the server instead of running here.
extern int priv_Fgr4_EventSendToServer;
// While non-zero, orders run locally (the network step applies server orders).
extern int priv_force_EventsFromServer;
// Event tracing for diagnostics and tests: when set, called right after the
// type's handler has run for every event that reached a body (the object may
// have died in it).
extern void (*Fgr4_EventTrace)(Fgr4* handle, int code, void* a, void* b, void* c, void* d);

void Fgr4_Event(Fgr4* handle, int code, void* a = nullptr, void* b = nullptr,
                void* c = nullptr, void* d = nullptr);
int Fgr_WrkNom(Fgr4* handle);
int Fgr4_Status_LogNom(Fgr4* handle);
// The handle a link read from a file names by its slot, null for none (see
// t_FgrHld::LinkFromFile).
Fgr4* Etap_pFgrFromLogNom(int n);
// Whether a slot number read from a file is 0 or a slot of the holder.
int Etap_LogNomOK(int n);

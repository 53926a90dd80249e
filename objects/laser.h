// Laser beam: a shot from a start point (its position) to an end point with
// an impact sprite there; the beam fades and kills itself. Every unit shot
// makes one.
#pragma once

#include <cstdint>
#include <cstdio>

#include "core/core.h"
#include "world/mbase1.h"

class Fgr4;

class tw_Laser {
 public:
  Fgr4* owner;
  Fgr4* link;     // saved as a level slot number
  vec3 endPoint;  // where the beam ends and the impact sprite sits
  // ints 5..18, saved as one run.
  int32_t int5;
  int32_t colourFlag;     // side colour index of the marker
  int32_t soundPriority;  // answered by event 36 as stored
  int32_t soundChannel;   // -1 none; set by event 37
  int32_t selected;
  int32_t visible;        // 1 at every draw
  int32_t brightness;     // 0..255, the beam's alpha
  int32_t fadeStep;       // taken from the brightness each fade period
  int32_t fadeCountdown;  // ms
  int32_t fadePeriod;     // ms
  int32_t fading;         // > 0: the beam fades and dies
  int32_t impactColumn, impactRow;  // atlas cell of the impact sprite
  int32_t int18;
  // floats 19..22, saved as one run.
  float float19, float20;
  float beamWidth;
  float float22;
  t_MBase1 mb;

  tw_Laser() { Sbros(); }
  void Sbros();
  int Status() const { return owner != nullptr; }
  void OnEvent(int code, void* a, void* b, void* c, void* d);

  void IFC_x();
  // Fades the beam; once dark it kills itself.
  void Upd();
  void Draw();
  // The impact, then the beam as two crossed quads.
  void OnRender_Spr(int pass);
  void setPointV(vec3 p) { endPoint = p; }

  // Record after the handle part: link, end point, the int run of ints
  // 5..18, the float run of floats 19..22, the placement (208 bytes).
  int AddToFile(FILE* f);
  int FromFile(FILE* f);
  template <class IO>
  void Record(IO& io);
};

extern tw_Laser* pTekLaser;

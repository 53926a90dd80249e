// Fixed-function materials: 501 numbered slots filled from the material list,
// bound by slot; and the render-state records of the same list shape, which
// are numbered at start-up but never applied.
#pragma once

#include <cstdint>
#include <string>

#include "core/core.h"

class Material_RS {
 public:
  int id = 0;
  float colour[4];  // r, g, b, a: the current colour set on every bind
  vec3 ambient, diffuse, specular, emission;
  vec3 shine;  // x: the GL shininess; y and z are carried only

  // The id of the material whose colours GL holds; -10 before the first.
  static int PredBind;

  Material_RS() { StartVers(); }
  int StartVers();

  // Colour material on with the material's colour; for face 1 (front), 2
  // (back) or 3 (both) the GL material too, unless it was the last one sent.
  static void Bind(Material_RS& m, short face);
  // The binds of a model run (tzkz_FModels::Run) share colour material:
  // between ShareBegin and ShareEnd the first bind switches it on and later
  // ones leave it on, until ColourMaterialOff says it was switched off.
  static void ShareBegin();
  static void ShareEnd();
  static void ColourMaterialOff();
  // A header line, then 19 numbers: colour, ambient, diffuse, specular,
  // emission, shine. 0 when the file does not open.
  static int LoadFromTxtFile(Material_RS& m, std::string path);
  // The same 19 values as little-endian floats after two skipped words; a
  // tag longer than four characters fails like a missing file.
  static int LoadBin(Material_RS& m, std::string path, std::string tag);
};

constexpr int kMatSlots = 501;
extern Material_RS MatRS[kMatSlots];

void MatRS_InitProc();
// The material list: a header line, the entry count, then per entry a label
// line, "slot kind", the file name and a second line (the tag of a binary
// material, kind 0). 1 when every entry loaded.
int MatRS_LoadSbor(std::string listPath);

class _RState_Sbor {
 public:
  static constexpr short n_CullFace = 1, n_AlfaMode = 2, n_AlfaModeZna = 3, n_AlfaTestE = 4,
                         n_WriteDepthMask = 5, n_DepthMode = 6, n_DepthTestE = 7, n_ClrMaskRedE = 8,
                         n_ClrMaskGreenE = 9, n_ClrMaskBlueE = 10, n_ClrMaskAlfaE = 11, n_ScissorE = 12,
                         n_DitherE = 13, n_ShadeFlat = 14, n_Svet_LocalViewer = 15, n_Svet_2Side = 16,
                         n_TexFastest = 17, n_PointSHint = 18, n_LineSHint = 19, n_PolySHint = 20,
                         n_PointSmoothE = 21, n_LineSmoothE = 22, n_PolySmoothE = 23, n_Last = 23;
  static int PredZapros;
  static short n_AutoNormalsE;

  int16_t values[n_Last + 1] = {};
  int id = 0;

  static int LoadFromTxtFile(_RState_Sbor& r, std::string path);
  static int LoadBin(_RState_Sbor& r, std::string path, std::string tag);
};

constexpr int kRenderStSlots = 1001;
extern _RState_Sbor RenderSt[kRenderStSlots];

void RenderSt_InitProc();
int RenderSt_LoadSbor(std::string listPath);

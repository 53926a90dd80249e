// The render machine: owns every render queue and empties them once per frame
// in one fixed order, calling the owners of queued orders back.
#pragma once

#include "render/queues.h"

class t_VPortKam;

class t_RenderMash {
 public:
  tzkz_FModels mdl[2];    // [0] opaque models, [1] alpha-masked models
  tzkz_Box01 box;         // coloured boxes
  tzkz_Wires1 wire[4];    // line strips; index = line width - 1
  tzkz_Lines1 line[4];    // separate segments; index = line width - 1
  tzkz_R1R2 r1r2[3];      // [0] fans with colour, [1] strips with colour and texture, [2] alpha-masked strips
  tzkz_Quads quads[5];    // [0] additive 3D, [1] the same without culling, [2] alpha-masked 3D,
                          // [3] additive screen-space, [4] alpha-blended screen-space

  t_RenderMash();
  void Sbros();
  void _ResetOnStartNewLap();
  void _Run(t_VPortKam* camera);
};

extern t_RenderMash RenderM;

// Test and benchmark hook, not a setting: 1 = every model order sets all
// eight lights and every material bind switches colour material on, a
// mirrored mesh is drawn by switching the front face, and every minimap dot
// is drawn by itself, as the frame was drawn before its runs shared their
// state; 0 (the game) = shared.
extern int RenderM_EachOrderAlone;

// Model parts the unit and the vehicles draw in their model passes: a mesh of
// a model group, a mesh on both sides, the wheel state and the four steered
// wheels of the wheeled drawings, and the test sprites of the wheeled
// drawings.
#pragma once

class t_MBase1;

// Mesh m of model group g; a group or a mesh that does not exist draws nothing.
void ObjDrawMesh(int g, int m);
// Mesh m of group g whose front faces wind clockwise (a mirrored mesh), as
// drawn with the front face switched to clockwise; inView: the caller knows
// the mesh lies wholly in the view volume (see _Mesh_Sbor::DrawMesh_FrontCW).
void ObjDrawMeshFrontCW(int g, int m, bool inView);
// How far the farthest vertex of a mirrored mesh lies from its origin (0
// for another mesh).
float ObjMeshReach(int g, int m);
// Mesh m of group g at (+x, 0, 0) and at (-x, 0, 0).
void ObjDrawMeshBothSides(int g, int m, float x);
// Binds render material `slot` of the material table for front faces.
void ObjBindMaterial(int slot);

// Wheel state of the wheeled drawings: four wheel angles and four steering
// angles in degrees.
namespace proCar {
void Koles4InitRnd(float* angles);
void Init0(float* angles, float* steering);
// Without a steering array only the wheel angles advance.
void Koles4Upd(float* angles, float* steering, float step, int turn, float steerStep);
// The four steered wheels (mesh o2::AllBuldMKoles of group g) at the wheel
// places of the settings, after advancing them by this frame's travel of the
// placement at `degPerUnit` degrees per unit.
void Koles4Draw(int g, const t_MBase1& mb, float* angles, float* steering, float degPerUnit);
}  // namespace proCar

// Atlas cells of the test sprites, each (column, columns, row, rows): the
// three axis quads, the two standing quads, the four rays and the ground quad.
struct t_TestSprCells {
  int axX[4], axY[4], axZ[4], stand[4], ray[4], low[4];
};
// The sprites of a sprite pass of the wheeled drawings: pass 3 three axis
// quads, pass 2 two standing quads and four rays at the box corners, any
// other pass a low quad on the ground under corner 1. A full sprite store
// ends the pass.
void ObjTestSprites(const t_MBase1& mb, int pass, const t_TestSprCells& cells);

// The placement and motion record of every positioned object, camera and
// generated mesh: position, three unit axes built from pitch, yaw and roll,
// box half-sizes, speed, a height band and an XZ zone it is kept inside. It
// moves along its axes scaled by the frame time, turns toward points, follows
// the terrain, issues its GL transforms and is saved as a 120-byte record.
#pragma once

#include <cstdint>
#include <cstdio>

#include "core/core.h"

class t_MBase1 {
 public:
  vec3 pos;          // x, y (height), z
  vec3 wing;         // side axis
  vec3 cap;          // up axis
  vec3 fwd;          // forward axis
  vec3 hf;           // half-sizes of the box along x, y, z
  float pitch;       // degrees
  float yaw;         // degrees, heading on the ground
  float roll;        // degrees
  float yawStep;     // last change of yaw made by a turn (its sign: the side)
  float speed;       // step per millisecond
  float yRange;      // upper limit less lower limit
  float lowBase;     // the lower limit as last set; flyers: height above ground
  float hiY;         // highest allowed y
  float lowY;        // lowest allowed y
  float zoneMinX, zoneMaxX, zoneMinZ, zoneMaxZ;
  int32_t zoneOn;    // non-zero: x and z stay inside the zone
  int32_t targetYaw; // whole degrees, remembered by ViewToPoint_PlavnoDoneY

  static constexpr int kFileBytes = 120;

  t_MBase1() = default;  // owners call Sbros before use
  void Sbros();

  // Getters.
  vec3 Pos() const { return pos; }
  float posx() const { return pos.x; }
  float posy() const { return pos.y; }
  float posz() const { return pos.z; }
  vec3 Wing() const { return wing; }
  vec3 Cap() const { return cap; }
  vec3 Fwd() const { return fwd; }
  vec3 Hf() const { return hf; }
  float XRot() const { return pitch; }
  float YRot() const { return yaw; }
  float Skor() const { return speed; }
  vec3 Fwd(float d) const { return pos + fwd * d; }
  float fwdx() const { return pos.x + fwd.x; }
  float fwdy() const { return pos.y + fwd.y; }
  float fwdz() const { return pos.z + fwd.z; }
  float YRotAnti() const;
  int wPovorot() const { return yawStep > 0 ? 1 : (yawStep < 0 ? -1 : 0); }
  vec3 cGbr(int i) const;
  int PosNear2D(vec3 p, float r) const;
  vec3 MultMatrix3(vec3 v) const { return vec3(dot(wing, v), dot(cap, v), dot(fwd, v)); }

  // Setters.
  void Pos(vec3 p);
  void Pos(float x, float y, float z);
  void Pos(float x, float z);  // zone only, y untouched
  void PosEff(float x, float z) { Pos(x, z); }  // a jump on the ground (minimap clicks)
  void PosY(float y);
  void Skor(float s);
  void setGbr(float hx, float hy, float hz) { hf = vec3(hx, hy, hz); }
  void sPosHf_FrMinMax(float x1, float y1, float z1, float x2, float y2, float z2);
  void hiYSet(float h);
  void lowYSet(float l);
  void setMatr(float pitch, float yaw, float roll);
  void CopyLookFr(const t_MBase1& other, int posOnly);
  void hiLowY();
  void MonolitZon();

  // Motion.
  void Move(int axis);
  void Move(int axis, float k);
  void Move2D(int axis, float k);
  void RotAdd(float dPitch, float dYaw, float pitchMin, float pitchMax);
  int AnTurnTo(vec3 target, float rate);
  int A2TurnTo(int& mode, vec3 target, float rate, float near);
  int ViewToPoint_PlavnoDone(float pitchStep, float yawStep, vec3 target, int flatOnly);
  int ViewToPoint_PlavnoDoneY(int mode, float step, vec3 target);

  // Terrain following.
  void PosYOpor();
  void PosYOporClimb();
  void hiLowY_FlyStolbUpdate(int ease, float step);
  void UpdMatrFrSurf(float dFwd, float dSide, vec3& front, vec3& back, vec3& sideA, vec3& sideB);
  void UpdMatr_Enerc();
  void UpdMatrix(float limit);

  // GL transforms of the current matrix (the caller pushes and pops).
  void MxTransOGL(float dy) const;
  void MxTraRotOGL() const;
  void MxRotOGL() const;

  // The 120-byte file record. AddToFile returns the bytes written;
  // FromFile returns 1 when the whole record was read.
  int AddToFile(FILE* f) const;
  int FromFile(FILE* f);
};

// The centre of the 4000 x 4000 world.
float Plit_GlobCentrX();
float Plit_GlobCentrZ();
// The world square shrunk by 4000 / n on every side.
void SetStdMonolitZoneXZ(float& minX, float& minZ, float& maxX, float& maxZ, float n);

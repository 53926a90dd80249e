// The terrain: 200 x 200 square tiles of 20 world units covering x and z from
// 0 to 4000, y up. Every tile owns its four corner vertices (position, atlas
// coordinate, colour), so a world corner shared by up to four tiles is stored
// up to four times and every height edit writes all copies. A tile's ground
// type picks its cell of the 7 x 7 texture atlas and the walkability layers it
// blocks. The terrain answers height queries, is edited by brushes, is saved
// as one headerless record, and draws itself in 100 culled patches of 20 x 20
// tiles followed by a water quad per visible patch.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "core/core.h"

constexpr int kPlitSide = 200;                      // tiles per row and per column
constexpr int kPlitTiles = kPlitSide * kPlitSide;   // 40,000
constexpr int kPlitCorners = 4 * kPlitTiles;        // 160,000
constexpr float kPlitEdge = 20.0f;                  // world units per tile
constexpr int kLoskSide = 10;                       // patches per row and per column
constexpr int kLoskCount = kLoskSide * kLoskSide;   // 100

// One tile.
struct t_Plit1 {
  int32_t type;      // ground type 1..8 (1 plain, 2 built, 3 sand, 4 brush, 5 hill, 6 water)
  int32_t region;    // texture region 1..8, derived from the type
  int32_t variant;   // atlas cell within the region
  int32_t rotation;  // corner rotation code 0..3
  int32_t extra;
  int32_t plato;     // 1 when the four corners are level within 0.25
  float minY, maxY;  // lowest and highest corner (both the mean on a plateau)
  uint8_t hmByte;    // 0: free corner heights; 1..255: height (b - 50) / 2

  t_Plit1() : minY(0), maxY(0) { Sbros(); }
  void Sbros();  // defaults of every field but minY and maxY
  // The 6-byte file form: type, region, variant, rotation, extra (low bytes)
  // and the height byte. AddToFile returns the bytes written.
  int AddToFile(FILE* f) const;
  void FromFile(FILE* f);
  void ToBytes(uint8_t* b) const;
  void FromBytes(const uint8_t* b);
};

// One patch of 20 x 20 tiles: its quad indices into the terrain's corner
// arrays (in an element buffer when one could be made) and its box.
class t_Losk {
 public:
  uint32_t elemID = 0;       // element buffer, 0 = none
  uint32_t* idx = nullptr;   // indices in memory, null once the buffer exists
  int32_t count = 0;         // index count
  int32_t ready = 0;
  vec3 boxC{0, 0, 0};        // box centre
  vec3 boxH{0.5f, 0.5f, 0.5f};  // box half-size
  int32_t drawn = 0;         // drawn in the last pass
  int32_t spare = 0;

  t_Losk() = default;
  t_Losk(const t_Losk&) = delete;
  t_Losk& operator=(const t_Losk&) = delete;
  ~t_Losk();  // frees the indices; the element buffer goes with Sbros

  void Init(int n, int mapSide, int divisions);
  int Draw(int noCull);
  int TryFru();
  void Sbros();  // deletes the element buffer (GL) and frees the indices
  void gbSbros();
};

class t_PlitHold {
 public:
  vec3 Vrt[kPlitCorners];        // corner positions; tile i owns 4i .. 4i+3
  vec2 UV2[kPlitCorners];        // atlas coordinates of the same corners
  uint8_t Clr[kPlitCorners][4];  // RGBA of the same corners
  uint32_t VrtID = 0, UV2ID = 0, ClrID = 0;  // static buffers, 0 = drawn from memory
  t_Losk Losk[kLoskCount];
  int32_t DirtyVrt = 0, DirtyUV2 = 0, DirtyClr = 0;  // consumed by Resident
  t_Plit1 Plit[kPlitTiles];

  // An all-type-1 map with zero corners, atlas cell (1, 4) everywhere, no buffers.
  t_PlitHold();
  // Memory only: GL buffers are released by ReleaseGL while the context exists.
  ~t_PlitHold() = default;
  t_PlitHold(const t_PlitHold&) = delete;
  t_PlitHold& operator=(const t_PlitHold&) = delete;

  // Indices and coordinates.
  static int YchOut(int i) { return i < 0 || i >= kPlitTiles; }
  static void NomTo2(int i, int& x, int& z) { x = i % kPlitSide, z = i / kPlitSide; }
  static int NomFrom2(int x, int z);  // 1-based column and row
  static int YchFrCoord(float x, float z);
  vec3 Vx(int i, int k) const;

  // Neighbours by keypad direction (8 = the row before); -1 when none.
  static int isTopBort(int i) { return i < kPlitSide; }
  static int isBBort(int i) { return i >= kPlitTiles - kPlitSide; }
  static int isLBort(int i) { return i % kPlitSide == 0; }
  static int isRBort(int i) { return i % kPlitSide == kPlitSide - 1; }
  static int NearUp8(int i);
  static int NearDn2(int i);
  static int NearLeft4(int i);
  static int NearRit6(int i);
  static int NearUg7(int i);
  static int NearUg9(int i);
  static int NearUg1(int i);
  static int NearUg3(int i);

  // Heights.
  int GetYPereWithVertikLine(float x, float& y, float z) const;
  float GetMidY(int i) const;
  float GetMaxY(int i) const;
  float GetMaxY(float x, float z) const { return GetMaxY(YchFrCoord(x, z)); }
  void PlitVertSameY(int i, float y, int clearByte);
  void VertY(int i, int k, float y, int clearByte);
  void PlitSetY(int i, float y, int onlyThis);
  void PlitSetY_FrHMap(int i, float y);
  void MoveY(int i, float dy);
  void PlitSetY_3x3(int i, float y, float k);
  void MoveY_3x3(int i, float dy, float k);
  void FindPlatoStatus(int i);
  static int ZnaSame4(float a, float b, float c, float d, float tol);
  static void ZnaMinMax4(float& mn, float& mx, float a, float b, float c, float d);

  // Types and the texture atlas.
  void SetOnlyType(int i, int type);
  void SetOnlyTypeBelt1(int i, int type);
  void SetUVTypeBelt1(int i, int type);
  void SetUVSlo2(int i, int type, int variant, int rotation, int extra);
  int TypeLandSame2(int i, int type) const;
  static int TexRegFromPlitType(int type);
  static void TexRegionTiles(int region, int& variant, int& a, int& b, int (&order)[4]);

  // Walkability layers.
  void reUpdatePafLay();
  void reSbrosPafLay();
  void PafLayOkupOuterMas(int i, int l1, int l2, int l3, int l4, int l5);
  void PafLayOkupOuterMas(int x, int z, int l1, int l2, int l3, int l4, int l5);
  void PafLayClearOuterMas(int i);
  void PafLayClearOuterMas(int x, int z);

  // Lay-out, buffers and drawing.
  void PlitXZ_Init();
  void FirstLayout();  // the body of Plit_Init
  void UpdateVBO(int pos, int uv, int colour);
  void reMakeVBO(int pos, int uv, int colour);
  void Resident();
  void ReleaseGL();  // buffers and patches; needs the GL context
  void Plit_Draw();
  void Plit_DrawEdge();
  void Plit_DrawWater();
  // Frustum test of every patch (what Plit_Draw's culling costs); the count seen.
  int CullPatches();

  // Files and the height map.
  static constexpr int kRecordFixed = kPlitCorners * 3 + kPlitTiles * 6;  // 720,000
  int RecordSize() const;  // kRecordFixed + 16 per tile with a free height
  int AddToFile(FILE* f) const;  // 1 when the whole record was written
  int FromFile(FILE* f);         // 1 when a whole, sound record was read and applied
  int FromRecord(const uint8_t* data, size_t size);  // the same from memory
  int InitHMap(const std::string& name);
  void SetHMapByte();

 private:
  void SetYAround(int i, float y, int onlyThis, int clearByte);
  void MarkLayersOfType(int x, int z, int type);
};

extern t_PlitHold PlitHold;

// Texture-generation planes of the terrain pass.
extern float Plit1_s_coeff[4];
extern float Plit1_t_coeff[4];
extern float LM_s_coeff[4];
extern float LM_t_coeff[4];

// Free functions on the global terrain.
float Plit_MidY(float x, float z);
int Plit_GetOpora(float& y, float x, float yDefault, float z);
float Plit_GetOpora(float x, float yDefault, float z);
float Plit_GetOpora(vec3& p);
vec3 Plit_GetOporaPos(vec3 p);
vec3 Plit_GetMidYchCoord(vec3 p);
float Plit_xzGetMaxY(float x, float z);
void Plit_SetTypeAnUV(int i, int type, int flag = 0, int lo = 0, int hi = 0, int steps = 0);
void Plit_SetTypeAnUV_Sand(int i);
void Plit_SetTypeAnUV_Holm(int i);
void Plit_Init();
void Plit_Kill();
int Plit_Save(const std::string& name);
int Plit_Load(const std::string& name);
int Plit_AddToFile(FILE* f);
int Plit_FromFile(FILE* f);
void test_PlitHoldGetYPere();
void test_BlokKubs();

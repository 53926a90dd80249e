// Models: static triangle meshes loaded at start-up into six model groups.
// A group keeps all its meshes' vertices in shared arrays (client memory and,
// where possible, static vertex buffers); a model pass binds a group once and
// objects draw single meshes of it by number. A group can be written to and
// read from a binary model block.
#pragma once

#include <cstdint>
#include <istream>
#include <string>

#include "core/core.h"

class typeMdlGruVBO;

// One mesh of a group.
class Mesh0 {
 public:
  static constexpr int kIndexed = 0, kExpanded = 10;

  unsigned elemBuf = 0;  // static index buffer, 0 none
  int indKlv = 0;        // 3 x triangles, set with the index buffer
  int layout = 0;        // 0 indexed (drawn from the triangle indices); 10 expanded (a vertex range)
  int primitive = 0;     // 0..7: triangles, polygon, lines, fan, quads, line strip, strip, quad strip
  int firstV = 0;        // first vertex in the group arrays
  int klvV = 0;          // group vertices the mesh occupies
  int klvTri = 0;
  float scalar = 0;      // carried for the objects and the block
  int16_t valA = 0;
  int16_t faceFlag = 0;  // nonzero: the file carries three floats per triangle
  int16_t pairs[8];      // four pairs, -1 by default
  uint32_t* tri = nullptr;  // 3 per triangle: absolute group vertices (indexed) or own corners (expanded)
  float* face = nullptr;    // 3 per triangle
  // An indexed triangle mesh mirrored at load (an odd number of its axes
  // negated) winds its front faces clockwise; `turned` holds its triangles
  // with their first two corners swapped, counter-clockwise again (the
  // triangle the rasteriser itself turns a clockwise one into, so that both
  // give the same pixels), and turnedBuf their static index buffer. Null and
  // 0 for every other mesh.
  uint32_t* turned = nullptr;
  unsigned turnedBuf = 0;
  float turnedReach = 0;  // with `turned`: the farthest vertex's distance from the model origin

  Mesh0();
  // Frees the arrays only: GL objects are released by Sbros while a context exists.
  ~Mesh0();
  Mesh0(const Mesh0&) = delete;
  Mesh0& operator=(const Mesh0&) = delete;

  void Sbros();
  int SetMainMas();
  int Ind_TryStartVBO();
  // Makes `turned` (and its buffer) from the triangles, and its reach from
  // the group positions it was loaded into; 0 when out of memory.
  int MakeTurned(const vec3* groupPos);
  // Loads a text model into the group at the group's load cursor; 0 (and the
  // cursor unchanged) for a file that cannot be read, does not fit the group
  // or names a vertex or texture point it does not have.
  int LoadFromTxt(std::string file, typeMdlGruVBO* group);
  int LoadBin(std::string file, std::string tag);
  int SaveBin();
  void CalcNormals();

 private:
  void FreeArrays();
  void DeleteElemBuf();
};

// A texture-coordinate table of its own, used while a model is expanded.
class OuterUV {
 public:
  int klvPoints = 0;
  vec2* points = nullptr;
  int klvTri = 0;
  uint32_t* tri = nullptr;

  OuterUV() = default;
  ~OuterUV() { Sbros(); }
  OuterUV(const OuterUV&) = delete;
  OuterUV& operator=(const OuterUV&) = delete;
  int InerInit();
  void Sbros();
};

// One model group.
class typeMdlGruVBO {
 public:
  int klvV = 0;
  int klvMesh = 0;
  unsigned bufPos = 0, bufNrm = 0, bufUV1 = 0, bufUV2 = 0;
  vec3* pos = nullptr;
  vec3* nrm = nullptr;
  vec2* uv1 = nullptr;
  vec2* uv2 = nullptr;
  Mesh0* mMesh = nullptr;

  typeMdlGruVBO() { InitZero(); }
  // Frees client memory only (see Mesh0).
  ~typeMdlGruVBO();
  typeMdlGruVBO(const typeMdlGruVBO&) = delete;
  typeMdlGruVBO& operator=(const typeMdlGruVBO&) = delete;

  void InitZero();
  int ReGetMemory(int meshCount, int vertexCount);
  int ReGetMem_mMesh(int n);
  int ReGetMem_mVert(int n);
  int UpLoadToVBO();
  void SetPointerRAM();
  int SetPointerVBO();
  Mesh0* Get_pMesh(int i);
  void Sbros();
  void Sbros_VBO();
  void Sbros_mMesh();
  void Sbros_mVert();

  // The binary block: the whole group in one little-endian file.
  int SaveBinBlok1(std::string fileName);  // 1 written; 0 failed, the old block kept
  int LoadBinBlok1(ByteLenta* block);
};

constexpr int kMdlGroups = 6;
extern typeMdlGruVBO MdlGVBO[kMdlGroups];

// Binding state.
extern int Glob_D1g;             // the bound group, -1 none
extern int priv_DrawMeshWayVBO;  // meshes draw their indices from element buffers
extern int bindUseVBO;           // vertex buffers are bound
extern int LoadOffsetVGru;       // next free vertex of the group being loaded

// Binds a group for drawing (ram nonzero: client memory); nothing while
// another group is bound, for a group outside 0..5, or for group 1 while
// o2::NeedLoadEtapMeshOK is 0.
void Bind_MGru(int group, int ram);
void BindClear_MGru();

// Vertices a model of this header places: 3 x triangles when it is expanded,
// else its vertex count.
struct t_MdlTxtHead {
  int V = 0, T = 0, U1 = 0, U2 = 0;
  int16_t faceFlag = 0;
  int16_t pairs[8] = {};
  int negate[3] = {};
  float offset[3] = {};
  int useOffset[3] = {};
  float scalar = 0;
  int16_t valA = 0;
  int layout = 0;
  int primitive = 0;
  bool Expanded() const { return layout == Mesh0::kExpanded; }
  int VerticesPlaced() const { return Expanded() ? 3 * T : V; }
};
// Reads lines 1-14 of a text model and settles the layout (10 when the
// texture tables do not match the vertices, 0 for any other value than 10).
// false when a value is missing or a count is out of range.
bool MdlTxt_ReadHead(std::istream& in, t_MdlTxtHead& h);

namespace _Mesh_Sbor {
void DrawMesh_Uni(Mesh0* m);
// Draws a mesh whose front faces wind clockwise as DrawMesh_Uni between
// glFrontFace(GL_CW) and glFrontFace(GL_CCW) does, pixel for pixel: from its
// turned triangles where it has them and the caller knows the mesh lies
// wholly in the view volume, with the front face left alone (each change of
// it makes the driver flush its vertex pipeline); else, and under the
// RenderM_EachOrderAlone hook, by switching the front face. (GL cuts a
// triangle that crosses the view volume's sides from its corners in their
// order: cut, a turned triangle may differ from the clockwise one in a
// pixel's last bit.)
void DrawMesh_FrontCW(Mesh0* m, bool inView);
int LoadMeshGru(std::string listFile, int groupArg);
// Sums the vertices the loader will place for `count` entries of the list;
// 0 when a model file cannot be read.
int PrepLoadFromSingles(std::istream& list, std::string& name, std::string& archive, int count);
}  // namespace _Mesh_Sbor

int LoadGeneralModels();
void MdlGVBO_PreExit();
// Writes group n (0..5) as the block file "mdl_<n>" in the current directory.
int MdlGVBO_SaveGru(int n);

// Upper bounds of what a model list or block may ask for.
constexpr int kMdlMaxVertices = 1000000;
constexpr int kMdlMaxMeshes = 30000;

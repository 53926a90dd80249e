// Text models and the model list: the header, the indexed and expanded
// layouts, and the two passes over the list (count, then load).
#include "render/models.h"

#include <cmath>
#include <sstream>
#include <vector>

#include "render/shellglue.h"
#include "render/textfile.h"

namespace {

// Model and list files are small; anything larger is not one of them.
constexpr size_t kMaxModelFileBytes = 64u << 20;

void Skip(std::istream& in, int lines) {
  std::string line;
  for (int i = 0; i < lines; ++i) std::getline(in, line);
}

bool ReadModelText(const std::string& file, std::string& text) {
  return ReadTextFileDropCR(file.c_str(), text, kMaxModelFileBytes);
}

// Offsets first (where asked), then negation (where asked).
vec3 Placed(vec3 p, const t_MdlTxtHead& h) {
  for (int a = 0; a < 3; ++a) {
    if (h.useOffset[a]) p[a] += h.offset[a];
    if (h.negate[a]) p[a] = -p[a];
  }
  return p;
}

vec3 Cut(vec3 v, int n) {
  for (int a = 0; a < 3; ++a) FloOkrugl4(v[a], n);
  return v;
}

// T lines of three 1-based numbers, each 1..limit; stored as number - 1 + base.
bool ReadTriangles(std::istream& in, int T, int limit, uint32_t base, uint32_t* out) {
  for (int i = 0; i < 3 * T; ++i) {
    long long n = 0;
    if (!(in >> n) || n < 1 || n > limit) return false;
    out[i] = static_cast<uint32_t>(n - 1) + base;
  }
  return true;
}

bool ReadFloats(std::istream& in, int n, float* out) {
  for (int i = 0; i < n; ++i)
    if (!(in >> out[i])) return false;
  return true;
}

// The face-data block: skip 1 (the end of the triangle lines); when the file
// carries it, a label line, T lines of three floats and the end of the last.
bool ReadFaceData(std::istream& in, const t_MdlTxtHead& h, float* face) {
  Skip(in, 1);
  if (!h.faceFlag) return true;
  Skip(in, 1);
  if (!ReadFloats(in, 3 * h.T, face)) return false;
  Skip(in, 1);
  return true;
}

// A texture table of its own and its triangles, written per corner.
bool ReadOuterUV(std::istream& in, int points, int T, vec2* out) {
  OuterUV uv;
  uv.klvPoints = points;
  uv.klvTri = T;
  if (!uv.InerInit()) return false;
  Skip(in, 1);
  if (!ReadFloats(in, 2 * points, &uv.points[0].x)) return false;
  Skip(in, 2);
  if (!ReadTriangles(in, T, points, 0, uv.tri)) return false;
  Skip(in, 1);
  for (int i = 0; i < 3 * T; ++i) out[i] = uv.points[uv.tri[i]];
  return true;
}

bool LoadIndexed(std::istream& in, const t_MdlTxtHead& h, typeMdlGruVBO& g, int cur, Mesh0& m) {
  std::string rest;
  Skip(in, 1);
  for (int i = 0; i < h.V; ++i) {
    vec3 p;
    if (!(in >> p.x >> p.y >> p.z)) return false;
    std::getline(in, rest);
    g.pos[cur + i] = Placed(p, h);
  }
  Skip(in, 2);
  if (!ReadTriangles(in, h.T, h.V, static_cast<uint32_t>(cur), m.tri)) return false;
  if (!ReadFaceData(in, h, m.face)) return false;
  Skip(in, 1);
  if (!ReadFloats(in, 3 * h.V, &g.nrm[cur].x)) return false;
  Skip(in, 2);
  return ReadFloats(in, 2 * h.V, &g.uv1[cur].x);
}

bool LoadExpanded(std::istream& in, const t_MdlTxtHead& h, typeMdlGruVBO& g, int cur, Mesh0& m) {
  std::string rest;
  std::vector<vec3> pts(static_cast<size_t>(h.V)), nrms(static_cast<size_t>(h.V));
  Skip(in, 1);
  for (vec3& p : pts) {
    if (!(in >> p.x >> p.y >> p.z)) return false;
    std::getline(in, rest);
    for (int a = 0; a < 3; ++a)
      if (std::fabs(p[a]) < 0.0001f) p[a] = 0;
    p = Cut(Placed(p, h), 100);
  }
  Skip(in, 2);
  if (!ReadTriangles(in, h.T, h.V, 0, m.tri)) return false;
  if (!ReadFaceData(in, h, m.face)) return false;
  Skip(in, 1);
  if (h.V && !ReadFloats(in, 3 * h.V, &nrms[0].x)) return false;
  Skip(in, 1);
  for (int i = 0; i < 3 * h.T; ++i) {
    g.pos[cur + i] = Cut(pts[m.tri[i]], 100);
    g.nrm[cur + i] = Cut(nrms[m.tri[i]], 1000);
  }
  if (h.U1 && !ReadOuterUV(in, h.U1, h.T, g.uv1 + cur)) return false;
  if (h.U2 && !ReadOuterUV(in, h.U2, h.T, g.uv2 + cur)) return false;
  return true;
}

bool InRange(int v) { return v >= 0 && v <= kMdlMaxVertices; }

enum { kModelOk, kModelUnreadable, kModelBadHead };

// Reads a model file and its header; the stream is left after the header.
int OpenModel(const std::string& file, std::istringstream& in, t_MdlTxtHead& h) {
  std::string text;
  if (!ReadModelText(file, text)) return kModelUnreadable;
  in.str(text);
  if (!MdlTxt_ReadHead(in, h)) {
    LogFail("\n model %s: bad header", file.c_str());
    return kModelBadHead;
  }
  return kModelOk;
}

}  // namespace

bool MdlTxt_ReadHead(std::istream& in, t_MdlTxtHead& h) {
  Skip(in, 2);
  in >> h.V >> h.T >> h.U1 >> h.U2 >> h.faceFlag;
  for (int16_t& p : h.pairs) in >> p;
  in >> h.negate[0] >> h.negate[1] >> h.negate[2];
  for (int a = 0; a < 3; ++a) in >> h.offset[a] >> h.useOffset[a];
  in >> h.scalar >> h.valA >> h.layout >> h.primitive;
  Skip(in, 1);
  if (in.fail()) return false;
  if (!InRange(h.V) || !InRange(h.T) || !InRange(h.U1) || !InRange(h.U2)) return false;
  if (h.layout != Mesh0::kExpanded)
    h.layout = (h.U1 != 0 && h.U1 != h.V) || (h.U2 != 0 && h.U2 != h.V) ? Mesh0::kExpanded : Mesh0::kIndexed;
  return h.VerticesPlaced() <= kMdlMaxVertices;
}

int Mesh0::LoadFromTxt(std::string file, typeMdlGruVBO* group) {
  if (!group || !group->pos) return 0;
  std::istringstream in;
  t_MdlTxtHead h;
  int opened = OpenModel(file, in, h);
  if (opened == kModelUnreadable) LogFail("\n model %s: cannot be read", file.c_str());
  if (opened != kModelOk) return 0;
  const int cur = LoadOffsetVGru;
  const int need = h.VerticesPlaced();
  if (cur < 0 || need > group->klvV - cur) {
    LogFail("\n model %s: %d vertices do not fit the group (%d of %d used)", file.c_str(), need, cur,
            group->klvV);
    return 0;
  }
  Sbros();
  klvTri = h.T;
  if (!SetMainMas()) return 0;
  bool ok = h.Expanded() ? LoadExpanded(in, h, *group, cur, *this) : LoadIndexed(in, h, *group, cur, *this);
  if (!ok) {
    LogFail("\n model %s: a value is missing or names a vertex or texture point it does not have",
            file.c_str());
    Sbros();
    klvTri = klvV = 0;
    return 0;
  }
  layout = h.layout;
  primitive = h.primitive;
  firstV = cur;
  klvV = need;
  scalar = h.scalar;
  valA = h.valA;
  faceFlag = h.faceFlag;
  for (int i = 0; i < 8; ++i) pairs[i] = h.pairs[i];
  if (layout == kIndexed) Ind_TryStartVBO();
  const bool mirrored = ((h.negate[0] != 0) + (h.negate[1] != 0) + (h.negate[2] != 0)) % 2 == 1;
  if (layout == kIndexed && primitive == 0 && mirrored && !MakeTurned(group->pos)) {
    LogFail("\n model %s: no memory for its turned triangles", file.c_str());
    Sbros();
    klvTri = klvV = 0;
    return 0;
  }
  LoadOffsetVGru = cur + need;
  return 1;
}

namespace _Mesh_Sbor {

namespace {

// One list entry: a label line, "slot flag", one character, the model file
// and the archive line (both trimmed).
bool ReadEntry(std::istream& list, int& slot, std::string& name, std::string& archive) {
  std::string line;
  std::getline(list, line);
  int flag = 0;
  if (!(list >> slot >> flag)) return false;
  list.get();
  std::getline(list, name);
  std::getline(list, archive);
  name = TextTrimS(name);
  archive = TextTrimS(archive);
  return !list.fail();
}

}  // namespace

// Every entry counts what the loader will place for it, by the same header
// rules, so the group's arrays always hold what the second pass writes.
int PrepLoadFromSingles(std::istream& list, std::string& name, std::string& archive, int count) {
  long long sum = 0;
  for (int i = 0; i < count; ++i) {
    int slot = 0;
    if (!ReadEntry(list, slot, name, archive)) return 0;
    std::istringstream in;
    t_MdlTxtHead h;
    int opened = OpenModel(name, in, h);
    if (opened == kModelUnreadable) {
      LogInfo("\n%s..\n %s: %s (mdl txt) ... arh(%s)", MixDateCh(0, 0, 1), MsgBase(26), name.c_str(),
              archive.c_str());
      LogFail("\n model %s: missing or unreadable", name.c_str());
    }
    if (opened != kModelOk) return 0;
    sum += h.VerticesPlaced();
    if (sum > kMdlMaxVertices) {
      LogFail("\n model list: more than %d vertices", kMdlMaxVertices);
      return 0;
    }
  }
  return static_cast<int>(sum);
}

int LoadMeshGru(std::string listFile, int groupArg) {
  std::string text;
  if (!ReadModelText(listFile, text)) return 0;
  std::istringstream list(text);
  std::string line, name, archive;
  std::getline(list, line);
  int group = 0, count = 0, binFlag = 0;
  if (!(list >> group >> count >> binFlag)) return 0;
  list.get();
  if (groupArg >= 0) group = groupArg;
  if (group < 0 || group >= kMdlGroups) return 0;
  LoadOffsetVGru = 0;
  typeMdlGruVBO& g = MdlGVBO[group];

  if (binFlag > 0) {
    std::getline(list, name);
    std::getline(list, archive);
    ByteLenta block;
    if (!GetByteLenta(block, TextTrimS(name), "", TextTrimS(archive), 0)) return 0;
    block.IntRead(1);
    block.UIntRead(1);
    int meshes = block.IntRead(1);
    int vertices = block.IntRead(1);
    if (!g.ReGetMemory(meshes, vertices)) return 0;
    if (g.LoadBinBlok1(&block)) return 1;
    LogFail("\n model block %s: refused", TextTrimS(name).c_str());
    g.Sbros();
    return 0;
  }

  if (count < 1 || count > kMdlMaxMeshes) return 0;
  Skip(list, 2);
  int sum = PrepLoadFromSingles(list, name, archive, count);
  if (sum <= 2) return 0;
  ++sum;

  std::istringstream again(text);
  Skip(again, 1);
  int ignored = 0;
  again >> ignored >> ignored >> ignored;
  again.get();
  if (!g.ReGetMemory(count, sum)) return 0;
  Skip(again, 2);
  for (int i = 0; i < count; ++i) {
    int slot = 0;
    if (!ReadEntry(again, slot, name, archive)) {
      g.Sbros();
      return 0;
    }
    if (slot < 0) slot = 0;
    if (slot > count - 1) slot = count - 1;
    if (!g.mMesh[slot].LoadFromTxt(name, &g)) {
      g.Sbros();
      return 0;
    }
  }
  g.UpLoadToVBO();
  return 1;
}

}  // namespace _Mesh_Sbor

int LoadGeneralModels() {
  LastFailClear();
  if (_Mesh_Sbor::LoadMeshGru("base/msh_sbr0.txt", 0)) return 1;
  std::string cause = LastFailText();
  if (cause.empty()) {
    const char* why = sysNotRegularFile("base/msh_sbr0.txt");
    cause = why ? std::string("the file is ") + why : "its header, an entry or a model it names is not readable";
  }
  LogFail("\n model list base/msh_sbr0.txt: %s", cause.c_str());
  return 0;
}

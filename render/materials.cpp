// Materials and render-state records, their files and their lists.
#include "render/OpenGL_Ext.h"
#include "render/materials.h"

#include <sstream>

#include "render/rendermash.h"
#include "render/textfile.h"

int Material_RS::PredBind = -10;
Material_RS MatRS[kMatSlots];

int _RState_Sbor::PredZapros = -10;
short _RState_Sbor::n_AutoNormalsE = 0;
_RState_Sbor RenderSt[kRenderStSlots];

namespace {

// The 19 floats of a material in file order.
float* MaterialValue(Material_RS& m, int i) {
  if (i < 4) return &m.colour[i];
  vec3* v[5] = {&m.ambient, &m.diffuse, &m.specular, &m.emission, &m.shine};
  return &(*v[(i - 4) / 3])[(i - 4) % 3];
}

// A list of numbered entries: a header line, the count, then per entry a label
// line, "slot kind", the file name line and a second line. Slots above maxSlot
// become maxSlot; a negative slot is logged and its entry skipped (the list then
// answers 0). A failed read or a failed entry ends the list with 0.
template <typename LoadEntry>
int LoadNumberedList(const std::string& listPath, int maxSlot, const char* what, LoadEntry load) {
  std::string text;
  if (!ReadTextFileDropCR(listPath.c_str(), text)) return 0;
  std::istringstream in(text);
  std::string line;
  std::getline(in, line);
  short count = 0;
  if (!(in >> count)) return 0;
  in.get();
  int result = 1;
  for (int k = 0; k < count; ++k) {
    std::getline(in, line);
    short slot = 0, kind = 0;
    if (!(in >> slot)) return 0;
    if (slot > maxSlot) slot = static_cast<short>(maxSlot);
    in >> kind;
    in.get();
    std::string name, second;
    if (!std::getline(in, name) || !std::getline(in, second)) return 0;
    if (slot < 0) {
      LogInfo("\n %s list %s: entry %d names slot %d, skipped", what, listPath.c_str(), k, slot);
      result = 0;
      continue;
    }
    if (!load(slot, kind, TextTrimS(name), TextTrimS(second))) return 0;
  }
  return result;
}

// A header line, then n values read with >> in order; a value that does not
// read ends the reading and leaves it and the rest as they were. 0 when the
// file does not open.
template <typename T, typename Put>
int ReadTextValues(const std::string& path, int n, bool restOfLine, Put put) {
  std::string text;
  if (!ReadTextFileDropCR(path.c_str(), text)) return 0;
  std::istringstream in(text);
  std::string line;
  std::getline(in, line);
  for (int i = 0; i < n; ++i) {
    T v{};
    if (!(in >> v)) break;
    put(i, v);
    if (restOfLine) std::getline(in, line);
  }
  return 1;
}

// The whole file through the byte stream: two words skipped, then n values
// (0 past the end). 0 when the file cannot be read or the tag is too long.
template <typename Read>
int ReadBinValues(const std::string& path, const std::string& tag, int n, Read read) {
  ByteLenta b;
  if (!GetByteLenta(b, path, "", tag, 0)) return 0;
  b.IntRead(1);
  b.UIntRead(1);
  for (int i = 0; i < n; ++i) read(i, b);
  return 1;
}

// Inside a model run: whether binds share colour material, and whether it
// is known to be on.
bool sharing = false;
bool colourOn = false;

void SendColour(GLenum face, GLenum which, const vec3& v) {
  const float c[4] = {v.x, v.y, v.z, 1.0f};
  glMaterialfv(face, which, c);
}

}  // namespace

int Material_RS::StartVers() {
  colour[0] = colour[1] = colour[2] = colour[3] = 1.0f;
  ambient = vec3(0, 0, 0);
  diffuse = vec3(1, 1, 1);
  specular = vec3(0, 0, 0);
  emission = vec3(0, 0, 0);
  shine = vec3(0, 0, 0);
  return 0;
}

void Material_RS::Bind(Material_RS& m, short face) {
  if (!colourOn) {
    glEnable(GL_COLOR_MATERIAL);
    colourOn = sharing;
  }
  glColor4fv(m.colour);
  if (face < 1 || face > 3 || m.id == PredBind) return;
  PredBind = m.id;
  GLenum f = face == 1 ? GL_FRONT : face == 2 ? GL_BACK : GL_FRONT_AND_BACK;
  SendColour(f, GL_AMBIENT, m.ambient);
  SendColour(f, GL_DIFFUSE, m.diffuse);
  SendColour(f, GL_SPECULAR, m.specular);
  SendColour(f, GL_EMISSION, m.emission);
  glMaterialf(f, GL_SHININESS, m.shine.x);
}

void Material_RS::ShareBegin() {
  sharing = !RenderM_EachOrderAlone;
  colourOn = false;
}

void Material_RS::ShareEnd() { sharing = colourOn = false; }

void Material_RS::ColourMaterialOff() { colourOn = false; }

int Material_RS::LoadFromTxtFile(Material_RS& m, std::string path) {
  return ReadTextValues<float>(path, 19, false, [&m](int i, float v) { *MaterialValue(m, i) = v; });
}

int Material_RS::LoadBin(Material_RS& m, std::string path, std::string tag) {
  return ReadBinValues(path, tag, 19, [&m](int i, ByteLenta& b) { *MaterialValue(m, i) = b.FloRead(1); });
}

void MatRS_InitProc() {
  for (int i = 0; i < kMatSlots; ++i) MatRS[i].id = i + 1;
}

int MatRS_LoadSbor(std::string listPath) {
  return LoadNumberedList(listPath, kMatSlots - 1, "material",
                          [](int slot, short kind, const std::string& name, const std::string& second) {
                            return kind != 0 ? Material_RS::LoadFromTxtFile(MatRS[slot], name)
                                             : Material_RS::LoadBin(MatRS[slot], name, second);
                          });
}

int _RState_Sbor::LoadFromTxtFile(_RState_Sbor& r, std::string path) {
  return ReadTextValues<short>(path, n_Last + 1, true, [&r](int i, short v) { r.values[i] = v; });
}

int _RState_Sbor::LoadBin(_RState_Sbor& r, std::string path, std::string tag) {
  return ReadBinValues(path, tag, n_Last + 1, [&r](int i, ByteLenta& b) { r.values[i] = b.ShortRead(1); });
}

void RenderSt_InitProc() {
  for (int i = 0; i < kRenderStSlots; ++i) RenderSt[i].id = i + 1;
}

int RenderSt_LoadSbor(std::string listPath) {
  return LoadNumberedList(listPath, kRenderStSlots - 1, "render-state",
                          [](int slot, short kind, const std::string& name, const std::string& second) {
                            return kind != 0 ? _RState_Sbor::LoadFromTxtFile(RenderSt[slot], name)
                                             : _RState_Sbor::LoadBin(RenderSt[slot], name, second);
                          });
}

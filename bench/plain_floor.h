// The floor a game frame's model draws are measured against: the same
// meshes, matrices and triangles drawn again through plain GL, one draw a
// part from buffer objects, with the state each part was drawn with as GL
// held it (its lights, in eye space; its colour, material and winding; its
// texture), sent only where it changes, the arrays set once a group, and the
// parts ordered so that those who share lights and material follow each
// other. The frame is taken through the draw hook of tests/common/gl_count.h:
// a program using it is built with velmar_count_gl_calls and includes this
// in the one file that includes that.
#pragma once

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <tuple>
#include <vector>

#include "render/OpenGL_Ext.h"
#include "render/render.h"
#include "tests/common/gl_count.h"

class t_PlainFloor {
 public:
  // Eight GL lights: per light on, position, ambient, diffuse, specular, spot
  // direction, spot exponent and cutoff, three attenuations.
  static constexpr int kLightValues = 25;
  using t_Lights = std::array<GLfloat, 8 * kLightValues>;
  // The current colour; the front material's ambient, diffuse, specular,
  // emission and shininess; colour material, lighting, face culling and the
  // front winding.
  using t_Look = std::array<GLfloat, 25>;

  t_PlainFloor() = default;
  t_PlainFloor(const t_PlainFloor&) = delete;
  t_PlainFloor& operator=(const t_PlainFloor&) = delete;
  ~t_PlainFloor() { Release(); }

  // Runs `frame` with its model draws (the draws while a model group is
  // bound) taken, and puts their meshes in buffer objects. False when GL has
  // no buffer objects, a draw could not be taken or there was none.
  bool Take(const std::function<void()>& frame) {
    Release();
    if (!glGenBuffersARB || !glBindBufferARB || !glBufferDataARB || !glDeleteBuffersARB) return false;
    taking = this;
    glcount::onDraw = Capture;
    frame();
    glcount::onDraw = nullptr;
    taking = nullptr;
    if (!ok || parts.empty()) return false;
    std::stable_sort(parts.begin(), parts.end(), [](const t_Part& a, const t_Part& b) {
      return std::tie(a.lights, a.look, a.group, a.texture) < std::tie(b.lights, b.look, b.group, b.texture);
    });
    elements = Buffer(GL_ELEMENT_ARRAY_BUFFER_ARB, indices.data(), indices.size() * 4);
    for (int g = 0; g < kMdlGroups; ++g) {
      const typeMdlGruVBO& m = MdlGVBO[g];
      if (m.klvV < 1) continue;
      pos[g] = Buffer(GL_ARRAY_BUFFER_ARB, m.pos, size_t(m.klvV) * sizeof(vec3));
      nrm[g] = Buffer(GL_ARRAY_BUFFER_ARB, m.nrm, size_t(m.klvV) * sizeof(vec3));
      uv[g] = Buffer(GL_ARRAY_BUFFER_ARB, m.uv1, size_t(m.klvV) * sizeof(vec2));
    }
    return true;
  }

  // The parts taken, with the projection of the frame in place; the state the
  // parts needed is left off again, the modelview and the client texture
  // unit as they were, and the game's record of the material GL holds is
  // cleared.
  void Draw() const {
    GLint clientUnit = GL_TEXTURE0_ARB;
    if (glClientActiveTextureARB) {
      glGetIntegerv(GL_CLIENT_ACTIVE_TEXTURE_ARB, &clientUnit);
      glClientActiveTextureARB(GL_TEXTURE0_ARB);
    }
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    glBindBufferARB(GL_ELEMENT_ARRAY_BUFFER_ARB, elements);
    int lit = -1, look = -1, group = -1;
    GLuint texture = ~0u;
    for (const t_Part& d : parts) {
      if (d.lights != lit) {
        SetLights(lightSets[size_t(d.lights)], lit < 0 ? nullptr : &lightSets[size_t(lit)]);
        lit = d.lights;
      }
      if (d.look != look) SetLook(looks[size_t(look = d.look)]);
      if (d.group != group) Arrays(group = d.group);
      if (d.texture != texture) {
        texture = d.texture;
        if (texture) {
          glEnable(GL_TEXTURE_2D);
          glBindTexture(GL_TEXTURE_2D, texture);
        } else {
          glDisable(GL_TEXTURE_2D);
        }
      }
      glLoadMatrixf(d.matrix);
      if (d.indexed)
        glDrawElements(d.mode, d.count, GL_UNSIGNED_INT, reinterpret_cast<const void*>(size_t(d.first) * 4));
      else
        glDrawArrays(d.mode, d.first, d.count);
    }
    glBindBufferARB(GL_ELEMENT_ARRAY_BUFFER_ARB, 0);
    glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    for (int i = 0; i < 8; ++i) glDisable(GL_LIGHT0 + i);
    glDisable(GL_LIGHTING);
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    glFrontFace(GL_CCW);
    glPopMatrix();
    if (glClientActiveTextureARB) glClientActiveTextureARB(static_cast<GLenum>(clientUnit));
    Material_RS::PredBind = -10;
  }

  size_t Parts() const { return parts.size(); }
  size_t LightSets() const { return lightSets.size(); }
  size_t Looks() const { return looks.size(); }

 private:
  // One model draw: its group, texture, primitive, the matrix it was drawn
  // with, where its vertices are (a range of the group's, or indices placed
  // in the element buffer), and its lights and look.
  struct t_Part {
    int group, lights, look;
    GLuint texture;
    GLenum mode;
    bool indexed;
    GLint first;  // first vertex, or first index in the element buffer
    GLsizei count;
    float matrix[16];
  };

  static inline t_PlainFloor* taking = nullptr;

  std::vector<t_Part> parts;
  std::vector<uint32_t> indices;        // of every indexed mesh drawn, once each
  std::map<const void*, GLint> placed;  // a mesh's indices -> their first in `indices`
  std::vector<t_Lights> lightSets;
  std::vector<t_Look> looks;
  std::map<t_Lights, int> lightsAt;
  std::map<t_Look, int> looksAt;
  GLuint elements = 0, pos[kMdlGroups] = {}, nrm[kMdlGroups] = {}, uv[kMdlGroups] = {};
  bool ok = true;

  void Release() {
    if (glDeleteBuffersARB) {
      if (elements) glDeleteBuffersARB(1, &elements);
      for (int g = 0; g < kMdlGroups; ++g) {
        if (pos[g]) glDeleteBuffersARB(1, &pos[g]);
        if (nrm[g]) glDeleteBuffersARB(1, &nrm[g]);
        if (uv[g]) glDeleteBuffersARB(1, &uv[g]);
      }
    }
    elements = 0;
    std::fill(std::begin(pos), std::end(pos), 0u);
    std::fill(std::begin(nrm), std::end(nrm), 0u);
    std::fill(std::begin(uv), std::end(uv), 0u);
    parts.clear();
    indices.clear();
    placed.clear();
    lightSets.clear();
    looks.clear();
    lightsAt.clear();
    looksAt.clear();
    ok = true;
  }

  template <typename T>
  static int Index(const T& value, std::vector<T>& list, std::map<T, int>& at) {
    auto it = at.emplace(value, static_cast<int>(list.size())).first;
    if (it->second == static_cast<int>(list.size())) list.push_back(value);
    return it->second;
  }

  // The indices of the mesh of the bound group that a model draw names: its
  // client-memory indices, or, drawn from an element buffer, the mesh's (or
  // its turned ones).
  static const uint32_t* MeshIndices(const void* indices) {
    if (indices) return static_cast<const uint32_t*>(indices);
    GLint bound = 0;
    glGetIntegerv(GL_ELEMENT_ARRAY_BUFFER_BINDING_ARB, &bound);
    const typeMdlGruVBO& g = MdlGVBO[Glob_D1g];
    for (int i = 0; i < g.klvMesh && bound; ++i) {
      if (g.mMesh[i].elemBuf == static_cast<unsigned>(bound)) return g.mMesh[i].tri;
      if (g.mMesh[i].turnedBuf == static_cast<unsigned>(bound)) return g.mMesh[i].turned;
    }
    return nullptr;
  }

  static t_Lights LightsNow() {
    t_Lights l{};
    for (int i = 0; i < 8; ++i) {
      const GLenum n = GL_LIGHT0 + i;
      GLfloat* v = &l[size_t(i) * kLightValues];
      if (!glIsEnabled(GL_LIGHTING) || !glIsEnabled(n)) continue;
      v[0] = 1;
      glGetLightfv(n, GL_POSITION, v + 1);
      glGetLightfv(n, GL_AMBIENT, v + 5);
      glGetLightfv(n, GL_DIFFUSE, v + 9);
      glGetLightfv(n, GL_SPECULAR, v + 13);
      glGetLightfv(n, GL_SPOT_DIRECTION, v + 17);
      glGetLightfv(n, GL_SPOT_EXPONENT, v + 20);
      glGetLightfv(n, GL_SPOT_CUTOFF, v + 21);
      glGetLightfv(n, GL_CONSTANT_ATTENUATION, v + 22);
      glGetLightfv(n, GL_LINEAR_ATTENUATION, v + 23);
      glGetLightfv(n, GL_QUADRATIC_ATTENUATION, v + 24);
    }
    return l;
  }

  static t_Look LookNow() {
    t_Look k{};
    glGetFloatv(GL_CURRENT_COLOR, &k[0]);
    glGetMaterialfv(GL_FRONT, GL_AMBIENT, &k[4]);
    glGetMaterialfv(GL_FRONT, GL_DIFFUSE, &k[8]);
    glGetMaterialfv(GL_FRONT, GL_SPECULAR, &k[12]);
    glGetMaterialfv(GL_FRONT, GL_EMISSION, &k[16]);
    glGetMaterialfv(GL_FRONT, GL_SHININESS, &k[20]);
    k[21] = glIsEnabled(GL_COLOR_MATERIAL);
    k[22] = glIsEnabled(GL_LIGHTING);
    k[23] = glIsEnabled(GL_CULL_FACE);
    GLint winding = GL_CCW;
    glGetIntegerv(GL_FRONT_FACE, &winding);
    k[24] = winding == GL_CW;
    return k;
  }

  // Takes a model draw of the frame.
  static void Capture(GLenum mode, GLint first, GLsizei count, GLenum type, const void* drawn) {
    t_PlainFloor& f = *taking;
    if (Glob_D1g < 0 || Glob_D1g >= kMdlGroups) return;
    t_Part d{};
    d.group = Glob_D1g;
    GLint tex = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &tex);
    d.texture = glIsEnabled(GL_TEXTURE_2D) ? static_cast<GLuint>(tex) : 0;
    d.mode = mode;
    d.count = count;
    d.first = first;
    glGetFloatv(GL_MODELVIEW_MATRIX, d.matrix);
    d.lights = Index(LightsNow(), f.lightSets, f.lightsAt);
    d.look = Index(LookNow(), f.looks, f.looksAt);
    d.indexed = type != 0;
    if (d.indexed) {
      const uint32_t* tri = type == GL_UNSIGNED_INT ? MeshIndices(drawn) : nullptr;
      if (!tri) {
        f.ok = false;
        return;
      }
      auto at = f.placed.find(tri);
      if (at == f.placed.end()) {
        at = f.placed.emplace(tri, static_cast<GLint>(f.indices.size())).first;
        f.indices.insert(f.indices.end(), tri, tri + count);
      }
      d.first = at->second;
    }
    f.parts.push_back(d);
  }

  static GLuint Buffer(GLenum target, const void* data, size_t bytes) {
    GLuint b = 0;
    glGenBuffersARB(1, &b);
    glBindBufferARB(target, b);
    glBufferDataARB(target, static_cast<GLsizeiptrARB>(bytes), data, GL_STATIC_DRAW_ARB);
    glBindBufferARB(target, 0);
    return b;
  }

  void Arrays(int g) const {
    glBindBufferARB(GL_ARRAY_BUFFER_ARB, pos[g]);
    glVertexPointer(3, GL_FLOAT, 0, nullptr);
    glBindBufferARB(GL_ARRAY_BUFFER_ARB, nrm[g]);
    glNormalPointer(GL_FLOAT, 0, nullptr);
    glBindBufferARB(GL_ARRAY_BUFFER_ARB, uv[g]);
    glTexCoordPointer(2, GL_FLOAT, 0, nullptr);
  }

  // The lights that differ from those `before` set (all, without it). GL
  // keeps positions and spot directions in eye space: they are sent under
  // the identity.
  static void SetLights(const t_Lights& l, const t_Lights* before) {
    glLoadIdentity();
    for (int i = 0; i < 8; ++i) {
      const GLenum n = GL_LIGHT0 + i;
      const GLfloat* v = &l[size_t(i) * kLightValues];
      if (before && std::equal(v, v + kLightValues, &(*before)[size_t(i) * kLightValues])) continue;
      if (!v[0]) {
        glDisable(n);
        continue;
      }
      glEnable(n);
      glLightfv(n, GL_POSITION, v + 1);
      glLightfv(n, GL_AMBIENT, v + 5);
      glLightfv(n, GL_DIFFUSE, v + 9);
      glLightfv(n, GL_SPECULAR, v + 13);
      glLightfv(n, GL_SPOT_DIRECTION, v + 17);
      glLightf(n, GL_SPOT_EXPONENT, v[20]);
      glLightf(n, GL_SPOT_CUTOFF, v[21]);
      glLightf(n, GL_CONSTANT_ATTENUATION, v[22]);
      glLightf(n, GL_LINEAR_ATTENUATION, v[23]);
      glLightf(n, GL_QUADRATIC_ATTENUATION, v[24]);
    }
  }

  static void SetLook(const t_Look& k) {
    glDisable(GL_COLOR_MATERIAL);
    glMaterialfv(GL_FRONT, GL_AMBIENT, &k[4]);
    glMaterialfv(GL_FRONT, GL_DIFFUSE, &k[8]);
    glMaterialfv(GL_FRONT, GL_SPECULAR, &k[12]);
    glMaterialfv(GL_FRONT, GL_EMISSION, &k[16]);
    glMaterialf(GL_FRONT, GL_SHININESS, k[20]);
    glColor4fv(&k[0]);
    if (k[21]) glEnable(GL_COLOR_MATERIAL);
    if (k[22]) glEnable(GL_LIGHTING); else glDisable(GL_LIGHTING);
    if (k[23]) glEnable(GL_CULL_FACE); else glDisable(GL_CULL_FACE);
    glFrontFace(k[24] ? GL_CW : GL_CCW);
  }
};

// Framebuffer objects in the role of pbuffers.
#include "render/OpenGL_Ext.h"
#include "render/PBuffer.h"

#include "render/drawhelpers.h"
#include "render/sdlglue.h"
#include "render/shellglue.h"
#include "ui/ui.h"

PBuffer pbufferLand(512, 512, PBUF_ALPHA | PBUF_TEX_2D, true);
unsigned pbufferTexLand = 0;
CPixelBuffer PixBuf512_1;

namespace {

constexpr int kMaxUnits = 8;
constexpr GLenum kDrawFramebufferBinding = 0x8CA6;  // GL_DRAW_FRAMEBUFFER_BINDING
constexpr GLenum kReadFramebufferBinding = 0x8CAA;  // GL_READ_FRAMEBUFFER_BINDING
constexpr GLenum kReadFramebuffer = 0x8CA8;         // GL_READ_FRAMEBUFFER
constexpr GLenum kDrawFramebuffer = 0x8CA9;         // GL_DRAW_FRAMEBUFFER

PFNGLBINDFRAMEBUFFERPROC bindFramebufferSplit = nullptr;  // core 3.0: read and draw apart

int TextureUnits() {
  GLint units = 1;
  if (glActiveTextureARB) glGetIntegerv(GL_MAX_TEXTURE_UNITS_ARB, &units);
  return units < 1 ? 1 : units > kMaxUnits ? kMaxUnits : units;
}

void SelectUnit(int u) {
  if (glActiveTextureARB) glActiveTextureARB(GL_TEXTURE0_ARB + u);
}

bool HaveContext() { return RenderHaveContext(); }

}  // namespace

bool PBuf_Available() {
  return GL_EXT_framebuffer_object_supported && glGenFramebuffersEXT && glBindFramebufferEXT &&
         glFramebufferTexture2DEXT && glFramebufferRenderbufferEXT && glGenRenderbuffersEXT &&
         glRenderbufferStorageEXT && glCheckFramebufferStatusEXT && glDeleteFramebuffersEXT &&
         glDeleteRenderbuffersEXT;
}

// Everything of the scene that drawing into a buffer could change.
struct t_PBufSavedState {
  GLint drawFbo = 0, readFbo = 0;
  GLint arrayBuffer = 0, elementBuffer = 0;
  GLint matrixMode = GL_MODELVIEW;
  GLfloat projection[16], modelview[16], texture[kMaxUnits][16];
  int units = 1;
  int state2D = 0;
};

namespace {

t_PBufSavedState savedStates[4];
bool savedInUse[4];

t_PBufSavedState* TakeSaveSlot() {
  for (int i = 0; i < 4; ++i)
    if (!savedInUse[i]) {
      savedInUse[i] = true;
      return &savedStates[i];
    }
  return nullptr;
}

void GiveSaveSlot(t_PBufSavedState* s) {
  for (int i = 0; i < 4; ++i)
    if (s == &savedStates[i]) savedInUse[i] = false;
}

void SaveScene(t_PBufSavedState& s) {
  if (!bindFramebufferSplit && GLMajorVersion >= 3)
    bindFramebufferSplit = reinterpret_cast<PFNGLBINDFRAMEBUFFERPROC>(wglGetProcAddress("glBindFramebuffer"));
  glGetIntegerv(kDrawFramebufferBinding, &s.drawFbo);
  s.readFbo = s.drawFbo;
  if (bindFramebufferSplit) glGetIntegerv(kReadFramebufferBinding, &s.readFbo);
  if (glBindBufferARB) {
    glGetIntegerv(GL_ARRAY_BUFFER_BINDING_ARB, &s.arrayBuffer);
    glGetIntegerv(GL_ELEMENT_ARRAY_BUFFER_BINDING_ARB, &s.elementBuffer);
  }
  glGetIntegerv(GL_MATRIX_MODE, &s.matrixMode);
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
  glGetFloatv(GL_PROJECTION_MATRIX, s.projection);
  glGetFloatv(GL_MODELVIEW_MATRIX, s.modelview);
  s.units = TextureUnits();
  for (int u = 0; u < s.units; ++u) {
    SelectUnit(u);
    glGetFloatv(GL_TEXTURE_MATRIX, s.texture[u]);
  }
  s.state2D = *o2::State2D;
}

void RestoreScene(const t_PBufSavedState& s) {
  if (bindFramebufferSplit) {
    bindFramebufferSplit(kDrawFramebuffer, static_cast<GLuint>(s.drawFbo));
    bindFramebufferSplit(kReadFramebuffer, static_cast<GLuint>(s.readFbo));
  } else {
    glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, static_cast<GLuint>(s.drawFbo));
  }
  glMatrixMode(GL_TEXTURE);
  for (int u = 0; u < s.units; ++u) {
    SelectUnit(u);
    glLoadMatrixf(s.texture[u]);
  }
  glMatrixMode(GL_PROJECTION);
  glLoadMatrixf(s.projection);
  glMatrixMode(GL_MODELVIEW);
  glLoadMatrixf(s.modelview);
  glPopClientAttrib();
  glPopAttrib();
  glMatrixMode(static_cast<GLenum>(s.matrixMode));
  if (glBindBufferARB) {
    glBindBufferARB(GL_ARRAY_BUFFER_ARB, static_cast<GLuint>(s.arrayBuffer));
    glBindBufferARB(GL_ELEMENT_ARRAY_BUFFER_ARB, static_cast<GLuint>(s.elementBuffer));
  }
  *o2::State2D = s.state2D;
}

// The state of a fresh GL context, in the framebuffer object fbo of w x h.
// No texture stays bound, so nothing can sample the texture being drawn into.
void FreshContext(unsigned fbo, int w, int h, int units) {
  glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, fbo);
  glViewport(0, 0, w, h);
  glScissor(0, 0, w, h);
  static const GLenum kOff[] = {GL_SCISSOR_TEST, GL_DEPTH_TEST,  GL_BLEND,          GL_ALPHA_TEST,
                                GL_LIGHTING,     GL_FOG,         GL_CULL_FACE,      GL_COLOR_MATERIAL,
                                GL_STENCIL_TEST, GL_NORMALIZE,   GL_POLYGON_OFFSET_FILL, GL_LINE_STIPPLE,
                                GL_LINE_SMOOTH,  GL_POINT_SMOOTH, GL_POLYGON_SMOOTH, GL_COLOR_LOGIC_OP};
  for (GLenum cap : kOff) glDisable(cap);
  for (int i = 0; i < 8; ++i) glDisable(GL_LIGHT0 + i);
  glEnable(GL_DITHER);
  glMatrixMode(GL_TEXTURE);
  for (int u = units - 1; u >= 0; --u) {
    SelectUnit(u);
    glLoadIdentity();
    glDisable(GL_TEXTURE_1D);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_TEXTURE_CUBE_MAP_ARB);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glDisable(GL_TEXTURE_GEN_R);
    glDisable(GL_TEXTURE_GEN_Q);
    glBindTexture(GL_TEXTURE_2D, 0);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    if (glClientActiveTextureARB) glClientActiveTextureARB(GL_TEXTURE0_ARB + u);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  }
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glDisableClientState(GL_VERTEX_ARRAY);
  glDisableClientState(GL_NORMAL_ARRAY);
  glDisableClientState(GL_COLOR_ARRAY);
  if (glBindBufferARB) {
    glBindBufferARB(GL_ARRAY_BUFFER_ARB, 0);
    glBindBufferARB(GL_ELEMENT_ARRAY_BUFFER_ARB, 0);
  }
  glDepthFunc(GL_LESS);
  glDepthMask(GL_TRUE);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  glClearColor(0, 0, 0, 0);
  glClearDepth(1.0);
  glClearStencil(0);
  glBlendFunc(GL_ONE, GL_ZERO);
  glAlphaFunc(GL_ALWAYS, 0);
  glShadeModel(GL_SMOOTH);
  glFrontFace(GL_CCW);
  glCullFace(GL_BACK);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glLineWidth(1);
  glColor4f(1, 1, 1, 1);
  glPixelStorei(GL_PACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  *o2::State2D = 0;
}

// Saves the scene and makes fbo the drawing target; null when nothing more
// can be saved (buffers nest at most four deep).
t_PBufSavedState* Enter(unsigned fbo, int w, int h, void (*init)()) {
  t_PBufSavedState* s = TakeSaveSlot();
  if (!s) return nullptr;
  SaveScene(*s);
  FreshContext(fbo, w, h, s->units);
  if (init) init();
  return s;
}

void Leave(t_PBufSavedState*& s) {
  if (!s) return;
  RestoreScene(*s);
  GiveSaveSlot(s);
  s = nullptr;
}

// Builds a framebuffer object with a colour texture or renderbuffer and an
// optional depth (and stencil) renderbuffer; the scene's bindings stay as found.
bool BuildFbo(int w, int h, bool colourTexture, bool alpha, bool depth, bool stencil, unsigned& fbo,
              unsigned& colourTex, unsigned& colourRb, unsigned& depthRb) {
  GLint prevFbo = 0, prevRb = 0, prevTex = 0;
  glGetIntegerv(GL_FRAMEBUFFER_BINDING_EXT, &prevFbo);
  glGetIntegerv(GL_RENDERBUFFER_BINDING_EXT, &prevRb);
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &prevTex);
  GLuint id = 0;
  glGenFramebuffersEXT(1, &id);
  fbo = id;
  glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, fbo);
  if (colourTexture) {
    glGenTextures(1, &id);
    colourTex = id;
    glBindTexture(GL_TEXTURE_2D, colourTex);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, alpha ? GL_RGBA8 : GL_RGB8, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glFramebufferTexture2DEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D, colourTex, 0);
  } else {
    glGenRenderbuffersEXT(1, &id);
    colourRb = id;
    glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, colourRb);
    glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, alpha ? GL_RGBA8 : GL_RGB8, w, h);
    glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_RENDERBUFFER_EXT, colourRb);
  }
  if (depth || stencil) {
    glGenRenderbuffersEXT(1, &id);
    depthRb = id;
    glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, depthRb);
    glRenderbufferStorageEXT(GL_RENDERBUFFER_EXT, GL_DEPTH24_STENCIL8_EXT, w, h);
    if (depth) glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT, depthRb);
    if (stencil)
      glFramebufferRenderbufferEXT(GL_FRAMEBUFFER_EXT, GL_STENCIL_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT, depthRb);
  }
  bool complete = glCheckFramebufferStatusEXT(GL_FRAMEBUFFER_EXT) == GL_FRAMEBUFFER_COMPLETE_EXT;
  glBindFramebufferEXT(GL_FRAMEBUFFER_EXT, static_cast<GLuint>(prevFbo));
  glBindRenderbufferEXT(GL_RENDERBUFFER_EXT, static_cast<GLuint>(prevRb));
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(prevTex));
  return complete;
}

void DeleteFbo(unsigned& fbo, unsigned& colourTex, unsigned& colourRb, unsigned& depthRb) {
  bool any = fbo || colourTex || colourRb || depthRb;
  if (any && HaveContext() && PBuf_Available()) {
    GLuint ids[2] = {colourRb, depthRb};
    if (fbo) {
      GLuint f = fbo;
      glDeleteFramebuffersEXT(1, &f);
    }
    glDeleteRenderbuffersEXT(2, ids);
    if (colourTex) {
      GLuint t = colourTex;
      glDeleteTextures(1, &t);
    }
  }
  fbo = colourTex = colourRb = depthRb = 0;
}

int MaxSide() {
  GLint max = 0;
  glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE_EXT, &max);
  return max > 0 ? max : 512;
}

}  // namespace

// ---- PBuffer ----

PBuffer::PBuffer(int w, int h, int m, bool shared) : width(w), height(h), mode(m), sharedContext(shared) {}

PBuffer::~PBuffer() { clear(); }

void PBuffer::reInit(int w, int h, int m, bool shared) {
  clear();
  width = w;
  height = h;
  mode = m;
  sharedContext = shared;
  boundToTexture = false;
}

bool PBuffer::create() {
  if (fbo || !PBuf_Available() || width < 1 || height < 1) return false;
  int max = MaxSide();  // a driver may give a smaller buffer than asked
  if (width > max) width = max;
  if (height > max) height = max;
  bool texture = (mode & (PBUF_TEX_1D | PBUF_TEX_2D)) != 0;
  if (!BuildFbo(width, height, texture, (mode & PBUF_ALPHA) != 0, (mode & PBUF_DEPTH) != 0,
                (mode & PBUF_STENCIL) != 0, fbo, colourTex, colourRb, depthRb)) {
    DeleteFbo(fbo, colourTex, colourRb, depthRb);
    return false;
  }
  return true;
}

void PBuffer::clear() {
  if (saved) restoreCurrent();
  DeleteFbo(fbo, colourTex, colourRb, depthRb);
  boundToTexture = false;
}

bool PBuffer::makeCurrent() {
  if (!fbo) return false;
  if (saved) return true;
  saved = Enter(fbo, width, height, contextInit);
  return saved != nullptr;
}

bool PBuffer::restoreCurrent() {
  if (!saved) return false;
  Leave(saved);
  return true;
}

bool PBuffer::isLost() { return fbo == 0; }

bool PBuffer::bindToTexture(int) {
  if (!fbo || !colourTex) return false;
  glBindTexture(GL_TEXTURE_2D, colourTex);
  boundToTexture = true;
  return true;
}

bool PBuffer::unbindFromTexture(int) {
  if (!fbo || !colourTex) return false;
  boundToTexture = false;
  return true;
}

bool PBuffer::setAttr(int, int) { return fbo != 0; }

bool PBuffer::setCubemapSide(int face) {
  if (!(mode & PBUF_TEX_CUBE)) return false;
  glFlush();
  return setAttr(0, face);
}

void PBuffer::printLastError() {}  // framebuffer objects leave no system error behind

// ---- CPixelBuffer ----

CPixelBuffer::~CPixelBuffer() {
  Release();
  width = height = colorBits = depthBits = 0;
  share = false;
}

void CPixelBuffer::Init(int w, int h, int colour, int depth, bool shared) {
  width = w;
  height = h;
  colorBits = colour;
  depthBits = depth;
  share = shared;
  if (fbo || !PBuf_Available() || w < 1 || h < 1) return;
  unsigned noTex = 0;
  if (BuildFbo(w, h, false, colour >= 32, depth > 0, false, fbo, noTex, colourRb, depthRb))
    valid = true;
  else
    DeleteFbo(fbo, noTex, colourRb, depthRb);
}

bool CPixelBuffer::Activate() {
  if (!valid) return false;
  if (saved) Deactivate();
  saved = Enter(fbo, width, height, contextInit);
  return saved != nullptr;
}

void CPixelBuffer::Deactivate() { Leave(saved); }

void CPixelBuffer::Restore() {}  // framebuffer objects are never lost

void CPixelBuffer::Release() {
  Deactivate();
  unsigned noTex = 0;
  DeleteFbo(fbo, noTex, colourRb, depthRb);
  valid = false;
}

// ---- set-ups ----

void SimplePBuf2_initGL() {
  glClearColor(0, 0, 0, 0);
  glClearDepth(1.0);
  glShadeModel(GL_SMOOTH);
  glDepthFunc(GL_LESS);
  glDisable(GL_DEPTH_TEST);
  glFrontFace(GL_CCW);
  glCullFace(GL_BACK);
}

void SimplePBuf_initGL() {
  glClearColor(0, 0, 0, 1);
  glEnable(GL_DEPTH_TEST);
  glEnable(GL_TEXTURE_2D);
  glDepthFunc(GL_LEQUAL);
}

int RenderTarg_initPBuffer() {
  if (!pbufferLand.create()) return 0;
  pbufferLand.setContextInit(SimplePBuf2_initGL);
  if (pbufferLand.makeCurrent()) pbufferLand.restoreCurrent();
  // The buffer draws straight into its colour texture: that is the picture.
  pbufferTexLand = pbufferLand.getTexture();
  if (!pbufferTexLand) {
    GLuint t = 0;
    glGenTextures(1, &t);
    pbufferTexLand = t;
  }
  glBindTexture(GL_TEXTURE_2D, pbufferTexLand);
  OGL::TexClamp(1);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  if (pbufferLand.getMode() & PBUF_MIPMAP) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    if (GL_SGIS_generate_mipmap_supported) glTexParameteri(GL_TEXTURE_2D, GL_GENERATE_MIPMAP_SGIS, GL_TRUE);
  }
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, pbufferLand.getWidth(), pbufferLand.getHeight(), 0, GL_RGBA,
               GL_UNSIGNED_BYTE, nullptr);
  return 1;
}

// Counts the GL calls a test or benchmark program makes, without touching the
// game's code: the GL functions it links are wrapped by the linker (each name
// in the list below gets -Wl,--wrap=<name> from velmar_count_gl_calls in
// cmake/Velmar.cmake, which reads this list), and the entry points loaded at
// run time are swapped for counting ones once they are loaded. Include it in
// exactly one file of a program built with velmar_count_gl_calls.
//
// The linked wrappers are two-instruction trampolines (count, then jump to
// the real function), so they need no signatures; they are x86-64 code. The
// two draws of vertex arrays, glDrawArrays and glDrawElements, have wrappers
// of their own that also count the draws and the triangles drawn, and hand
// each draw to a hook a benchmark may set.
#pragma once

#include "render/OpenGL_Ext.h"

// The GL 1.x functions the program's libraries call (the undefined gl*
// symbols of their archives). X(name)
#define VELMAR_COUNTED_GL(X)                                                                                   \
  X(glAlphaFunc) X(glBegin) X(glBindTexture) X(glBitmap) X(glBlendFunc) X(glCallList) X(glCallLists)           \
  X(glClear) X(glClearColor) X(glClearDepth) X(glClearStencil) X(glColor3f) X(glColor3ub) X(glColor4f)         \
  X(glColor4fv) X(glColor4ub) X(glColorMask) X(glColorPointer) X(glCopyTexSubImage2D) X(glCullFace)            \
  X(glDeleteLists) X(glDeleteTextures) X(glDepthFunc) X(glDepthMask) X(glDisable) X(glDisableClientState)      \
  X(glDrawPixels) X(glEnable) X(glEnableClientState) X(glEnd) X(glEndList)   \
  X(glFinish) X(glFlush) X(glFogf) X(glFogfv) X(glFogi) X(glFrontFace) X(glFrustum) X(glGenLists)              \
  X(glGenTextures) X(glGetDoublev) X(glGetFloatv) X(glGetIntegerv) X(glGetString) X(glGetTexLevelParameteriv) \
  X(glHint) X(glInitNames) X(glInterleavedArrays) X(glLightModelfv) X(glLightModeli) X(glLightf) X(glLightfv)  \
  X(glLineWidth) X(glListBase) X(glLoadIdentity) X(glLoadMatrixf) X(glMaterialf) X(glMaterialfv)               \
  X(glMatrixMode) X(glNewList) X(glNormal3d) X(glNormal3f) X(glNormal3fv) X(glNormalPointer) X(glOrtho)       \
  X(glPixelStorei) X(glPolygonMode) X(glPolygonOffset) X(glPopAttrib) X(glPopClientAttrib) X(glPopMatrix)     \
  X(glPopName) X(glPushAttrib) X(glPushClientAttrib) X(glPushMatrix) X(glPushName) X(glRasterPos2f)           \
  X(glRasterPos2i) X(glReadPixels) X(glRenderMode) X(glRotatef) X(glScalef) X(glScissor) X(glSelectBuffer)    \
  X(glShadeModel) X(glTexCoord2f) X(glTexCoordPointer) X(glTexEnvf) X(glTexEnvi) X(glTexGenfv) X(glTexGeni)   \
  X(glTexImage2D) X(glTexParameteri) X(glTexSubImage2D) X(glTranslatef) X(glVertex2f) X(glVertex2fv)          \
  X(glVertex2i) X(glVertex3d) X(glVertex3dv) X(glVertex3f) X(glVertex3fv) X(glVertexPointer) X(glViewport)

// The draws of vertex arrays, wrapped by functions of their own below.
#define VELMAR_COUNTED_GL_DRAWS(X) X(glDrawArrays) X(glDrawElements)

extern "C" long velmar_gl_calls;
long velmar_gl_calls = 0;

#if !defined(__x86_64__)
#error "the GL call counter's trampolines are x86-64 code"
#endif

#define VELMAR_GL_TRAMPOLINE(name)                  \
  asm(".text\n"                                     \
      ".globl __wrap_" #name "\n"                   \
      ".type __wrap_" #name ", @function\n"         \
      "__wrap_" #name ":\n"                         \
      "  addq $1, velmar_gl_calls(%rip)\n"          \
      "  jmp __real_" #name "@PLT\n"                \
      ".size __wrap_" #name ", .-__wrap_" #name "\n");
VELMAR_COUNTED_GL(VELMAR_GL_TRAMPOLINE)
#undef VELMAR_GL_TRAMPOLINE

namespace glcount {

inline long draws = 0, triangles = 0;

// Called before each array draw while set: glDrawArrays gives its first
// vertex and type 0, glDrawElements first 0, its index type and indices.
inline void (*onDraw)(GLenum mode, GLint first, GLsizei count, GLenum type, const void* indices) = nullptr;

// The triangles `count` vertices of a primitive make.
inline long Triangles(GLenum mode, long count) {
  switch (mode) {
    case GL_TRIANGLES: return count / 3;
    case GL_TRIANGLE_STRIP: case GL_TRIANGLE_FAN: case GL_POLYGON: return count > 2 ? count - 2 : 0;
    case GL_QUADS: return count / 4 * 2;
    case GL_QUAD_STRIP: return count > 3 ? (count - 2) / 2 * 2 : 0;
    default: return 0;
  }
}

inline void Drawn(GLenum mode, GLint first, GLsizei count, GLenum type, const void* indices) {
  ++velmar_gl_calls;
  ++draws;
  triangles += Triangles(mode, count);
  if (onDraw) onDraw(mode, first, count, type, indices);
}

}  // namespace glcount

extern "C" void __real_glDrawArrays(GLenum mode, GLint first, GLsizei count);
extern "C" void __real_glDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices);
extern "C" void __wrap_glDrawArrays(GLenum mode, GLint first, GLsizei count) {
  glcount::Drawn(mode, first, count, 0, nullptr);
  __real_glDrawArrays(mode, first, count);
}
extern "C" void __wrap_glDrawElements(GLenum mode, GLsizei count, GLenum type, const void* indices) {
  glcount::Drawn(mode, 0, count, type, indices);
  __real_glDrawElements(mode, count, type, indices);
}

namespace glcount {

// A loaded entry point's counting stand-in: counts, then calls the real one.
template <auto* Slot, typename F>
struct Counted;
template <auto* Slot, typename R, typename... A>
struct Counted<Slot, R(APIENTRY*)(A...)> {
  static inline R(APIENTRY* real)(A...) = nullptr;
  static R APIENTRY Call(A... a) {
    ++velmar_gl_calls;
    return real(a...);
  }
  static void Install() {
    if (!*Slot || *Slot == &Call) return;
    real = *Slot;
    *Slot = &Call;
  }
};

// Swaps every loaded entry point for its counting stand-in; call it after the
// extensions are loaded.
inline void CountLoadedEntryPoints() {
#define VELMAR_COUNT_ENTRY(name, type, flag) Counted<&velmar_##name, type>::Install();
  VELMAR_GL_ENTRY_POINTS(VELMAR_COUNT_ENTRY)
  VELMAR_GL_CORE_ENTRY_POINTS(VELMAR_COUNT_ENTRY)
#undef VELMAR_COUNT_ENTRY
}

inline long Calls() { return velmar_gl_calls; }
inline long Draws() { return draws; }
inline long TrianglesDrawn() { return triangles; }

}  // namespace glcount

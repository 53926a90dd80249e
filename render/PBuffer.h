// Off-screen pixel buffers, served by framebuffer objects: making a buffer
// current saves the whole GL state of the scene (attributes, client state,
// matrices, viewport, active units, bound framebuffer and buffers) and gives
// the buffer a context state of its own; restoring puts the scene back exactly.
#pragma once

#include <cstdint>

// Mode bits of PBuffer.
enum : int {
  PBUF_ALPHA = 0x1,
  PBUF_DEPTH = 0x2,
  PBUF_STENCIL = 0x4,
  PBUF_ACCUM = 0x8,
  PBUF_DOUBLE = 0x10,
  PBUF_TEX_1D = 0x20,
  PBUF_TEX_2D = 0x40,
  PBUF_TEX_CUBE = 0x80,
  PBUF_MIPMAP = 0x100,
};

// A WGL attribute list: 20 name/value pairs, zero-terminated.
template <typename T>
struct AttrList {
  T attrs[40];
  int count;
  AttrList() : count(0) { clear(); }
  void clear() {
    for (T& a : attrs) a = 0;
    count = 0;
  }
  void add(T name, T value) {
    if (count >= 20) return;
    attrs[2 * count] = name;
    attrs[2 * count + 1] = value;
    ++count;
  }
  T* getAttrs() { return attrs; }
};

// The scene state a buffer saves while it is current (internal).
struct t_PBufSavedState;

class PBuffer {
 public:
  PBuffer(int width, int height, int mode, bool sharedContext);
  ~PBuffer();
  PBuffer(const PBuffer&) = delete;
  PBuffer& operator=(const PBuffer&) = delete;

  void reInit(int width, int height, int mode, bool sharedContext);
  bool create();
  void clear();
  bool makeCurrent();
  bool restoreCurrent();
  bool isLost();
  bool bindToTexture(int buffer);
  bool unbindFromTexture(int buffer);
  bool setAttr(int name, int value);
  bool setCubemapSide(int face);
  int getMode() const { return mode; }
  int getWidth() const { return width; }
  int getHeight() const { return height; }
  void printLastError();

  // The buffer's own context state, applied after every makeCurrent on top of
  // a fresh context's defaults (what an own GL context would have kept).
  void setContextInit(void (*init)()) { contextInit = init; }
  // The colour texture that render-to-texture buffers draw into (0 for others).
  unsigned getTexture() const { return colourTex; }
  bool isCurrent() const { return saved != nullptr; }

 private:
  unsigned fbo = 0, colourTex = 0, colourRb = 0, depthRb = 0;
  int width, height, mode;
  bool sharedContext;
  bool boundToTexture = false;
  t_PBufSavedState* saved = nullptr;
  void (*contextInit)() = nullptr;
};

class CPixelBuffer {
 public:
  int width = 0, height = 0;
  int colorBits = 0, depthBits = 0;
  bool share = false;
  bool valid = false;

  CPixelBuffer() = default;
  ~CPixelBuffer();
  CPixelBuffer(const CPixelBuffer&) = delete;
  CPixelBuffer& operator=(const CPixelBuffer&) = delete;

  void Init(int w, int h, int colorBits, int depthBits, bool share);
  // True when the buffer is now the drawing target. A buffer that is not valid
  // is never made current: callers must then skip their drawing, which would
  // otherwise land in the scene's own framebuffer.
  bool Activate();
  void Deactivate();
  void Restore();
  void Release();
  void setContextInit(void (*init)()) { contextInit = init; }
  bool isActive() const { return saved != nullptr; }

 private:
  unsigned fbo = 0, colourRb = 0, depthRb = 0;
  t_PBufSavedState* saved = nullptr;
  void (*contextInit)() = nullptr;
};

extern PBuffer pbufferLand;
extern unsigned pbufferTexLand;
extern CPixelBuffer PixBuf512_1;

int RenderTarg_initPBuffer();
void SimplePBuf2_initGL();
void SimplePBuf_initGL();

// Framebuffer objects are there (the pbuffer stand-in works).
bool PBuf_Available();

// A real GL window for the text tests (the render tests' window: no
// multisampling) with an orthographic 2D pass over the whole window and pixel
// read-back helpers.
#pragma once

#include <GL/gl.h>

#include "tests/render/gl_window.h"

#include <vector>

struct TestGLWindow {
  int w = 0, h = 0;

  bool Open(int width = 800, int height = 600) {
    if (!TestGLWindowOpen(width, height)) return false;
    w = width;
    h = height;
    Begin2DPass();
    return true;
  }

  // Pixel projection over the window, y up from the bottom edge.
  void Begin2DPass() {
    glViewport(0, 0, w, h);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, w, 0, h, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
  }

  void Clear() {
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }

  // RGBA bytes of a rectangle, bottom row first.
  std::vector<unsigned char> Read(int x, int y, int rw, int rh) const {
    std::vector<unsigned char> px(static_cast<size_t>(rw) * rh * 4);
    glFinish();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, rw, rh, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
    return px;
  }

  // Pixels of a rectangle whose red, green or blue exceeds the threshold.
  int CountLit(int x, int y, int rw, int rh, int threshold = 100) const {
    auto px = Read(x, y, rw, rh);
    int n = 0;
    for (size_t i = 0; i < px.size(); i += 4)
      if (px[i] > threshold || px[i + 1] > threshold || px[i + 2] > threshold) ++n;
    return n;
  }
};

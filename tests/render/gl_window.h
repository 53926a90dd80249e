// A real GL window for the render tests: hidden, double-buffered, RGBA 8 bits
// with depth and stencil, no multisampling, made current on creation.
#pragma once

#include <cstdint>

bool TestGLWindowOpen(int w, int h);
void TestGLWindowClose();
// Releases the context (GL calls then reach no driver) and makes it current again.
void TestGLRelease();
void TestGLMakeCurrent();
// The pixel (x, y) of the back buffer (origin bottom left) as RGBA bytes.
void TestReadPixel(int x, int y, uint8_t rgba[4]);

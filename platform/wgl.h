// Pixel formats and GL contexts in the shape of WGL and its ARB extensions,
// answered from SDL and GLX: formats are the GLX frame-buffer configurations of
// the display, numbered from 1.
#pragma once

#include "platform/win_types.h"

struct PIXELFORMATDESCRIPTOR {
  WORD nSize;
  WORD nVersion;
  DWORD dwFlags;
  BYTE iPixelType;
  BYTE cColorBits;
  BYTE cRedBits, cRedShift, cGreenBits, cGreenShift, cBlueBits, cBlueShift, cAlphaBits,
      cAlphaShift;
  BYTE cAccumBits, cAccumRedBits, cAccumGreenBits, cAccumBlueBits, cAccumAlphaBits;
  BYTE cDepthBits;
  BYTE cStencilBits;
  BYTE cAuxBuffers;
  BYTE iLayerType;
  BYTE bReserved;
  DWORD dwLayerMask, dwVisibleMask, dwDamageMask;
};
constexpr DWORD PFD_DOUBLEBUFFER = 0x1, PFD_DRAW_TO_WINDOW = 0x4, PFD_SUPPORT_OPENGL = 0x20;
constexpr BYTE PFD_TYPE_RGBA = 0, PFD_MAIN_PLANE = 0;

constexpr int WGL_NUMBER_PIXEL_FORMATS_ARB = 0x2000, WGL_DRAW_TO_WINDOW_ARB = 0x2001,
              WGL_ACCELERATION_ARB = 0x2003, WGL_SUPPORT_OPENGL_ARB = 0x2010,
              WGL_DOUBLE_BUFFER_ARB = 0x2011, WGL_PIXEL_TYPE_ARB = 0x2013,
              WGL_COLOR_BITS_ARB = 0x2014, WGL_RED_BITS_ARB = 0x2015, WGL_GREEN_BITS_ARB = 0x2017,
              WGL_BLUE_BITS_ARB = 0x2019, WGL_ALPHA_BITS_ARB = 0x201B, WGL_DEPTH_BITS_ARB = 0x2022,
              WGL_STENCIL_BITS_ARB = 0x2023, WGL_NO_ACCELERATION_ARB = 0x2025,
              WGL_FULL_ACCELERATION_ARB = 0x2027, WGL_TYPE_RGBA_ARB = 0x202B,
              WGL_SAMPLE_BUFFERS_ARB = 0x2041, WGL_SAMPLES_ARB = 0x2042;

int ChoosePixelFormat(HDC dc, const PIXELFORMATDESCRIPTOR* pfd);  // 0: none fits
BOOL SetPixelFormat(HDC dc, int format, const PIXELFORMATDESCRIPTOR* pfd);
BOOL SwapBuffers(HDC dc);

HGLRC wglCreateContext(HDC dc);
BOOL wglMakeCurrent(HDC dc, HGLRC rc);
BOOL wglDeleteContext(HGLRC rc);
HGLRC wglGetCurrentContext();
HDC wglGetCurrentDC();
void* wglGetProcAddress(const char* name);

// The WGL extensions this layer serves, as a blank-separated string:
// WGL_ARB_extensions_string, and when GLX lists its formats also
// WGL_ARB_pixel_format, WGL_EXT_swap_control and (with multisampled formats)
// WGL_ARB_multisample.
const char* wglGetExtensionsStringARB(HDC dc);
BOOL wglGetPixelFormatAttribivARB(HDC dc, int format, int layer, UINT n, const int* attributes,
                                  int* values);
BOOL wglChoosePixelFormatARB(HDC dc, const int* intAttribs, const float* floatAttribs,
                             UINT maxFormats, int* formats, UINT* numFormats);
BOOL wglSwapIntervalEXT(int interval);

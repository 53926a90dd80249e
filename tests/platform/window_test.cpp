// Windows, pixel formats, GL contexts and display modes under a real X server.
#include <gtest/gtest.h>
#include <GL/gl.h>

#include <cstring>
#include <string>

#include "platform/platform.h"

namespace {

LRESULT QuietProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

struct TestClass {
  explicit TestClass(const char* n) : name(n) {
    WNDCLASSA wc{};
    wc.style = CS_OWNDC;
    wc.lpfnWndProc = QuietProc;
    wc.lpszClassName = name;
    ok = RegisterClassA(&wc) != 0;
  }
  ~TestClass() { UnregisterClassA(name, nullptr); }
  const char* name;
  bool ok = false;
};

int FindFormat(HDC dc, int samples) {
  int attribs[] = {WGL_RED_BITS_ARB, 8, WGL_GREEN_BITS_ARB, 8, WGL_BLUE_BITS_ARB, 8,
                   WGL_ALPHA_BITS_ARB, 8, WGL_DEPTH_BITS_ARB, 24, WGL_STENCIL_BITS_ARB, 8,
                   WGL_DRAW_TO_WINDOW_ARB, 1, WGL_SUPPORT_OPENGL_ARB, 1, WGL_DOUBLE_BUFFER_ARB, 1,
                   WGL_ACCELERATION_ARB, WGL_FULL_ACCELERATION_ARB, WGL_SAMPLE_BUFFERS_ARB,
                   samples > 0 ? 1 : 0, WGL_SAMPLES_ARB, samples, 0, 0};
  int format = 0;
  UINT count = 0;
  if (!wglChoosePixelFormatARB(dc, attribs, nullptr, 1, &format, &count) || count == 0) return 0;
  return format;
}

}  // namespace

TEST(WindowClass, NamesAreUniqueAndReleasedOnlyWhenUnused) {
  TestClass a("velmarTestClassA");
  ASSERT_TRUE(a.ok);
  WNDCLASSA again{};
  again.lpfnWndProc = QuietProc;
  again.lpszClassName = "velmarTestClassA";
  EXPECT_EQ(RegisterClassA(&again), 0);
  EXPECT_EQ(CreateWindowExA(0, "noSuchClass", "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                            nullptr, nullptr),
            nullptr);
  HWND w = CreateWindowExA(0, "velmarTestClassA", "x", WS_POPUP, 0, 0, 64, 48, nullptr, nullptr,
                           nullptr, nullptr);
  ASSERT_NE(w, nullptr);
  EXPECT_FALSE(UnregisterClassA("velmarTestClassA", nullptr));
  EXPECT_TRUE(DestroyWindow(w));
  EXPECT_FALSE(IsWindow(w));
  EXPECT_FALSE(DestroyWindow(w));
}

TEST(PixelFormats, GlxFormatsAnswerTheWglQueries) {
  TestClass c("velmarTestClassF");
  HWND w = CreateWindowExA(0, c.name, "formats", WS_POPUP, 0, 0, 64, 48, nullptr, nullptr, nullptr,
                           nullptr);
  HDC dc = GetDC(w);
  ASSERT_NE(dc, nullptr);
  std::string ext = wglGetExtensionsStringARB(dc);
  EXPECT_NE(ext.find("WGL_ARB_extensions_string"), std::string::npos);
  ASSERT_NE(ext.find("WGL_ARB_pixel_format"), std::string::npos) << ext;
  int what = WGL_NUMBER_PIXEL_FORMATS_ARB, count = 0;
  ASSERT_TRUE(wglGetPixelFormatAttribivARB(dc, 0, 0, 1, &what, &count));
  EXPECT_GT(count, 0);
  int plain = FindFormat(dc, 0);
  ASSERT_GT(plain, 0);
  int attrs[] = {WGL_DEPTH_BITS_ARB, WGL_STENCIL_BITS_ARB, WGL_SAMPLE_BUFFERS_ARB};
  int values[3] = {};
  ASSERT_TRUE(wglGetPixelFormatAttribivARB(dc, plain, 0, 3, attrs, values));
  EXPECT_GE(values[0], 24);
  EXPECT_GE(values[1], 8);
  EXPECT_EQ(values[2], 0);
  EXPECT_FALSE(wglGetPixelFormatAttribivARB(dc, count + 1, 0, 3, attrs, values));
  // No format offers more samples than the X server has.
  EXPECT_EQ(FindFormat(dc, 64), 0);
  ReleaseDC(w, dc);
  DestroyWindow(w);
}

TEST(GLContext, ClearReadBackAndTearDown) {
  TestClass c("velmarTestClassG");
  HWND w = CreateWindowExA(0, c.name, "Velmar test", WS_OVERLAPPEDWINDOW, 0, 0, 160, 120, nullptr,
                           nullptr, nullptr, nullptr);
  HDC dc = GetDC(w);
  PIXELFORMATDESCRIPTOR pfd{};
  pfd.nSize = sizeof pfd;
  pfd.nVersion = 1;
  pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  pfd.cColorBits = 32;
  pfd.cDepthBits = 24;
  pfd.cStencilBits = 8;
  int format = ChoosePixelFormat(dc, &pfd);
  ASSERT_GT(format, 0);
  ASSERT_TRUE(SetPixelFormat(dc, format, &pfd));
  EXPECT_FALSE(SetPixelFormat(dc, format, &pfd));  // once per window
  HGLRC rc = wglCreateContext(dc);
  ASSERT_NE(rc, nullptr);
  ASSERT_TRUE(wglMakeCurrent(dc, rc));
  EXPECT_EQ(wglGetCurrentContext(), rc);
  ShowWindow(w, SW_SHOW);
  GLint depth = 0, stencil = 0;
  glGetIntegerv(GL_DEPTH_BITS, &depth);
  glGetIntegerv(GL_STENCIL_BITS, &stencil);
  EXPECT_GE(depth, 24);
  EXPECT_GE(stencil, 8);
  RECT r{};
  ASSERT_TRUE(GetClientRect(w, &r));
  EXPECT_EQ(r.right, 160);
  EXPECT_EQ(r.bottom, 120);
  glViewport(0, 0, 160, 120);
  glClearColor(1, 0, 0, 0);
  glClear(GL_COLOR_BUFFER_BIT);
  glFinish();
  unsigned char px[4] = {};
  glReadPixels(80, 60, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, px);
  EXPECT_EQ(px[0], 255);
  EXPECT_EQ(px[1], 0);
  EXPECT_TRUE(SwapBuffers(dc));
  EXPECT_NE(wglGetProcAddress("glBindBufferARB"), nullptr);
  EXPECT_TRUE(wglMakeCurrent(nullptr, nullptr));
  EXPECT_EQ(wglGetCurrentContext(), nullptr);
  EXPECT_TRUE(wglDeleteContext(rc));
  EXPECT_EQ(ReleaseDC(w, dc), 1);
  EXPECT_TRUE(DestroyWindow(w));
}

TEST(GLContext, MultisampledFormatGivesAMultisampledWindow) {
  TestClass c("velmarTestClassM");
  HWND w = CreateWindowExA(0, c.name, "ms", WS_POPUP, 0, 0, 64, 48, nullptr, nullptr, nullptr,
                           nullptr);
  HDC dc = GetDC(w);
  if (std::string(wglGetExtensionsStringARB(dc)).find("WGL_ARB_multisample") == std::string::npos)
    GTEST_SKIP() << "no multisampled formats on this display";
  int format = FindFormat(dc, 2);
  ASSERT_GT(format, 0);
  ASSERT_TRUE(SetPixelFormat(dc, format, nullptr));
  HGLRC rc = wglCreateContext(dc);
  ASSERT_TRUE(wglMakeCurrent(dc, rc));
  GLint samples = 0;
  glGetIntegerv(GL_SAMPLES, &samples);
  EXPECT_GE(samples, 2);
  wglDeleteContext(rc);
  DestroyWindow(w);
}

TEST(DisplayModes, OnlyListedModesSwitch) {
  DEVMODEA cur{};
  ASSERT_TRUE(EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &cur));
  EXPECT_GT(cur.dmPelsWidth, 0u);
  EXPECT_EQ(cur.dmBitsPerPel, 32u);
  DEVMODEA first{};
  ASSERT_TRUE(EnumDisplaySettingsA(nullptr, 0, &first));
  EXPECT_FALSE(EnumDisplaySettingsA(nullptr, 100000, &first));
  DEVMODEA odd{};
  odd.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
  odd.dmPelsWidth = 123;
  odd.dmPelsHeight = 45;
  EXPECT_EQ(ChangeDisplaySettingsA(&odd, CDS_TEST), DISP_CHANGE_BADMODE);
  EXPECT_EQ(ChangeDisplaySettingsA(&odd, CDS_FULLSCREEN), DISP_CHANGE_BADMODE);
  DEVMODEA same{};
  same.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
  same.dmPelsWidth = cur.dmPelsWidth;
  same.dmPelsHeight = cur.dmPelsHeight;
  same.dmBitsPerPel = 32;
  EXPECT_EQ(ChangeDisplaySettingsA(&same, CDS_TEST), DISP_CHANGE_SUCCESSFUL);
  EXPECT_EQ(ChangeDisplaySettingsA(&same, CDS_FULLSCREEN), DISP_CHANGE_SUCCESSFUL);
  // The frameless window made next fills the screen.
  TestClass c("velmarTestClassD");
  HWND w = CreateWindowExA(WS_EX_APPWINDOW, c.name, "full", WS_POPUP | WS_VISIBLE, 0, 0,
                           int(cur.dmPelsWidth), int(cur.dmPelsHeight), nullptr, nullptr, nullptr,
                           nullptr);
  ASSERT_NE(w, nullptr);
  RECT r{};
  GetClientRect(w, &r);
  EXPECT_EQ(DWORD(r.right), cur.dmPelsWidth);
  EXPECT_EQ(ChangeDisplaySettingsA(nullptr, 0), DISP_CHANGE_SUCCESSFUL);
  DestroyWindow(w);
}

TEST(Cursor, MovesOnTheScreenAndCountsVisibility) {
  ASSERT_TRUE(SetCursorPos(100, 50));
  POINT p{};
  ASSERT_TRUE(GetCursorPos(&p));
  EXPECT_EQ(p.x, 100);
  EXPECT_EQ(p.y, 50);
  EXPECT_EQ(ShowCursor(FALSE), -1);
  EXPECT_EQ(ShowCursor(TRUE), 0);
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN) > 0, true);
}

#include "shell/glwindow.h"
#include "shell/renderglue.h"

#include <GL/gl.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "core/core.h"
#include "shell/ekran.h"
#include "shell/engine.h"
#include "shell/genres.h"
#include "shell/input.h"
#include "shell/konfig.h"
#include "shell/msgbase.h"
#include "ui/ui.h"

HWND hWnd;
HDC hDC;
HGLRC hRC;
HINSTANCE hInstance;
HWND hWndStart;
HDC hDCStart;
HGLRC hRCStart;
HINSTANCE hInstanceStart;

unsigned char supportsGLSL;
unsigned char UseStandardWindow;
unsigned char ForceStandardWindow;
unsigned char samplesSupported[17];
int Glob_numSamplesAA;
int Glob_vSync;
int WPUM_Rect[4];

namespace {

const char kStartClass[] = "anStartWndTest";
const char kGLClass[] = "anPrimOpenGL";

// The classic pixel-format descriptor of the simple paths, filled once from the
// sizes the screen record asks for.
const PIXELFORMATDESCRIPTOR& SimpleDescriptor() {
  static PIXELFORMATDESCRIPTOR pfd{};
  if (pfd.nSize == 0) {
    pfd.nSize = 40;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = BYTE(Ekran.ClrBitsReq);
    pfd.cDepthBits = BYTE(Ekran.DepthBitsReq);
    pfd.cStencilBits = BYTE(Ekran.StencilBitsReq);
  }
  return pfd;
}

// "\n%s..\n %s\n  (%s)": date stamp, message, caption.
void LogWinFail(int msg, int caption) {
  LogInfo("\n%s..\n %s\n  (%s)", MixDateCh(0, 0, 1), MsgBase(msg), MsgBase(caption));
}

void Fail(int msg, int caption, UINT icon) {
  LogWinFail(msg, caption);
  LastFailSet("%s", MsgBase(msg));
  MessageBoxA(nullptr, MsgBase(msg), MsgBase(caption), MB_OK | icon);
}

bool RegisterGLClass() {
  WNDCLASSA wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
  wc.lpfnWndProc = WndProc;
  wc.hInstance = hInstance;
  wc.lpszClassName = kGLClass;
  return RegisterClassA(&wc) != 0;
}

// Screen record: checked mode copied into the one in use.
void TakeRequestedMode() {
  EkranCheckZna(Ekran);
  Ekran.VMode = Ekran.VModeReq;
  Ekran.ClrBits = Ekran.ClrBitsReq;
  Ekran.DepthBits = Ekran.DepthBitsReq;
  Ekran.StencilBits = Ekran.StencilBitsReq;
  WPUM_Rect[0] = 0;
  WPUM_Rect[1] = 0;
  WPUM_Rect[2] = Ekran.W / 2;
  WPUM_Rect[3] = Ekran.H / 2;
}

// Full screen could not be set: a window instead (Yes), or the end (any other answer).
bool AskWindowInstead() {
  if (MessageBoxA(nullptr, MsgBase(7), MsgBase(1), MB_YESNO | MB_ICONEXCLAMATION) != IDYES) {
    LogWinFail(8, 5);
    LastFailSet("%s", MsgBase(8));
    MessageBoxA(nullptr, MsgBase(8), MsgBase(5), MB_OK | MB_ICONHAND);
    // A refusal ends start-up: no second window is tried.
    Glob_LoadingFail_KillWindow = 1;
    return false;
  }
  Ekran.VModeReq = 0;
  TakeRequestedMode();
  Ekran.FullScreen = 0;
  return true;
}

bool MakeWindow(DWORD style, DWORD exStyle) {
  RECT r{0, 0, Ekran.W, Ekran.H};
  AdjustWindowRectEx(&r, style, FALSE, exStyle);
  hWnd = CreateWindowExA(exStyle, kGLClass, "Velmar", style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0,
                         0, r.right - r.left, r.bottom - r.top, nullptr, nullptr, hInstance,
                         nullptr);
  return hWnd != nullptr;
}

void ShowGLWindow() {
  ShowWindow(hWnd, SW_SHOW);
  SetForegroundWindow(hWnd);
  SetFocus(hWnd);
}

// The end of both builders: the GL set-up. Its box and log line say what
// failed: the file and the cause the loaders left.
int FinishWithInitGL() {
  if (InitGL()) return 1;
  std::string cause = LastFailText();
  KillGLWindow();
  std::string text = std::string(MsgBase(15)) + (cause.empty() ? "" : "\n" + cause);
  LogInfo("\n%s..\n %s\n  (%s)", MixDateCh(0, 0, 1), text.c_str(), MsgBase(5));
  MessageBoxA(nullptr, text.c_str(), MsgBase(5), MB_OK | MB_ICONEXCLAMATION);
  return 0;
}

// The probe window failed: why, for the start-up report (no message box,
// as before).
int ProbeFailed() {
  const char* why = plat_VideoFailure();
  LastFailSet("%s", *why ? why : "no window with a GL context of the requested colour, depth and stencil bits");
  return 0;
}

}  // namespace

LRESULT WndProcStart(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
  if (msg == WM_ACTIVATE) return 0;
  return DefWindowProcA(hwnd, msg, w, l);
}

int CreateStartWindow() {
  hInstanceStart = GetModuleHandleA(nullptr);
  WNDCLASSA wc{};
  wc.style = CS_OWNDC;
  wc.lpfnWndProc = WndProcStart;
  wc.hInstance = hInstanceStart;
  wc.lpszClassName = kStartClass;
  if (!RegisterClassA(&wc)) return 0;
  RECT r{0, 0, 640, 480};
  AdjustWindowRectEx(&r, WS_POPUP, FALSE, WS_EX_APPWINDOW);
  hWndStart = CreateWindowExA(WS_EX_APPWINDOW, kStartClass, "Velmar: video check",
                              WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0,
                              r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                              hInstanceStart, nullptr);
  if (!hWndStart) {
    KillStartWindow();
    return ProbeFailed();
  }
  const PIXELFORMATDESCRIPTOR& pfd = SimpleDescriptor();
  hDCStart = GetDC(hWndStart);
  int format = hDCStart ? ChoosePixelFormat(hDCStart, &pfd) : 0;
  if (!format || !SetPixelFormat(hDCStart, format, &pfd) ||
      !(hRCStart = wglCreateContext(hDCStart)) || !wglMakeCurrent(hDCStart, hRCStart)) {
    KillStartWindow();
    return ProbeFailed();
  }
  // The probe is never shown: it only carries a context to ask the driver.
  StartWnd_TryFill_EXT_Flags();
  return 1;
}

int KillStartWindow() {
  ShowCursor(TRUE);
  if (hRCStart) {
    if (!wglMakeCurrent(nullptr, nullptr)) LogWinFail(17, 16);
    if (!wglDeleteContext(hRCStart)) LogWinFail(18, 16);
    hRCStart = nullptr;
  }
  if (hDCStart && !ReleaseDC(hWndStart, hDCStart)) LogWinFail(19, 16);
  hDCStart = nullptr;
  if (hWndStart) DestroyWindow(hWndStart);
  hWndStart = nullptr;
  UnregisterClassA(kStartClass, hInstanceStart);
  hInstanceStart = nullptr;
  return 1;
}

int ChooseSamplesAA(int r) {
  int n = 0;
  if (samplesSupported[2]) n = 2;
  if (r == 6 && samplesSupported[6]) n = 6;
  if (r == 8 && samplesSupported[8]) n = 8;
  if (r != 2 && r != 6 && r != 8 && samplesSupported[4]) n = 4;
  return n;
}

int StartWnd_TryFill_EXT_Flags() {
  initExtensions(hDCStart);
  supportsGLSL = GL_ARB_shader_objects_supported && GL_ARB_vertex_shader_supported &&
                 GL_ARB_fragment_shader_supported && GL_ARB_shading_language_100_supported;
  if (!WGL_ARB_extensions_string_supported) {
    UseStandardWindow = 1;
    return 0;
  }
  if (!WGL_ARB_pixel_format_supported || !WGL_EXT_swap_control_supported) UseStandardWindow = 1;
  if (!UseStandardWindow) {
    std::memset(samplesSupported, 0, sizeof samplesSupported);
    if (!WGL_ARB_multisample_supported) {
      samplesSupported[0] = 1;
      Glob_numSamplesAA = 0;
    } else {
      Start_FindSamplesSupported(Ekran.DepthBitsReq, Ekran.StencilBitsReq);
      if (Ekran.SamplesReq) Glob_numSamplesAA = ChooseSamplesAA(Ekran.SamplesReq);
    }
  }
  return 1;
}

void Start_FindSamplesSupported(int depthBits, int stencilBits) {
  int what = WGL_NUMBER_PIXEL_FORMATS_ARB, count = 0;
  if (!wglGetPixelFormatAttribivARB(hDCStart, 0, 0, 1, &what, &count)) return;
  const int attrs[] = {WGL_RED_BITS_ARB,       WGL_GREEN_BITS_ARB,     WGL_BLUE_BITS_ARB,
                       WGL_ALPHA_BITS_ARB,     WGL_DEPTH_BITS_ARB,     WGL_STENCIL_BITS_ARB,
                       WGL_DRAW_TO_WINDOW_ARB, WGL_SUPPORT_OPENGL_ARB, WGL_DOUBLE_BUFFER_ARB,
                       WGL_ACCELERATION_ARB,   WGL_SAMPLE_BUFFERS_ARB, WGL_SAMPLES_ARB};
  for (int f = 1; f <= count; ++f) {
    int v[12] = {};
    if (!wglGetPixelFormatAttribivARB(hDCStart, f, 0, 12, attrs, v)) continue;
    bool counts = v[0] == 8 && v[1] == 8 && v[2] == 8 && v[3] == 8 && v[4] == depthBits &&
                  v[5] == stencilBits && v[6] && v[7] && v[8] && v[9] == WGL_FULL_ACCELERATION_ARB;
    if (!counts) continue;
    if (v[10]) {
      if (v[11] >= 0 && v[11] <= 16) samplesSupported[v[11]] = 1;
    } else {
      samplesSupported[0] = 1;
    }
  }
}

int InitExtendedGLWindow(bool) {
  TakeRequestedMode();
  hInstance = GetModuleHandleA(nullptr);
  if (!RegisterGLClass()) return 0;
  if (Ekran.FullScreen) {
    DEVMODEA dm{};
    dm.dmSize = sizeof dm;
    dm.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
    dm.dmPelsWidth = Ekran.W;
    dm.dmPelsHeight = Ekran.H;
    dm.dmBitsPerPel = 32;
    if (ChangeDisplaySettingsA(&dm, CDS_FULLSCREEN) != DISP_CHANGE_SUCCESSFUL &&
        !AskWindowInstead()) {
      UnregisterClassA(kGLClass, hInstance);
      return 0;
    }
  }
  DWORD style, exStyle;
  if (Ekran.FullScreen) {
    style = WS_POPUP | WS_VISIBLE;
    exStyle = WS_EX_APPWINDOW;
  } else if (Ekran.Framed) {
    style = WS_OVERLAPPEDWINDOW;
    exStyle = WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
  } else {
    style = WS_POPUP;
    exStyle = WS_EX_APPWINDOW;
  }
  if (!MakeWindow(style, exStyle)) {
    KillGLWindow();
    Fail(9, 5, MB_ICONEXCLAMATION);
    return 0;
  }
  int attribs[] = {WGL_RED_BITS_ARB, 8, WGL_GREEN_BITS_ARB, 8, WGL_BLUE_BITS_ARB, 8,
                   WGL_ALPHA_BITS_ARB, 8, WGL_DEPTH_BITS_ARB, Ekran.DepthBitsReq,
                   WGL_STENCIL_BITS_ARB, Ekran.StencilBitsReq, WGL_DRAW_TO_WINDOW_ARB, 1,
                   WGL_SUPPORT_OPENGL_ARB, 1, WGL_DOUBLE_BUFFER_ARB, 1, WGL_ACCELERATION_ARB,
                   WGL_FULL_ACCELERATION_ARB, 0, 0, 0, 0, 0, 0};
  if (Glob_numSamplesAA >= 1) {
    attribs[20] = WGL_SAMPLE_BUFFERS_ARB;
    attribs[21] = 1;
    attribs[22] = WGL_SAMPLES_ARB;
    attribs[23] = Glob_numSamplesAA;
  }
  const float fattribs[] = {0, 0};
  int format = 0;
  UINT found = 0;
  int failMsg = 0;
  if (!(hDC = GetDC(hWnd))) failMsg = 10;
  else if (!wglChoosePixelFormatARB(hDC, attribs, fattribs, 1, &format, &found) || found < 1)
    failMsg = 11;
  else if (!SetPixelFormat(hDC, format, nullptr)) failMsg = 12;
  else if (!(hRC = wglCreateContext(hDC))) failMsg = 13;
  else if (!wglMakeCurrent(hDC, hRC)) failMsg = 14;
  if (failMsg) {
    KillGLWindow();
    LogWinFail(failMsg, 5);  // no box: the caller falls back to the standard window
    LastFailSet("%s", MsgBase(failMsg));
    return 0;
  }
  ShowGLWindow();
  wglSwapIntervalEXT(Glob_vSync ? 1 : 0);
  GLint bits[6] = {};
  const GLenum names[6] = {GL_RED_BITS, GL_GREEN_BITS, GL_BLUE_BITS, GL_ALPHA_BITS, GL_DEPTH_BITS,
                           GL_STENCIL_BITS};
  for (int i = 0; i < 6; ++i) glGetIntegerv(names[i], &bits[i]);
  LogInfo("\n\n\n\n%s.. Window created.. (%d %d)", MixDateCh(0, 0, 1), Ekran.W, Ekran.H);
  LogInfo("\n ClrBits: %d %d %d %d    D:%d   Stencil:%d \n", bits[0], bits[1], bits[2], bits[3],
          bits[4], bits[5]);
  return FinishWithInitGL();
}

int CreateGLWindow() {
  TakeRequestedMode();
  hInstance = GetModuleHandleA(nullptr);
  if (!RegisterGLClass()) {
    Fail(6, 5, MB_ICONEXCLAMATION);
    return 0;
  }
  if (Ekran.FullScreen && !ChangeScreenResolution2(Ekran.W, Ekran.H, Ekran.ClrBitsReq, 100) &&
      !AskWindowInstead()) {
    UnregisterClassA(kGLClass, hInstance);
    return 0;
  }
  DWORD style = Ekran.FullScreen || !Ekran.Framed ? WS_POPUP : WS_OVERLAPPEDWINDOW;
  DWORD exStyle = Ekran.FullScreen || !Ekran.Framed ? WS_EX_APPWINDOW
                                                    : WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
  if (!MakeWindow(style, exStyle)) {
    KillGLWindow();
    Fail(9, 5, MB_ICONEXCLAMATION);
    return 0;
  }
  const PIXELFORMATDESCRIPTOR& pfd = SimpleDescriptor();
  int format = 0, failMsg = 0;
  if (!(hDC = GetDC(hWnd))) failMsg = 10;
  else if (!(format = ChoosePixelFormat(hDC, &pfd))) failMsg = 11;
  else if (!SetPixelFormat(hDC, format, &pfd)) failMsg = 12;
  else if (!(hRC = wglCreateContext(hDC))) failMsg = 13;
  else if (!wglMakeCurrent(hDC, hRC)) failMsg = 14;
  if (failMsg) {
    KillGLWindow();
    Fail(failMsg, 5, MB_ICONEXCLAMATION);
    return 0;
  }
  ShowGLWindow();
  return FinishWithInitGL();
}

int ChangeScreenResolution2(int width, int height, int, int frequency) {
  if (frequency != 60 && frequency != 70 && frequency != 75 && frequency != 85 &&
      frequency != 100 && frequency != 120)
    frequency = 100;
  const int tries[4] = {frequency, 85, 75, 60};
  for (int f : tries) {
    DEVMODEA dm{};
    dm.dmSize = sizeof dm;
    dm.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFREQUENCY;
    dm.dmPelsWidth = DWORD(width);
    dm.dmPelsHeight = DWORD(height);
    dm.dmDisplayFrequency = DWORD(f);
    if (ChangeDisplaySettingsA(&dm, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL) {
      *o2::MonitorFreq = f;
      return 1;
    }
  }
  return 0;
}

int ChangeScreenResolution(int width, int height, int bits, int highestFrequency) {
  DEVMODEA best{}, dm{};
  bool found = false;
  DWORD bw = 10000, bh = 10000;
  for (DWORD i = 0; EnumDisplaySettingsA(nullptr, i, &dm); ++i) {
    LONG t = ChangeDisplaySettingsA(&dm, CDS_TEST);
    if (t != DISP_CHANGE_SUCCESSFUL && t != DISP_CHANGE_RESTART) continue;
    if (dm.dmBitsPerPel != DWORD(bits) || dm.dmPelsWidth < DWORD(width) ||
        dm.dmPelsHeight < DWORD(height) || dm.dmDisplayFrequency > DWORD(highestFrequency))
      continue;
    if (dm.dmPelsWidth <= bw && dm.dmPelsHeight <= bh) {
      best = dm;
      bw = dm.dmPelsWidth;
      bh = dm.dmPelsHeight;
      found = true;
    }
  }
  if (!found || ChangeDisplaySettingsA(&best, CDS_FULLSCREEN) != DISP_CHANGE_SUCCESSFUL) return 0;
  *o2::MonitorFreq = int(best.dmDisplayFrequency);
  return 1;
}

int KillGLWindow() {
  Extras_Kill();
  ShowCursor(TRUE);
  if (Ekran.FullScreen) ChangeDisplaySettingsA(nullptr, 0);
  if (hRC) {
    if (!wglMakeCurrent(nullptr, nullptr)) Fail(17, 16, MB_ICONINFORMATION);
    if (!wglDeleteContext(hRC)) Fail(18, 16, MB_ICONINFORMATION);
    hRC = nullptr;
  }
  if (hDC && !ReleaseDC(hWnd, hDC)) Fail(19, 16, MB_ICONINFORMATION);
  hDC = nullptr;
  if (hWnd && !DestroyWindow(hWnd)) Fail(20, 16, MB_ICONINFORMATION);
  hWnd = nullptr;
  BOOL unregistered = UnregisterClassA(kGLClass, hInstance);
  if (!unregistered) Fail(21, 16, MB_ICONINFORMATION);
  hInstance = nullptr;
  return unregistered;
}

namespace {

int FileDialog(bool save) {
  char name[256];
  std::memcpy(name, GlobalFileName00(), sizeof name);
  name[255] = 0;
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = hWnd;
  ofn.lpstrFilter = save ? "Any type\0*.*\0" : "Any file\0*.*\0";
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = name;
  ofn.nMaxFile = sizeof name;
  ofn.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
  nsSwapKursor::ProcBegin(300, 200, 1);
  int result = 0;
  if (save ? GetSaveFileNameA(&ofn) : GetOpenFileNameA(&ofn)) {
    GlobalFileName00.Set(name);
    result = 1;
  }
  SetCurrentDirectoryA(game_sys_dir0());
  nsSwapKursor::ProcEnd();
  nsMKeys::nFlushProc();
  return result;
}

}  // namespace

int OpenFileDlg() { return FileDialog(false); }
int SaveFileDlg() { return FileDialog(true); }

int GetNewColor(float& r, float& g, float& b, int slot) {
  static COLORREF rgbCurrent;
  static COLORREF acrCustClr[16];
  if (slot > 0) {
    auto byteOf = [](float v) {
      v = v < 0 ? 0 : v > 1 ? 1 : v;
      return int(v * 255.0f + 0.5f);
    };
    rgbCurrent = RGB(byteOf(r), byteOf(g), byteOf(b));
    if (slot >= 10 && slot <= 25) acrCustClr[slot - 10] = rgbCurrent;
  }
  CHOOSECOLORA cc{};
  cc.lStructSize = sizeof cc;
  cc.hwndOwner = hWnd;
  cc.lpCustColors = acrCustClr;
  cc.rgbResult = rgbCurrent;
  cc.Flags = CC_RGBINIT | CC_FULLOPEN;
  nsSwapKursor::ProcBegin(300, 200, 1);
  int result = 0;
  if (ChooseColorA(&cc)) {
    rgbCurrent = cc.rgbResult;
    r = GetRValue(rgbCurrent) / 255.0f;
    g = GetGValue(rgbCurrent) / 255.0f;
    b = GetBValue(rgbCurrent) / 255.0f;
    result = 1;
  }
  nsSwapKursor::ProcEnd();
  nsMKeys::nFlushProc();
  return result;
}

int WinProgStartOverlap(const char* lockFile) {
  const char* why = nullptr;
  const int taken = plat_InstanceLockTaken(lockFile, &why);
  if (taken < 0) {  // said where a player started from a desktop sees it too; the game goes on
    const std::string what =
        std::string(lockFile) + " cannot be taken (" + why + "): a second game there would not be noticed";
    std::fprintf(stderr, "velmar: the lock %s\n", what.c_str());
    MessageBoxA(nullptr, ("The lock " + what).c_str(), "Velmar", MB_OK | MB_ICONEXCLAMATION);
  }
  return taken == 1 ? 1 : 0;
}

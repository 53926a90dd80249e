#include "render/OpenGL_Ext.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "core/sysfs.h"
#include "render/shellglue.h"
#include "ui/ui.h"

#define VELMAR_DEFINE_FLAG(ext) unsigned char ext##_supported = 0;
VELMAR_GL_EXTENSIONS(VELMAR_DEFINE_FLAG)
VELMAR_WGL_EXTENSIONS(VELMAR_DEFINE_FLAG)
#undef VELMAR_DEFINE_FLAG
unsigned char GL_1_1_supported = 0, GL_1_2_supported = 0, GL_1_3_supported = 0,
              GL_1_4_supported = 0, GL_1_5_supported = 0, GL_2_0_supported = 0;
unsigned char WGL_ARB_extensions_string_supported = 0;

int GLMajorVersion = 1, GLMinorVersion = 0, GLReleaseVersion = 0;

#define VELMAR_DEFINE_ENTRY(name, type, flag) type velmar_##name = nullptr;
VELMAR_GL_ENTRY_POINTS(VELMAR_DEFINE_ENTRY)
VELMAR_GL_CORE_ENTRY_POINTS(VELMAR_DEFINE_ENTRY)
#undef VELMAR_DEFINE_ENTRY


namespace {

char wglString[256];

template <typename T>
void Lookup(T& slot, const char* name) {
  slot = reinterpret_cast<T>(wglGetProcAddress(name));
}

// Reads the decimal number at *p (digits only) and moves p past it.
int ParseNumber(const char*& p) {
  int v = 0;
  while (*p >= '0' && *p <= '9') v = v * 10 + (*p++ - '0');
  return v;
}

// The platform's WGL extensions, and the pbuffers with render-to-texture that
// framebuffer objects serve here.
void BuildWglString(HDC dc, const char* gl) {
  const char* platform = wglGetExtensionsStringARB(dc);
  std::snprintf(wglString, sizeof wglString, "%s", platform ? platform : "");
  if (extensionSupported(gl, "GL_EXT_framebuffer_object")) {
    size_t n = std::strlen(wglString);
    std::snprintf(wglString + n, sizeof wglString - n, "%s", " WGL_ARB_pbuffer WGL_ARB_render_texture");
  }
}

}  // namespace

const char* WglExtensionsString() { return wglString; }

void GL_ParseVersion(const char* version) {
  GLMajorVersion = 1;
  GLMinorVersion = GLReleaseVersion = 0;
  if (version) {
    const char* p = version;
    GLMajorVersion = ParseNumber(p);
    if (*p == '.') {
      ++p;
      GLMinorVersion = ParseNumber(p);
      if (*p == '.') {
        ++p;
        GLReleaseVersion = ParseNumber(p);
      }
    }
  }
  int v = GLMajorVersion * 256 + GLMinorVersion;
  GL_1_1_supported = v > 256;
  GL_1_2_supported = v > 257;
  GL_1_3_supported = v > 258;
  GL_1_4_supported = v > 259;
  GL_1_5_supported = v > 260;
  GL_2_0_supported = v > 511;
}

int extensionSupported(const char* list, const char* name) {
  if (!list || !name || !*name) return 0;
  size_t n = std::strlen(name);
  const char* p = list;
  while ((p = std::strstr(p, name)) != nullptr) {
    char after = p[n];
    if (after == ' ' || after == '\0') return 1;
    p += n;
  }
  return 0;
}

void initExtensions(HDC dc) {
  const char* gl = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  BuildWglString(dc, gl);
  WGL_ARB_extensions_string_supported = 1;
  const char* wgl = wglString;

#define VELMAR_TEST_GL(ext) ext##_supported = static_cast<unsigned char>(extensionSupported(gl, #ext));
  VELMAR_GL_EXTENSIONS(VELMAR_TEST_GL)
#undef VELMAR_TEST_GL
  if (extensionSupported(gl, "GL_SGIS_texture_edge_clamp")) GL_EXT_texture_edge_clamp_supported = 1;

#define VELMAR_TEST_WGL(ext) \
  ext##_supported = static_cast<unsigned char>(extensionSupported(wgl, #ext) || extensionSupported(gl, #ext));
  VELMAR_WGL_EXTENSIONS(VELMAR_TEST_WGL)
#undef VELMAR_TEST_WGL

  GL_ParseVersion(reinterpret_cast<const char*>(glGetString(GL_VERSION)));

  // A pointer is filled only when its flag is set; support is decided by the
  // extension string, never by the pointer (GLX hands out pointers for any name).
#define VELMAR_LOAD_ENTRY(name, type, flag) \
  velmar_##name = nullptr;                  \
  if (flag##_supported) Lookup(velmar_##name, #name);
  VELMAR_GL_ENTRY_POINTS(VELMAR_LOAD_ENTRY)
  VELMAR_GL_CORE_ENTRY_POINTS(VELMAR_LOAD_ENTRY)
#undef VELMAR_LOAD_ENTRY
  // glBlendEquationEXT is not kept: nothing draws with it.
}

int Init_Extensions(int wantMultiTex, int wantVBO) {
  if (GL_ARB_depth_texture_supported) *o2::UseDepthTextureARB = 1;
  if (GL_ARB_shadow_supported) *o2::UseShadowARB = 1;
  if (!glGenProgramsARB || !glDeleteProgramsARB || !glBindProgramARB || !glProgramStringARB ||
      !glProgramEnvParameter4fARB) {
    ShellMessageBox("One or more GL_ARB_vertex_program functions were not found", "ERROR");
    if (shader1ErrorAsFatal) {
      Main_Done = 1;
      return 0;
    }
  }
  *o2::UseShaderARB1 = 1;
  if (wantVBO > 0) *o2::UseVBO = GL_ARB_vertex_buffer_object_supported ? 1 : 2;
  *o2::MultiTexE = 0;
  *o2::MultiTexUnits = 0;
  if (wantMultiTex > 0) {
    if (!GL_ARB_multitexture_supported) return 0;
    GLint units = 1;
    glGetIntegerv(GL_MAX_TEXTURE_UNITS_ARB, &units);
    *o2::MultiTexE = 1;
    *o2::MultiTexUnits = units;
  }
  return 1;
}

char* readShaderFile(const char* path) {
  FILE* f = path ? sysOpenRegular(path) : nullptr;
  if (!f) {
    ShellMessageBox("Cannot open shader file!", "ERROR");
    return nullptr;
  }
  struct stat st;
  if (fstat(fileno(f), &st) != 0) {
    std::fclose(f);
    ShellMessageBox("Cannot get file stats for shader file!", "ERROR");
    return nullptr;
  }
  size_t size = static_cast<size_t>(st.st_size);
  char* text = new (std::nothrow) char[size + 1];
  if (!text) {
    std::fclose(f);
    return nullptr;
  }
  size_t got = std::fread(text, 1, size, f);
  std::fclose(f);
  // Read as text: the CR of every CR LF goes.
  size_t w = 0;
  for (size_t r = 0; r < got; ++r)
    if (!(text[r] == '\r' && r + 1 < got && text[r + 1] == '\n')) text[w++] = text[r];
  text[w] = '\0';
  return text;
}

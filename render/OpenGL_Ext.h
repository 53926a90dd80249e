// GL extension loading: one byte flag per extension or GL version (name +
// "_supported"), one pointer per entry point, filled once by initExtensions on
// the probe context; Init_Extensions turns the flags into render settings.
//
// Entry points are called under their GL names (glActiveTextureARB(...)): each
// name is a macro for our pointer, the way extension loaders usually do it, so
// this header must come before any other GL header in a file that calls them.
#pragma once

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>

#include "platform/win_types.h"

// X(flag name, GL extension string)
#define VELMAR_GL_EXTENSIONS(X)                                      \
  X(GL_ARB_depth_texture)                                            \
  X(GL_ARB_draw_buffers)                                             \
  X(GL_ARB_fragment_program)                                         \
  X(GL_ARB_fragment_shader)                                          \
  X(GL_ARB_multisample)                                              \
  X(GL_ARB_multitexture)                                             \
  X(GL_ARB_occlusion_query)                                          \
  X(GL_ARB_point_parameters)                                         \
  X(GL_ARB_shader_objects)                                           \
  X(GL_ARB_shading_language_100)                                     \
  X(GL_ARB_shadow)                                                   \
  X(GL_ARB_shadow_ambient)                                           \
  X(GL_ARB_texture_compression)                                      \
  X(GL_ARB_texture_cube_map)                                         \
  X(GL_ARB_texture_env_add)                                          \
  X(GL_ARB_texture_env_combine)                                      \
  X(GL_ARB_texture_env_crossbar)                                     \
  X(GL_ARB_texture_env_dot3)                                         \
  X(GL_ARB_transpose_matrix)                                         \
  X(GL_ARB_vertex_buffer_object)                                     \
  X(GL_ARB_vertex_program)                                           \
  X(GL_ARB_vertex_shader)                                            \
  X(GL_ARB_window_pos)                                               \
  X(GL_ATI_fragment_shader)                                          \
  X(GL_ATI_separate_stencil)                                         \
  X(GL_ATI_texture_compression_3dc)                                  \
  X(GL_ATI_texture_float)                                            \
  X(GL_ATI_texture_mirror_once)                                      \
  X(GL_EXT_blend_color)                                              \
  X(GL_EXT_blend_func_separate)                                      \
  X(GL_EXT_blend_minmax)                                             \
  X(GL_EXT_blend_subtract)                                           \
  X(GL_EXT_draw_range_elements)                                      \
  X(GL_EXT_fog_coord)                                                \
  X(GL_EXT_framebuffer_object)                                       \
  X(GL_EXT_multi_draw_arrays)                                        \
  X(GL_EXT_packed_pixels)                                            \
  X(GL_EXT_secondary_color)                                          \
  X(GL_EXT_stencil_wrap)                                             \
  X(GL_EXT_texture3D)                                                \
  X(GL_EXT_texture_compression_s3tc)                                 \
  X(GL_EXT_texture_edge_clamp)                                       \
  X(GL_EXT_texture_filter_anisotropic)                               \
  X(GL_EXT_texture_lod_bias)                                         \
  X(GL_HP_occlusion_test)                                            \
  X(GL_NV_blend_square)                                              \
  X(GL_SGIS_generate_mipmap)

#define VELMAR_WGL_EXTENSIONS(X) \
  X(WGL_ARB_pbuffer)             \
  X(WGL_ARB_pixel_format)        \
  X(WGL_ARB_make_current_read)   \
  X(WGL_ARB_multisample)         \
  X(WGL_ARB_render_texture)      \
  X(WGL_ATI_pixel_format_float)  \
  X(WGL_EXT_swap_control)

// X(entry point, pointer type, flag that loads it)
#define VELMAR_GL_ENTRY_POINTS(X)                                                      \
  X(glDrawBuffersARB, PFNGLDRAWBUFFERSARBPROC, GL_ARB_draw_buffers)                     \
  X(glSampleCoverageARB, PFNGLSAMPLECOVERAGEARBPROC, GL_ARB_multisample)                \
  X(glActiveTextureARB, PFNGLACTIVETEXTUREARBPROC, GL_ARB_multitexture)                 \
  X(glClientActiveTextureARB, PFNGLCLIENTACTIVETEXTUREARBPROC, GL_ARB_multitexture)     \
  X(glMultiTexCoord1fARB, PFNGLMULTITEXCOORD1FARBPROC, GL_ARB_multitexture)             \
  X(glMultiTexCoord2fARB, PFNGLMULTITEXCOORD2FARBPROC, GL_ARB_multitexture)             \
  X(glMultiTexCoord2fvARB, PFNGLMULTITEXCOORD2FVARBPROC, GL_ARB_multitexture)           \
  X(glMultiTexCoord3fARB, PFNGLMULTITEXCOORD3FARBPROC, GL_ARB_multitexture)             \
  X(glMultiTexCoord4fARB, PFNGLMULTITEXCOORD4FARBPROC, GL_ARB_multitexture)             \
  X(glGenQueriesARB, PFNGLGENQUERIESARBPROC, GL_ARB_occlusion_query)                    \
  X(glDeleteQueriesARB, PFNGLDELETEQUERIESARBPROC, GL_ARB_occlusion_query)              \
  X(glIsQueryARB, PFNGLISQUERYARBPROC, GL_ARB_occlusion_query)                          \
  X(glBeginQueryARB, PFNGLBEGINQUERYARBPROC, GL_ARB_occlusion_query)                    \
  X(glEndQueryARB, PFNGLENDQUERYARBPROC, GL_ARB_occlusion_query)                        \
  X(glGetQueryivARB, PFNGLGETQUERYIVARBPROC, GL_ARB_occlusion_query)                    \
  X(glGetQueryObjectivARB, PFNGLGETQUERYOBJECTIVARBPROC, GL_ARB_occlusion_query)        \
  X(glGetQueryObjectuivARB, PFNGLGETQUERYOBJECTUIVARBPROC, GL_ARB_occlusion_query)      \
  X(glPointParameterfARB, PFNGLPOINTPARAMETERFARBPROC, GL_ARB_point_parameters)         \
  X(glPointParameterfvARB, PFNGLPOINTPARAMETERFVARBPROC, GL_ARB_point_parameters)       \
  X(glDeleteObjectARB, PFNGLDELETEOBJECTARBPROC, GL_ARB_shader_objects)                 \
  X(glCreateShaderObjectARB, PFNGLCREATESHADEROBJECTARBPROC, GL_ARB_shader_objects)     \
  X(glShaderSourceARB, PFNGLSHADERSOURCEARBPROC, GL_ARB_shader_objects)                 \
  X(glCompileShaderARB, PFNGLCOMPILESHADERARBPROC, GL_ARB_shader_objects)               \
  X(glCreateProgramObjectARB, PFNGLCREATEPROGRAMOBJECTARBPROC, GL_ARB_shader_objects)   \
  X(glAttachObjectARB, PFNGLATTACHOBJECTARBPROC, GL_ARB_shader_objects)                 \
  X(glLinkProgramARB, PFNGLLINKPROGRAMARBPROC, GL_ARB_shader_objects)                   \
  X(glUseProgramObjectARB, PFNGLUSEPROGRAMOBJECTARBPROC, GL_ARB_shader_objects)         \
  X(glGetObjectParameterivARB, PFNGLGETOBJECTPARAMETERIVARBPROC, GL_ARB_shader_objects) \
  X(glGetInfoLogARB, PFNGLGETINFOLOGARBPROC, GL_ARB_shader_objects)                     \
  X(glGetUniformLocationARB, PFNGLGETUNIFORMLOCATIONARBPROC, GL_ARB_shader_objects)     \
  X(glUniform1fARB, PFNGLUNIFORM1FARBPROC, GL_ARB_shader_objects)                       \
  X(glUniform1iARB, PFNGLUNIFORM1IARBPROC, GL_ARB_shader_objects)                       \
  X(glUniform4fARB, PFNGLUNIFORM4FARBPROC, GL_ARB_shader_objects)                       \
  X(glCompressedTexImage2DARB, PFNGLCOMPRESSEDTEXIMAGE2DARBPROC, GL_ARB_texture_compression) \
  X(glGetCompressedTexImageARB, PFNGLGETCOMPRESSEDTEXIMAGEARBPROC, GL_ARB_texture_compression) \
  X(glLoadTransposeMatrixfARB, PFNGLLOADTRANSPOSEMATRIXFARBPROC, GL_ARB_transpose_matrix) \
  X(glMultTransposeMatrixfARB, PFNGLMULTTRANSPOSEMATRIXFARBPROC, GL_ARB_transpose_matrix) \
  X(glBindBufferARB, PFNGLBINDBUFFERARBPROC, GL_ARB_vertex_buffer_object)               \
  X(glDeleteBuffersARB, PFNGLDELETEBUFFERSARBPROC, GL_ARB_vertex_buffer_object)         \
  X(glGenBuffersARB, PFNGLGENBUFFERSARBPROC, GL_ARB_vertex_buffer_object)               \
  X(glIsBufferARB, PFNGLISBUFFERARBPROC, GL_ARB_vertex_buffer_object)                   \
  X(glBufferDataARB, PFNGLBUFFERDATAARBPROC, GL_ARB_vertex_buffer_object)               \
  X(glBufferSubDataARB, PFNGLBUFFERSUBDATAARBPROC, GL_ARB_vertex_buffer_object)         \
  X(glGetBufferSubDataARB, PFNGLGETBUFFERSUBDATAARBPROC, GL_ARB_vertex_buffer_object)   \
  X(glMapBufferARB, PFNGLMAPBUFFERARBPROC, GL_ARB_vertex_buffer_object)                 \
  X(glUnmapBufferARB, PFNGLUNMAPBUFFERARBPROC, GL_ARB_vertex_buffer_object)             \
  X(glGetBufferParameterivARB, PFNGLGETBUFFERPARAMETERIVARBPROC, GL_ARB_vertex_buffer_object) \
  X(glGetBufferPointervARB, PFNGLGETBUFFERPOINTERVARBPROC, GL_ARB_vertex_buffer_object) \
  X(glProgramStringARB, PFNGLPROGRAMSTRINGARBPROC, GL_ARB_vertex_program)               \
  X(glBindProgramARB, PFNGLBINDPROGRAMARBPROC, GL_ARB_vertex_program)                   \
  X(glDeleteProgramsARB, PFNGLDELETEPROGRAMSARBPROC, GL_ARB_vertex_program)             \
  X(glGenProgramsARB, PFNGLGENPROGRAMSARBPROC, GL_ARB_vertex_program)                   \
  X(glProgramEnvParameter4fARB, PFNGLPROGRAMENVPARAMETER4FARBPROC, GL_ARB_vertex_program) \
  X(glProgramEnvParameter4fvARB, PFNGLPROGRAMENVPARAMETER4FVARBPROC, GL_ARB_vertex_program) \
  X(glProgramLocalParameter4fARB, PFNGLPROGRAMLOCALPARAMETER4FARBPROC, GL_ARB_vertex_program) \
  X(glProgramLocalParameter4fvARB, PFNGLPROGRAMLOCALPARAMETER4FVARBPROC, GL_ARB_vertex_program) \
  X(glGetProgramivARB, PFNGLGETPROGRAMIVARBPROC, GL_ARB_vertex_program)                 \
  X(glIsProgramARB, PFNGLISPROGRAMARBPROC, GL_ARB_vertex_program)                       \
  X(glVertexAttribPointerARB, PFNGLVERTEXATTRIBPOINTERARBPROC, GL_ARB_vertex_shader)    \
  X(glEnableVertexAttribArrayARB, PFNGLENABLEVERTEXATTRIBARRAYARBPROC, GL_ARB_vertex_shader) \
  X(glDisableVertexAttribArrayARB, PFNGLDISABLEVERTEXATTRIBARRAYARBPROC, GL_ARB_vertex_shader) \
  X(glBindAttribLocationARB, PFNGLBINDATTRIBLOCATIONARBPROC, GL_ARB_vertex_shader)      \
  X(glGetAttribLocationARB, PFNGLGETATTRIBLOCATIONARBPROC, GL_ARB_vertex_shader)        \
  X(glWindowPos2iARB, PFNGLWINDOWPOS2IARBPROC, GL_ARB_window_pos)                       \
  X(glWindowPos2fARB, PFNGLWINDOWPOS2FARBPROC, GL_ARB_window_pos)                       \
  X(glBlendColorEXT, PFNGLBLENDCOLOREXTPROC, GL_EXT_blend_color)                        \
  X(glBlendFuncSeparateEXT, PFNGLBLENDFUNCSEPARATEEXTPROC, GL_EXT_blend_func_separate)  \
  X(glDrawRangeElementsEXT, PFNGLDRAWRANGEELEMENTSEXTPROC, GL_EXT_draw_range_elements)  \
  X(glFogCoordfEXT, PFNGLFOGCOORDFEXTPROC, GL_EXT_fog_coord)                            \
  X(glFogCoordPointerEXT, PFNGLFOGCOORDPOINTEREXTPROC, GL_EXT_fog_coord)                \
  X(glIsRenderbufferEXT, PFNGLISRENDERBUFFEREXTPROC, GL_EXT_framebuffer_object)         \
  X(glBindRenderbufferEXT, PFNGLBINDRENDERBUFFEREXTPROC, GL_EXT_framebuffer_object)     \
  X(glDeleteRenderbuffersEXT, PFNGLDELETERENDERBUFFERSEXTPROC, GL_EXT_framebuffer_object) \
  X(glGenRenderbuffersEXT, PFNGLGENRENDERBUFFERSEXTPROC, GL_EXT_framebuffer_object)     \
  X(glRenderbufferStorageEXT, PFNGLRENDERBUFFERSTORAGEEXTPROC, GL_EXT_framebuffer_object) \
  X(glGetRenderbufferParameterivEXT, PFNGLGETRENDERBUFFERPARAMETERIVEXTPROC, GL_EXT_framebuffer_object) \
  X(glIsFramebufferEXT, PFNGLISFRAMEBUFFEREXTPROC, GL_EXT_framebuffer_object)           \
  X(glBindFramebufferEXT, PFNGLBINDFRAMEBUFFEREXTPROC, GL_EXT_framebuffer_object)       \
  X(glDeleteFramebuffersEXT, PFNGLDELETEFRAMEBUFFERSEXTPROC, GL_EXT_framebuffer_object) \
  X(glGenFramebuffersEXT, PFNGLGENFRAMEBUFFERSEXTPROC, GL_EXT_framebuffer_object)       \
  X(glCheckFramebufferStatusEXT, PFNGLCHECKFRAMEBUFFERSTATUSEXTPROC, GL_EXT_framebuffer_object) \
  X(glFramebufferTexture1DEXT, PFNGLFRAMEBUFFERTEXTURE1DEXTPROC, GL_EXT_framebuffer_object) \
  X(glFramebufferTexture2DEXT, PFNGLFRAMEBUFFERTEXTURE2DEXTPROC, GL_EXT_framebuffer_object) \
  X(glFramebufferTexture3DEXT, PFNGLFRAMEBUFFERTEXTURE3DEXTPROC, GL_EXT_framebuffer_object) \
  X(glFramebufferRenderbufferEXT, PFNGLFRAMEBUFFERRENDERBUFFEREXTPROC, GL_EXT_framebuffer_object) \
  X(glGetFramebufferAttachmentParameterivEXT, PFNGLGETFRAMEBUFFERATTACHMENTPARAMETERIVEXTPROC, GL_EXT_framebuffer_object) \
  X(glGenerateMipmapEXT, PFNGLGENERATEMIPMAPEXTPROC, GL_EXT_framebuffer_object)         \
  X(glMultiDrawArraysEXT, PFNGLMULTIDRAWARRAYSEXTPROC, GL_EXT_multi_draw_arrays)        \
  X(glMultiDrawElementsEXT, PFNGLMULTIDRAWELEMENTSEXTPROC, GL_EXT_multi_draw_arrays)    \
  X(glSecondaryColor3fEXT, PFNGLSECONDARYCOLOR3FEXTPROC, GL_EXT_secondary_color)        \
  X(glSecondaryColorPointerEXT, PFNGLSECONDARYCOLORPOINTEREXTPROC, GL_EXT_secondary_color) \
  X(glTexImage3DEXT, PFNGLTEXIMAGE3DEXTPROC, GL_EXT_texture3D)

// The core entry points of GL 1.5 that the buffer code may use without suffix.
#define VELMAR_GL_CORE_ENTRY_POINTS(X)                        \
  X(glBindBuffer, PFNGLBINDBUFFERPROC, GL_1_5)                \
  X(glDeleteBuffers, PFNGLDELETEBUFFERSPROC, GL_1_5)          \
  X(glGenBuffers, PFNGLGENBUFFERSPROC, GL_1_5)                \
  X(glBufferData, PFNGLBUFFERDATAPROC, GL_1_5)                \
  X(glGetBufferParameteriv, PFNGLGETBUFFERPARAMETERIVPROC, GL_1_5) \
  X(glMultiDrawArrays, PFNGLMULTIDRAWARRAYSPROC, GL_1_4)      \
  X(glMultiDrawElements, PFNGLMULTIDRAWELEMENTSPROC, GL_1_4)

#define VELMAR_DECLARE_FLAG(ext) extern unsigned char ext##_supported;
VELMAR_GL_EXTENSIONS(VELMAR_DECLARE_FLAG)
VELMAR_WGL_EXTENSIONS(VELMAR_DECLARE_FLAG)
#undef VELMAR_DECLARE_FLAG
extern unsigned char GL_1_1_supported, GL_1_2_supported, GL_1_3_supported, GL_1_4_supported,
    GL_1_5_supported, GL_2_0_supported;
extern unsigned char WGL_ARB_extensions_string_supported;

extern int GLMajorVersion, GLMinorVersion, GLReleaseVersion;

#define VELMAR_DECLARE_ENTRY(name, type, flag) extern type velmar_##name;
VELMAR_GL_ENTRY_POINTS(VELMAR_DECLARE_ENTRY)
VELMAR_GL_CORE_ENTRY_POINTS(VELMAR_DECLARE_ENTRY)
#undef VELMAR_DECLARE_ENTRY

// Calls under the GL names go through the loaded pointers.
#define glDrawBuffersARB velmar_glDrawBuffersARB
#define glSampleCoverageARB velmar_glSampleCoverageARB
#define glActiveTextureARB velmar_glActiveTextureARB
#define glClientActiveTextureARB velmar_glClientActiveTextureARB
#define glMultiTexCoord1fARB velmar_glMultiTexCoord1fARB
#define glMultiTexCoord2fARB velmar_glMultiTexCoord2fARB
#define glMultiTexCoord2fvARB velmar_glMultiTexCoord2fvARB
#define glMultiTexCoord3fARB velmar_glMultiTexCoord3fARB
#define glMultiTexCoord4fARB velmar_glMultiTexCoord4fARB
#define glGenQueriesARB velmar_glGenQueriesARB
#define glDeleteQueriesARB velmar_glDeleteQueriesARB
#define glIsQueryARB velmar_glIsQueryARB
#define glBeginQueryARB velmar_glBeginQueryARB
#define glEndQueryARB velmar_glEndQueryARB
#define glGetQueryivARB velmar_glGetQueryivARB
#define glGetQueryObjectivARB velmar_glGetQueryObjectivARB
#define glGetQueryObjectuivARB velmar_glGetQueryObjectuivARB
#define glPointParameterfARB velmar_glPointParameterfARB
#define glPointParameterfvARB velmar_glPointParameterfvARB
#define glDeleteObjectARB velmar_glDeleteObjectARB
#define glCreateShaderObjectARB velmar_glCreateShaderObjectARB
#define glShaderSourceARB velmar_glShaderSourceARB
#define glCompileShaderARB velmar_glCompileShaderARB
#define glCreateProgramObjectARB velmar_glCreateProgramObjectARB
#define glAttachObjectARB velmar_glAttachObjectARB
#define glLinkProgramARB velmar_glLinkProgramARB
#define glUseProgramObjectARB velmar_glUseProgramObjectARB
#define glGetObjectParameterivARB velmar_glGetObjectParameterivARB
#define glGetInfoLogARB velmar_glGetInfoLogARB
#define glGetUniformLocationARB velmar_glGetUniformLocationARB
#define glUniform1fARB velmar_glUniform1fARB
#define glUniform1iARB velmar_glUniform1iARB
#define glUniform4fARB velmar_glUniform4fARB
#define glCompressedTexImage2DARB velmar_glCompressedTexImage2DARB
#define glGetCompressedTexImageARB velmar_glGetCompressedTexImageARB
#define glLoadTransposeMatrixfARB velmar_glLoadTransposeMatrixfARB
#define glMultTransposeMatrixfARB velmar_glMultTransposeMatrixfARB
#define glBindBufferARB velmar_glBindBufferARB
#define glDeleteBuffersARB velmar_glDeleteBuffersARB
#define glGenBuffersARB velmar_glGenBuffersARB
#define glIsBufferARB velmar_glIsBufferARB
#define glBufferDataARB velmar_glBufferDataARB
#define glBufferSubDataARB velmar_glBufferSubDataARB
#define glGetBufferSubDataARB velmar_glGetBufferSubDataARB
#define glMapBufferARB velmar_glMapBufferARB
#define glUnmapBufferARB velmar_glUnmapBufferARB
#define glGetBufferParameterivARB velmar_glGetBufferParameterivARB
#define glGetBufferPointervARB velmar_glGetBufferPointervARB
#define glProgramStringARB velmar_glProgramStringARB
#define glBindProgramARB velmar_glBindProgramARB
#define glDeleteProgramsARB velmar_glDeleteProgramsARB
#define glGenProgramsARB velmar_glGenProgramsARB
#define glProgramEnvParameter4fARB velmar_glProgramEnvParameter4fARB
#define glProgramEnvParameter4fvARB velmar_glProgramEnvParameter4fvARB
#define glProgramLocalParameter4fARB velmar_glProgramLocalParameter4fARB
#define glProgramLocalParameter4fvARB velmar_glProgramLocalParameter4fvARB
#define glGetProgramivARB velmar_glGetProgramivARB
#define glIsProgramARB velmar_glIsProgramARB
#define glVertexAttribPointerARB velmar_glVertexAttribPointerARB
#define glEnableVertexAttribArrayARB velmar_glEnableVertexAttribArrayARB
#define glDisableVertexAttribArrayARB velmar_glDisableVertexAttribArrayARB
#define glBindAttribLocationARB velmar_glBindAttribLocationARB
#define glGetAttribLocationARB velmar_glGetAttribLocationARB
#define glWindowPos2iARB velmar_glWindowPos2iARB
#define glWindowPos2fARB velmar_glWindowPos2fARB
#define glBlendColorEXT velmar_glBlendColorEXT
#define glBlendFuncSeparateEXT velmar_glBlendFuncSeparateEXT
#define glDrawRangeElementsEXT velmar_glDrawRangeElementsEXT
#define glFogCoordfEXT velmar_glFogCoordfEXT
#define glFogCoordPointerEXT velmar_glFogCoordPointerEXT
#define glIsRenderbufferEXT velmar_glIsRenderbufferEXT
#define glBindRenderbufferEXT velmar_glBindRenderbufferEXT
#define glDeleteRenderbuffersEXT velmar_glDeleteRenderbuffersEXT
#define glGenRenderbuffersEXT velmar_glGenRenderbuffersEXT
#define glRenderbufferStorageEXT velmar_glRenderbufferStorageEXT
#define glGetRenderbufferParameterivEXT velmar_glGetRenderbufferParameterivEXT
#define glIsFramebufferEXT velmar_glIsFramebufferEXT
#define glBindFramebufferEXT velmar_glBindFramebufferEXT
#define glDeleteFramebuffersEXT velmar_glDeleteFramebuffersEXT
#define glGenFramebuffersEXT velmar_glGenFramebuffersEXT
#define glCheckFramebufferStatusEXT velmar_glCheckFramebufferStatusEXT
#define glFramebufferTexture1DEXT velmar_glFramebufferTexture1DEXT
#define glFramebufferTexture2DEXT velmar_glFramebufferTexture2DEXT
#define glFramebufferTexture3DEXT velmar_glFramebufferTexture3DEXT
#define glFramebufferRenderbufferEXT velmar_glFramebufferRenderbufferEXT
#define glGetFramebufferAttachmentParameterivEXT velmar_glGetFramebufferAttachmentParameterivEXT
#define glGenerateMipmapEXT velmar_glGenerateMipmapEXT
#define glMultiDrawArraysEXT velmar_glMultiDrawArraysEXT
#define glMultiDrawElementsEXT velmar_glMultiDrawElementsEXT
#define glSecondaryColor3fEXT velmar_glSecondaryColor3fEXT
#define glSecondaryColorPointerEXT velmar_glSecondaryColorPointerEXT
#define glTexImage3DEXT velmar_glTexImage3DEXT
#define glBindBuffer velmar_glBindBuffer
#define glDeleteBuffers velmar_glDeleteBuffers
#define glGenBuffers velmar_glGenBuffers
#define glBufferData velmar_glBufferData
#define glGetBufferParameteriv velmar_glGetBufferParameteriv
#define glMultiDrawArrays velmar_glMultiDrawArrays
#define glMultiDrawElements velmar_glMultiDrawElements

int extensionSupported(const char* list, const char* name);
// Needs a current GL context. The WGL string is the platform layer's, with the
// pbuffer extensions added when framebuffer objects can serve them.
void initExtensions(HDC dc = nullptr);
// Reads the major, minor and release numbers of a GL version string and sets
// the version flags from them.
void GL_ParseVersion(const char* version);
int Init_Extensions(int wantMultiTex, int wantVBO);
int InitGL();
char* readShaderFile(const char* path);

// The WGL extension string initExtensions used; empty before it ran.
const char* WglExtensionsString();

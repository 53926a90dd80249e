// Scene and ground light lists, the lights around an object, stored GL lights
// and the light switches.
#include "render/OpenGL_Ext.h"
#include "render/lights.h"

#include "render/geometry.h"
#include "render/groundlight.h"
#include "render/shellglue.h"
#include "ui/ui.h"

t_Svet masSvetik[kSvetikLast + 1];
int NowIn_masSvetik = 0;
t_SvetLand masLandSvetik[kSvetikLast + 1];
int NowIn_masLandSvetik = 0;

namespace {

// Attenuation by range: the factor at distance d is range / (10 d); range 0
// means none.
void RangeAtten(unsigned unit, int range) {
  if (range != 0) Svet::priv_Svet_Atten(unit, 0.0f, 10.0f / static_cast<float>(range), 0.0f);
  else Svet::priv_Default_Atten(unit);
}

// The common part of a scene light and a stored light on GL light `unit`.
bool LightOn(unsigned unit, int range, float& cutoff, const vec4& pos, const vec4& amb, const vec4& dif,
             const vec4& spe) {
  if (unit >= 8 || range < 0 || cutoff < 0) return false;
  if (cutoff > 90) cutoff = 180;
  GLenum l = GL_LIGHT0 + unit;
  glEnable(l);
  float x = pos.x, y = pos.y, z = pos.z;
  Svet::priv_Svet_Pos(unit, x, y, z, pos.w);
  glLightfv(l, GL_AMBIENT, amb);
  glLightfv(l, GL_DIFFUSE, dif);
  glLightfv(l, GL_SPECULAR, spe);
  RangeAtten(unit, range);
  return true;
}

}  // namespace

// ---- scene lights ----

void t_Svet::Reset() {
  range = -1;
  ambient = vec4(0, 0, 0, 1);
  diffuse = vec4(0, 0, 0, 1);
  specular = vec4(0, 0, 0, 1);
  cutoff = 180;
  exponent = 0;
}

t_Svet* GetSvetikPro(int kind, vec3 pos, int radius) {
  if (NowIn_masSvetik >= kSvetikLast) return nullptr;
  if (radius > 5000) radius = 5000;
  if (kind == 0) {
    if (radius < 5) return nullptr;
    if (!Kub_PereBox(pos, static_cast<float>(radius), Glob_KamOptimBoxP, Glob_KamOptimBoxG)) return nullptr;
  }
  t_Svet* s = &masSvetik[++NowIn_masSvetik];
  s->Reset();
  s->range = radius;
  s->position = vec4(pos, kind == 0 ? 1.0f : 0.0f);
  return s;
}

void Add_SvetBallPos(vec3 pos, int radius, float dr, float dg, float db, float sr, float sg, float sb) {
  t_Svet* s = GetSvetikPro(0, pos, radius);
  if (!s) return;
  s->diffuse = vec4(dr, dg, db, 1);
  s->specular = vec4(sr, sg, sb, 1);
}

void Add_LandSvetikPro(vec3 pos, int radius, int kind, float r, float g, float b, float a) {
  if (radius <= 0) return;
  if (radius > 400) radius = 400;
  if (NowIn_masLandSvetik >= kSvetikLast) return;
  if (!Kubs_XZ_Pere(pos.x, pos.z, SveKvad_boxP.x, SveKvad_boxP.z, static_cast<float>(radius) + SveKvad_boxHaf))
    return;
  t_SvetLand& l = masLandSvetik[++NowIn_masLandSvetik];
  l.range = radius;
  l.kind = kind;
  l.position = pos;
  l.colour = vec4(r, g, b, a);
}

// ---- lights around an object ----

bool t_SveOkruj::isUnderSvetik(t_Svet* s, vec3& half, int& takeDirectional) {
  if (!s || s->range < 0) return false;
  if (s->position.w >= 0.5f) return Kub_PereBox(s->position.xyz(), static_cast<float>(s->range), centre, half);
  return takeDirectional != 0;
}

void t_SveOkruj::Fill(vec3 half, int takeDirectional) {
  if (!BoxInKameraOptimBox(centre, half)) return;
  int n = 0;
  while (n < 8 && lights[n]) ++n;
  for (int i = 0; i <= NowIn_masSvetik && n < 8; ++i)
    if (isUnderSvetik(&masSvetik[i], half, takeDirectional)) lights[n++] = &masSvetik[i];
}

void t_SveOkruj::Use(int fallback) {
  int set = 0;
  for (unsigned i = 0; i < 8 && lights[i]; ++i) {
    const t_Svet* s = lights[i];
    if (s->position.w != 0)
      Svet::Svetik(i, lights[i], s->position.x - centre.x, s->position.y - centre.y, s->position.z - centre.z,
                   s->position.w);
    else
      Svet::Svetik(i, lights[i], s->position.x, s->position.y, s->position.z, 0);
    ++set;
  }
  if (!set && fallback >= 1) Svet::ProcCase(20);
}

void SvetStdForFgr(t_SveOkruj* o) {
  if (!o) return;
  if (AktivIPPI_ResidentOfEditor()) {
    if (*o2::Edit_SvetForce == 1) {
      Svet::ProcCase(20);
      return;
    }
    if (*o2::Edit_SvetForce < 1) {
      Svet::priv_GLDisLightX(100);
      Svet::ProcCase(0);
      return;
    }
  }
  Svet::priv_GLDisLightX(100);
  if (o->mode > 0) {
    glEnable(GL_LIGHTING);
    o->Use(1);
  } else {
    Svet::ProcCase(0);
  }
}

// ---- stored lights ----

void t_SvetOGL::Sbros() {
  range = -1;
  position = vec4(0, 0, 0, 1);
  ambient = vec4(0, 0, 0, 1);
  diffuse = vec4(0, 0, 0, 1);
  specular = vec4(0, 0, 0, 1);
  cutoff = 180;
  exponent = 0;
}

void t_SvetOGL::ToOGL(unsigned unit) {
  if (LightOn(unit, range, cutoff, position, ambient, diffuse, specular)) glEnable(GL_LIGHTING);
}

void t_SvetOGL::priv_Svet_Atten(unsigned unit, float constant, float linear, float quadratic) {
  Svet::priv_Svet_Atten(unit, constant, linear, quadratic);
}

void t_SvetOGL::priv_Default_Atten(unsigned unit) { Svet::priv_Default_Atten(unit); }

int t_SvetOGL::AddToFile(FILE* f) {
  if (!f) return 0;
  IntWrite(range, f);
  for (const vec4* v : {&position, &ambient, &diffuse, &specular, &spotDir}) std::fwrite(v, 16, 1, f);
  FloWrite(cutoff, f);
  FloWrite(exponent, f);
  return 1;
}

int t_SvetOGL::FromFile(FILE* f) {
  if (!f) return 0;
  IntRead(range, f);
  for (vec4* v : {&position, &ambient, &diffuse, &specular, &spotDir}) {
    vec4 t;
    if (std::fread(&t, 16, 1, f) == 1) *v = t;
  }
  FloRead(cutoff, f);
  FloRead(exponent, f);
  return 1;
}

void SvetToOGL(unsigned unit, t_SvetOGL* light) {
  if (light) light->ToOGL(unit);
}

// ---- switches ----

namespace Svet {

vec4 priv_Svet_Pos_Last(0, 0, 0, 1);

void Case1() {
  glEnable(GL_LIGHTING);
  priv_GLDisLightX(100);
}

void Case20() { Case1(); }

void ProcCase(int mode) {
  if (mode <= 0) {
    glDisable(GL_LIGHTING);
    return;
  }
  if (mode == 1) Case1();
  else if (mode == 20) Case20();
  else glEnable(GL_LIGHTING);
}

void priv_GLDisLightX(unsigned n) {
  if (n <= 7) {
    glDisable(GL_LIGHT0 + n);
  } else if (n >= 100) {
    for (unsigned i = 0; i < 8; ++i) glDisable(GL_LIGHT0 + i);
  }
}

void Svetik(unsigned unit, t_Svet* s, float x, float y, float z, float w) {
  if (!s) return;
  if (LightOn(unit, s->range, s->cutoff, vec4(x, y, z, w), s->ambient, s->diffuse, s->specular)) Vis();
}

void priv_Svet_Pos(unsigned unit, float& x, float& y, float& z, float w) {
  if (unit > 7) return;
  priv_Svet_Pos_Last = vec4(x, y, z, w);
  glLightfv(GL_LIGHT0 + unit, GL_POSITION, priv_Svet_Pos_Last);
}

void priv_Svet_Atten(unsigned unit, float constant, float linear, float quadratic) {
  if (unit > 7) return;
  glLightf(GL_LIGHT0 + unit, GL_CONSTANT_ATTENUATION, constant);
  glLightf(GL_LIGHT0 + unit, GL_LINEAR_ATTENUATION, linear);
  glLightf(GL_LIGHT0 + unit, GL_QUADRATIC_ATTENUATION, quadratic);
}

void priv_Default_Atten(unsigned unit) { priv_Svet_Atten(unit, 1.0f, 0.0f, 0.0f); }

int Vis() { return AktivIPPI_ResidentOfEditor(); }

}  // namespace Svet

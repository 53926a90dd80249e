// Scene and ground light lists, the lights around an object, stored GL lights
// and the light switches.
#include "render/OpenGL_Ext.h"
#include "render/lights.h"

#include <cstring>

#include "render/geometry.h"
#include "render/groundlight.h"
#include "render/rendermash.h"
#include "render/shellglue.h"
#include "ui/ui.h"

t_Svet masSvetik[kSvetikLast + 1];
int NowIn_masSvetik = 0;
t_SvetLand masLandSvetik[kSvetikLast + 1];
int NowIn_masLandSvetik = 0;

namespace {

// The GL-side light switches. The named ones of Svet:: below are these plus
// forgetting what a model run knows of the lights.
void SendPos(unsigned unit, const vec4& p) {
  Svet::priv_Svet_Pos_Last = p;
  glLightfv(GL_LIGHT0 + unit, GL_POSITION, Svet::priv_Svet_Pos_Last);
}

void SendAtten(unsigned unit, float constant, float linear, float quadratic) {
  glLightf(GL_LIGHT0 + unit, GL_CONSTANT_ATTENUATION, constant);
  glLightf(GL_LIGHT0 + unit, GL_LINEAR_ATTENUATION, linear);
  glLightf(GL_LIGHT0 + unit, GL_QUADRATIC_ATTENUATION, quadratic);
}

// Attenuation by range: the factor at distance d is range / (10 d); range 0
// means none.
void RangeAtten(unsigned unit, int range) {
  if (range != 0) SendAtten(unit, 0.0f, 10.0f / static_cast<float>(range), 0.0f);
  else SendAtten(unit, 1.0f, 0.0f, 0.0f);
}

void AllLightsOff() {
  for (unsigned i = 0; i < 8; ++i) glDisable(GL_LIGHT0 + i);
}

// A light that may be set: a unit 0..7, in use, with a cutoff that is not
// negative (one above 90 degrees becomes 180, no spot).
bool LightUsable(unsigned unit, int range, float& cutoff) {
  if (unit >= 8 || range < 0 || cutoff < 0) return false;
  if (cutoff > 90) cutoff = 180;
  return true;
}

// The common part of a scene light and a stored light on GL light `unit`.
bool LightOn(unsigned unit, int range, float& cutoff, const vec4& pos, const vec4& amb, const vec4& dif,
             const vec4& spe) {
  if (!LightUsable(unit, range, cutoff)) return false;
  GLenum l = GL_LIGHT0 + unit;
  glEnable(l);
  SendPos(unit, pos);
  glLightfv(l, GL_AMBIENT, amb);
  glLightfv(l, GL_DIFFUSE, dif);
  glLightfv(l, GL_SPECULAR, spe);
  RangeAtten(unit, range);
  return true;
}

// ---- the lights a model run shares between its objects ----

// What the GL lights hold while a model run draws, as far as the lights of
// its objects set them; `known` false: nothing is known, all is sent.
struct t_SentLight {
  bool on = false;
  bool set = false;  // colours and range below are the light's
  vec4 ambient, diffuse, specular;
  int range = 0;
  // A directional light's direction as last sent, and the turn (the upper
  // 3 x 3) of the modelview it was sent under: GL keeps it in eye space, where
  // only the turn moves it, so objects that differ by a translation (every
  // object is placed so) need not send it again.
  bool aimed = false;
  vec4 aim;
  float turn[9] = {};
};
struct t_SentLights {
  bool sharing = false;  // inside a model run
  bool known = false;
  bool lighting = false;
  t_SentLight l[8];
};
t_SentLights sent;

void Forget() { sent.known = false; }

bool Same(const vec4& a, const vec4& b) { return a.x == b.x && a.y == b.y && a.z == b.z && a.w == b.w; }

// Lighting and the eight lights as `o` wants them, sending only what differs
// from what the run's earlier objects left: a light that stays on keeps its
// colours and attenuation; a point light is given its position, which is
// relative to the object, again, a directional one only under another turn. The GL state afterwards is the one the full setting
// gives.
void SharedLightsFor(t_SveOkruj* o) {
  bool want[8] = {};
  vec4 pos[8];
  const bool lighting = o->mode > 0;
  if (lighting) {
    for (unsigned i = 0; i < 8 && o->lights[i]; ++i) {
      t_Svet* s = o->lights[i];
      if (!LightUsable(i, s->range, s->cutoff)) continue;
      want[i] = true;
      pos[i] = s->position.w != 0 ? vec4(s->position.x - o->centre.x, s->position.y - o->centre.y,
                                         s->position.z - o->centre.z, s->position.w)
                                  : vec4(s->position.x, s->position.y, s->position.z, 0);
    }
  }
  if (!sent.known) {
    AllLightsOff();
    for (t_SentLight& l : sent.l) l = t_SentLight();
    if (lighting) glEnable(GL_LIGHTING);
    else glDisable(GL_LIGHTING);
    sent.lighting = lighting;
    sent.known = true;
  } else if (sent.lighting != lighting) {
    if (lighting) glEnable(GL_LIGHTING);
    else glDisable(GL_LIGHTING);
    sent.lighting = lighting;
  }
  for (unsigned i = 0; i < 8; ++i) {
    t_SentLight& l = sent.l[i];
    if (!want[i]) {
      if (l.on) glDisable(GL_LIGHT0 + i);
      l.on = false;
      continue;
    }
    const t_Svet* s = o->lights[i];
    const GLenum gl = GL_LIGHT0 + i;
    if (!l.on) glEnable(gl);
    l.on = true;
    if (pos[i].w == 0) {
      float mv[16], turn[9];
      glGetFloatv(GL_MODELVIEW_MATRIX, mv);
      for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c) turn[3 * r + c] = mv[4 * r + c];
      if (!l.aimed || !Same(l.aim, pos[i]) || std::memcmp(turn, l.turn, sizeof turn) != 0) SendPos(i, pos[i]);
      l.aimed = true;
      l.aim = pos[i];
      std::memcpy(l.turn, turn, sizeof turn);
    } else {
      SendPos(i, pos[i]);
      l.aimed = false;
    }
    if (!l.set || !Same(l.ambient, s->ambient)) glLightfv(gl, GL_AMBIENT, s->ambient);
    if (!l.set || !Same(l.diffuse, s->diffuse)) glLightfv(gl, GL_DIFFUSE, s->diffuse);
    if (!l.set || !Same(l.specular, s->specular)) glLightfv(gl, GL_SPECULAR, s->specular);
    if (!l.set || l.range != s->range) RangeAtten(i, s->range);
    l.set = true;
    l.ambient = s->ambient;
    l.diffuse = s->diffuse;
    l.specular = s->specular;
    l.range = s->range;
  }
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
  if (sent.sharing) {
    SharedLightsFor(o);
    return;
  }
  Svet::priv_GLDisLightX(100);
  if (o->mode > 0) {
    glEnable(GL_LIGHTING);
    o->Use(1);
  } else {
    Svet::ProcCase(0);
  }
}

void SvetShare_Begin() {
  sent.sharing = !RenderM_EachOrderAlone;
  Forget();
}

void SvetShare_End() {
  sent.sharing = false;
  Forget();
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
  Forget();
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
  Forget();
  if (mode <= 0) {
    glDisable(GL_LIGHTING);
    return;
  }
  if (mode == 1) Case1();
  else if (mode == 20) Case20();
  else glEnable(GL_LIGHTING);
}

void priv_GLDisLightX(unsigned n) {
  Forget();
  if (n <= 7) glDisable(GL_LIGHT0 + n);
  else if (n >= 100) AllLightsOff();
}

void Svetik(unsigned unit, t_Svet* s, float x, float y, float z, float w) {
  if (!s) return;
  Forget();
  if (LightOn(unit, s->range, s->cutoff, vec4(x, y, z, w), s->ambient, s->diffuse, s->specular)) Vis();
}

void priv_Svet_Pos(unsigned unit, float& x, float& y, float& z, float w) {
  if (unit > 7) return;
  Forget();
  SendPos(unit, vec4(x, y, z, w));
}

void priv_Svet_Atten(unsigned unit, float constant, float linear, float quadratic) {
  if (unit > 7) return;
  Forget();
  SendAtten(unit, constant, linear, quadratic);
}

void priv_Default_Atten(unsigned unit) { priv_Svet_Atten(unit, 1.0f, 0.0f, 0.0f); }

int Vis() { return AktivIPPI_ResidentOfEditor(); }

}  // namespace Svet

#include "world/fgr4.h"

#include "core/core.h"
#include "objects/objects.h"
#include "shell/engine.h"
#include "world/holder.h"
#include "world/netglue.h"
#include "world/pools.h"

int Fgr4_Event_LastCallToDeadFgr = 0;
int priv_Fgr4_EventSendToServer = 0;
int priv_force_EventsFromServer = 0;
void (*Fgr4_EventTrace)(Fgr4*, int, void*, void*, void*, void*) = nullptr;

namespace {

// Takes a body of type T from its pool and ties it to the handle.
template <class T>
int takeBody(Fgr4* h, tm_Nab<T>& pool) {
  T* p = pool.GetFreeNext_(1);
  if (!p) return 0;
  p->owner = h;
  h->body = p;
  return 1;
}

int takeBodyOfType(Fgr4* h, int type) {
  switch (type) {
#define VELMAR_TAKE(code, Name, capacity) \
  case code:                              \
    return takeBody(h, Fgr4W.Name);
    VELMAR_OBJECT_TYPES(VELMAR_TAKE)
#undef VELMAR_TAKE
    default:
      return 0;
  }
}

// A body whose type has no kill step still names its handle after event 22:
// its class reset gives the pool slot back, so that no kill strands a body.
void releaseBodyOfType(Fgr4* h, void* body, int type) {
  switch (type) {
#define VELMAR_RELEASE(code, Name, capacity)        \
  case code: {                                      \
    auto* b = static_cast<tw_##Name*>(body);        \
    if (b->owner == h) b->Sbros();                  \
    break;                                          \
  }
    VELMAR_OBJECT_TYPES(VELMAR_RELEASE)
#undef VELMAR_RELEASE
    default:
      break;
  }
}

}  // namespace

int Fgr4::Init(int type, int kind, int makeCurrent, FILE* file) {
  if (body || static_cast<unsigned>(type) - 1u >= static_cast<unsigned>(FGR4_TYPE_COUNT))
    return 0;
  if (!takeBodyOfType(this, type)) return 0;
  wrkNom = type;
  if (file) {
    FILE* f = file;
    Event(EV_LOAD, &f, &kind, &makeCurrent);
    if (*static_cast<Fgr4**>(body) != this) {
      // The body's first word is its owner: the type refused its record and
      // freed the body. Nothing of the object stays, not even the links its
      // handle part named.
      trigs.clear();
      priv_Clear(0);
      return 0;
    }
  } else {
    linkB = pMainScrFrmFgr();
    Event(EV_CREATE, &kind, &makeCurrent);
    if (*static_cast<Fgr4**>(body) != this) {
      // The type refused the creation and freed the body.
      priv_Clear(0);
      return 0;
    }
  }
  wasSelfUpd = 0;
  return Status();
}

void Fgr4::Kill(int mode) {
  priv_Clear(mode);
  wrkNom = -2;
}

void Fgr4::priv_Clear(int mode) {
  if (!body) return;
  Event(EV_KILL, &mode);
  if (body) releaseBodyOfType(this, body, wrkNom);
  body = nullptr;
  wrkNom = 0;
  wasSelfUpd = 0;
  linkA = nullptr;
  linkB = nullptr;
  trigTryKill(mode);
  trigs.clear();
  active = 0;
  SaveCategory = 0;
  freeze = 0;
  draw = 0;
  spare = 0;
}

void Fgr4::Sbros() { priv_Clear(1); }

int Fgr4::IsActive() {
  int answer = 0;
  Event(EV_IS_ACTIVE, &answer);
  return answer;
}

void Fgr4::priv1_SetLogNom(int n) {
  if (n < 0) {
    LogInfo("\n Error: priv1_SetLogNom()  ofsInEtapSlots < 0 \n");
    return;
  }
  if (logNom != -1) {
    LogInfo("\n Error: priv1_SetLogNom()  ofsNom != -1 \n");
    return;
  }
  logNom = n;
}

void Fgr4::trigAdd(Fgr4* target, int kind) {
  if (!target) return;
  trigs.push_back(Fgr4Rea{target, kind});
}

Fgr4* Fgr4::trigFind(int type, int key) {
  for (size_t i = 0; i < trigs.size(); ++i) {
    Fgr4* t = trigs[i].target;
    if (!t || trigs[i].kind != 0 || t->WrkNom() != type) continue;
    if (key != 0) {
      int answer = 0;
      t->Event(EV_TRIGGER_KEY, &answer);
      if (answer != key) continue;
    }
    return t;
  }
  return nullptr;
}

void Fgr4::trigTryKill(int mode) {
  // Index loop: a nested kill may touch this array.
  for (size_t i = 0; i < trigs.size(); ++i) {
    Fgr4* t = trigs[i].target;
    if (t && trigs[i].kind == 1 && t->Status()) t->Kill(mode);
  }
}

void Fgr4::killDeadLinks() {
  if (linkA && !linkA->Status()) linkA = nullptr;
  if (linkB && !linkB->Status()) linkB = nullptr;
  for (Fgr4Rea& r : trigs) {
    if (r.target && !r.target->Status()) r = Fgr4Rea{nullptr, 0};
  }
}

int Fgr4::eventServerKmd(int& code) {
  if (priv_force_EventsFromServer != 0) return 0;
  if (Glob_WSA_ProgIs == 0 || Glob_WSA_ProgIs == 1) return 0;
  return code == EV_MOVE_TO_TARGET || code == EV_MOVE_TO_POINT;
}

void Fgr4::BindToScrFrm(tw_ScrFrm* frame) {
  if (!frame) return;
  linkB = frame->MyFgrForMainScrFrm();
  SetMainScrFrm(pMainScrFrm);
}

void Fgr4::Event(int code, void* a, void* b, void* c, void* d) {
  if (!body) {
    Fgr4_Event_LastCallToDeadFgr = 2;
    return;
  }
  priv_Fgr4_EventSendToServer = eventServerKmd(code);
  switch (wrkNom) {
#define VELMAR_DISPATCH(code_, Name, capacity)                    \
  case code_:                                                     \
    static_cast<tw_##Name*>(body)->OnEvent(code, a, b, c, d);     \
    break;
    VELMAR_OBJECT_TYPES(VELMAR_DISPATCH)
#undef VELMAR_DISPATCH
    default:
      Main_Done = 1;
      LogInfo("\n Fgr4::Event - не-найден кейс wrkNom(%d)\n", wrkNom);
      return;
  }
  if (Fgr4_EventTrace) Fgr4_EventTrace(this, code, a, b, c, d);
  if (code == EV_UPD_SELF) wasSelfUpd = 1;
  else if (code == EV_UPD) wasSelfUpd = 0;
  else if (code == EV_DROP_DEAD_LINKS) killDeadLinks();
}

void Fgr4_Event(Fgr4* handle, int code, void* a, void* b, void* c, void* d) {
  if (handle) handle->Event(code, a, b, c, d);
}

int Fgr_WrkNom(Fgr4* handle) { return handle ? handle->WrkNom() : 0; }

int Fgr4_Status_LogNom(Fgr4* handle) { return handle ? handle->LogNom() : 0; }

Fgr4* Etap_pFgrFromLogNom(int n) { return FgrHld.LinkFromFile(n); }

int Etap_LogNomOK(int n) { return n == 0 || FgrHld.AdrOK(n); }

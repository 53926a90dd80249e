// The frame every world-object type follows: the owner word first in the body,
// the entry rules of OnEvent, the creation, deactivation, kill and is-active
// steps that only touch the handle, the constant answers, and the
// current-object pointer after creation or loading.
#pragma once

#include <cstdint>
#include <cstdio>

#include "world/fgr4.h"

// What the frame needs to know of one type.
struct t_ObjFrameType {
  int16_t maxCode;     // codes above it are ignored
  int8_t category;     // save category set at creation; -1: creation not answered
  int8_t drawOnCreate; // draw flag set at creation
  int8_t deactKill;    // answers 21 (deactivate) and 22 (kill: owner word := null)
  int8_t c28, c29, c30;  // constant answers; -1 not answered
  int8_t c40, c41;       // 0, the type code (1) or not answered (-1)
  int8_t sideNever;      // answers 31 with 0 (an object on no side)
};

// Frame data of type code 1..27 (null outside).
const t_ObjFrameType* ObjFrame_Type(int type);

// Entry rules: the owner word null sets Fgr4_Event_LastCallToDeadFgr to 2 and
// answers 0; otherwise it is set to 0 and the answer is 1 when the code is
// within the type's maximum.
int ObjFrame_Enter(Fgr4* owner, int type, int code);

// The frame's own codes (18, 21, 22, 23 and the constant answers) for a body
// whose owner word is the first member; returns 1 when the code was answered.
// `ownerWord` is the body's owner member, cleared by the kill step.
int ObjFrame_Common(Fgr4*& ownerWord, int type, int code, void* a, void* b);

// 1 after event 2 with *c != 0 or event 18 with *b != 0: the body then
// becomes its type's current object (pTek...).
int ObjFrame_WantsCurrent(int code, void* b, void* c);

// The int an event argument points to, or 0 when there is none.
inline int ObjArgInt(void* p) { return p ? *static_cast<int*>(p) : 0; }
// The pass number of a render queue's call-back (events 7 and 12): the
// queues hand over their 16-bit parameter.
inline int ObjArgPass(void* p) { return p ? *static_cast<uint16_t*>(p) : 0; }

// A type's OnEvent on the frame: the entry rules; 1 and 2 through the body's
// AddToFile and FromFile (a refused record has freed the body: nothing more
// happens); 18 through the frame's creation step and then the type's own
// handler; every other code through the type's own handler and, when that
// did not answer it, the frame's codes; last the current-object pointer. A
// type refuses a creation by freeing its body (owner word null).
// `own` returns 1 when it answered the code.
template <class T, class Own>
void ObjFrame_Dispatch(T& body, T*& current, int type, int code, void* a, void* b, void* c, Own own) {
  if (!ObjFrame_Enter(body.owner, type, code)) return;
  if (code == EV_SAVE || code == EV_LOAD) {
    FILE* f = a ? *static_cast<FILE**>(a) : nullptr;
    if (code == EV_SAVE) {
      body.AddToFile(f);
      return;
    }
    if (!body.FromFile(f)) return;
  } else if (code == EV_CREATE) {
    ObjFrame_Common(body.owner, type, code, a, b);
    own();
  } else if (!own()) {
    ObjFrame_Common(body.owner, type, code, a, b);
  }
  // A creation the type refused has freed the body: it is nobody's current.
  if (body.owner && ObjFrame_WantsCurrent(code, b, c)) current = &body;
}

#include "objects/sputnik.h"

#include "objects/frame.h"
#include "objects/modesglue.h"
#include "objects/record.h"
#include "objects/scr_frm.h"
#include "objects/sceneobj.h"
#include "objects/unithelp.h"
#include "objects/unitlists.h"
#include "render/render.h"
#include "world/world.h"

tw_Sputnik* pTekSputnik = nullptr;

namespace {
constexpr int kSputnikType = 22, kEtapLinkType = 18, kTailStripType = 16;
}  // namespace

// ---------------------------------------------------------------- shared part

void t_MarkerPart::Sbros() {
  int1 = side = selected = visible = int5 = int6 = 0;
  mb.Sbros();
}

void t_MarkerPart::Draw(Fgr4* owner, Colour colour, int withSprite) {
  vec3 c;
  if (colour == kFlagColour) RGB_ColorFlag(side, c.x, c.y, c.z);
  else ObjSideColour(side, c.x, c.y, c.z);
  visible = ObjDrawMarked(owner, mb, selected, c, withSprite, 80.0f);
}

int t_MarkerPart::Event(Fgr4* owner, int code, void* a, void* b, void* c, Colour colour, int withSprite) {
  switch (code) {
    case EV_UPD_SELF: selected = PlayerSelected_AnIn(owner); return 1;
    case EV_DRAW: Draw(owner, colour, withSprite); return 1;
    case EV_RENDER: return 1;  // no model
    case EV_DRAW_SELECT: ObjDrawForSelect(mb, vec3(0, 1, 0), vec3(1, 1, 1)); return 1;
    default: return ObjPlacedEvent(code, a, b, c, mb.Pos(), visible);
  }
}

OBJ_RECORD_RUN(t_MarkerPart, int1, int6, 6);

template <class IO>
void t_MarkerPart::Record(IO& io) {
  io.Ints(&int1, &int6);
  io.Place(mb);
}

// ---------------------------------------------------------------- satellite

void tw_Sputnik::Sbros() {
  owner = nullptr;
  m.Sbros();
}

void tw_Sputnik::IFC_x() {
  owner->draw = 0;
  m.selected = 0;
  m.mb.Sbros();
}

template <class IO>
void tw_Sputnik::Record(IO& io) {
  m.Record(io);
}

int tw_Sputnik::AddToFile(FILE* f) { return ObjRecord_Save(*this, f); }

int tw_Sputnik::FromFile(FILE* f) { return ObjRecord_Load(*this, f, "satellite"); }

void tw_Sputnik::OnEvent(int code, void* a, void* b, void* c, void* d) {
  ObjFrame_Dispatch(*this, pTekSputnik, kSputnikType, code, a, b, c, [&] {
    switch (code) {
      case EV_UPD: return 1;  // the satellite's extra update is empty
      case EV_CREATE: IFC_x(); return 1;
      default: return m.Event(owner, code, a, b, c, t_MarkerPart::kFlagColour, 0);
    }
  });
}

// ---------------------------------------------------------------- level link and tail marker

void t_LinkedMarker::Sbros() {
  link = nullptr;
  angle = 0.0f;
  m.Sbros();
}

void t_LinkedMarker::IFC_x() {
  angle = 1.0f;
  link = nullptr;
  m.selected = 0;
  m.mb.Sbros();
}

int t_LinkedMarker::Event(Fgr4* owner, int code, void* a, void* b, void* c, int withSprite) {
  switch (code) {
    case EV_UPD:
      if (ObjArgInt(b)) ObjTurnAngle(angle);
      return 1;
    case EV_CREATE: IFC_x(); return 1;
    case EV_RENDER_SPR:
      if (!withSprite) return 0;
      ObjSprite(m.mb.Pos(), 1, 1, 0.5f);
      return 1;
    default: return m.Event(owner, code, a, b, c, t_MarkerPart::kSideColour, withSprite);
  }
}

template <class IO>
void t_LinkedMarker::Record(IO& io) {
  io.Link(link);
  io.Flo(angle);
  m.Record(io);
  io.Check(angle >= 0.0f && angle <= 360.0f);
}

OBJ_PART_TYPE_IMPL(EtapLink, kEtapLinkType, "level link", 0)
OBJ_PART_TYPE_IMPL(TailStrip, kTailStripType, "tail marker", 1)

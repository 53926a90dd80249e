#include "objects/sputnik.h"

#include "objects/frame.h"
#include "objects/modesglue.h"
#include "objects/record.h"
#include "objects/scr_frm.h"
#include "objects/sceneobj.h"
#include "objects/standins_scene.h"
#include "render/render.h"
#include "world/world.h"

tw_Sputnik* pTekSputnik = nullptr;
tw_EtapLink* pTekEtapLink = nullptr;
tw_TailStrip* pTekTailStrip = nullptr;

namespace {
constexpr int kSputnikType = 22, kEtapLinkType = 18, kTailStripType = 16;
}  // namespace

// ---------------------------------------------------------------- shared part

void t_MarkerPart::Sbros() {
  int1 = side = selected = visible = int5 = int6 = 0;
  mb.Sbros();
}

void t_MarkerPart::Draw(Fgr4* owner, Colour colour, int withSprite) {
  if (!ObjBoxInView(mb)) {
    visible = 0;
    return;
  }
  visible = 1;
  if (selected) {
    float r, g, b;
    if (colour == kFlagColour) RGB_ColorFlag(side, r, g, b);
    else ObjSideColour(side, r, g, b);
    ObjSelMarker(mb.Pos(), r, g, b);
    if (withSprite) RenderM.quads[0].Add(owner, 1, 1, 0, kSprPicture, -1, -1);
  }
  ObjEditorFrame(mb, 80.0f);
}

int t_MarkerPart::Event(Fgr4* owner, int code, void* a, void* b, void* c, Colour colour, int withSprite) {
  switch (code) {
    case EV_UPD_SELF: selected = PlayerSelected_AnIn(owner); return 1;
    case EV_DRAW: Draw(owner, colour, withSprite); return 1;
    case EV_RENDER: return 1;  // no model
    case EV_DRAW_SELECT: ObjDrawForSelect(mb, vec3(0, 1, 0), vec3(1, 1, 1)); return 1;
    case EV_POSITION: ObjAnswerPos(mb.Pos(), a, b, c); return 1;
    case 42: ObjAnswerInt(visible, a); return 1;
    default: return 0;
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

namespace {

template <class T>
void LinkedMarkerSbros(T& body) {
  body.owner = nullptr;
  body.link = nullptr;
  body.angle = 0.0f;
  body.m.Sbros();
}

template <class T>
void LinkedMarkerCreate(T& body) {
  body.angle = 1.0f;
  body.link = nullptr;
  body.m.selected = 0;
  body.m.mb.Sbros();
}

template <class T, class IO>
void LinkedMarkerRecord(T& body, IO& io) {
  io.Link(body.link);
  io.Flo(body.angle);
  body.m.Record(io);
  io.Check(body.angle >= 0.0f && body.angle <= 360.0f);
}

// Events of the level link and the tail marker: the extra update turns the
// angle; the rest as every marker.
template <class T>
int LinkedMarkerEvent(T& body, int code, void* a, void* b, void* c, int withSprite) {
  switch (code) {
    case EV_UPD:
      if (ObjArgInt(b)) ObjTurnAngle(body.angle);
      return 1;
    case EV_CREATE: body.IFC_x(); return 1;
    default: return body.m.Event(body.owner, code, a, b, c, t_MarkerPart::kSideColour, withSprite);
  }
}

}  // namespace

void tw_EtapLink::Sbros() { LinkedMarkerSbros(*this); }

void tw_EtapLink::IFC_x() { LinkedMarkerCreate(*this); }

template <class IO>
void tw_EtapLink::Record(IO& io) {
  LinkedMarkerRecord(*this, io);
}

int tw_EtapLink::AddToFile(FILE* f) { return ObjRecord_Save(*this, f); }

int tw_EtapLink::FromFile(FILE* f) { return ObjRecord_Load(*this, f, "level link"); }

void tw_EtapLink::OnEvent(int code, void* a, void* b, void* c, void* d) {
  ObjFrame_Dispatch(*this, pTekEtapLink, kEtapLinkType, code, a, b, c,
                    [&] { return LinkedMarkerEvent(*this, code, a, b, c, 0); });
}

void tw_TailStrip::Sbros() { LinkedMarkerSbros(*this); }

void tw_TailStrip::IFC_x() { LinkedMarkerCreate(*this); }

void tw_TailStrip::OnRender_Spr(int pass) { ObjSprite(m.mb.Pos(), 1, 1, 0.5f); }

template <class IO>
void tw_TailStrip::Record(IO& io) {
  LinkedMarkerRecord(*this, io);
}

int tw_TailStrip::AddToFile(FILE* f) { return ObjRecord_Save(*this, f); }

int tw_TailStrip::FromFile(FILE* f) { return ObjRecord_Load(*this, f, "tail marker"); }

void tw_TailStrip::OnEvent(int code, void* a, void* b, void* c, void* d) {
  ObjFrame_Dispatch(*this, pTekTailStrip, kTailStripType, code, a, b, c, [&] {
    if (code == EV_RENDER_SPR) {
      OnRender_Spr(ObjArgPass(a));
      return 1;
    }
    return LinkedMarkerEvent(*this, code, a, b, c, 1);
  });
}

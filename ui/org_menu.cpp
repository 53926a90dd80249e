// The settings editor's two overlay lists: placing, showing and hiding them,
// their page rows and click sides, their line commands and their drawing; and
// the page and click side of the editor's object-property list.
#include "core/core.h"
#include "render/render.h"
#include "shell/shell.h"
#include "ui/modesglue.h"
#include "ui/org_edit.h"
#include "ui/settings.h"
#include "ui/text_buf.h"
#include "world/world.h"

t_Lin2 org2_li9;
t_Lin2 orgF_li10;
int gOrg2_PartFr0 = 0, gOrgF_PartFr0 = 0;
const int gOrg2_DynLines = 50, gOrgF_DynLines = 50;
int gEdFgr_PartFr0 = 0;
const int gEdFgr_DynLines = 20;
int flagSuperOrg = 0;

namespace {

constexpr int kOverlayRows = 52;
constexpr int kHiddenX = -2000;
constexpr int kTechBoxType = 21;
constexpr int kTechBoxLastPage = 30;
constexpr int kObjectLastPage = 9;

// The overlay lists never collapse, so the expansion never keeps them below
// the top of the window: keep every state of the field there once.
void KeepOverlayOnScreen(t_Lin2& li) {
  li.KeepBelowTop(Ekran.H);
  li.y0 = li.y;
}

// The window x of the press that clicked a line of `li`: a line's command
// runs inside the list's test of that press, which keeps where it lay.
int PressX(const t_Lin2& li) { return li.x + li.kurDx; }

// A click on a title row: the left quarter pages back, the right quarter on,
// the middle half asks for a setting id (reaction 4 or 5).
void TitleClick(t_Lin2& li, int& page, int reaction) {
  switch (li.xInQrt(PressX(li))) {
    case 1: --page; break;
    case 4: ++page; break;
    default: rea(reaction); break;
  }
  zn::Tram(page, 0, kOrgPages - 1);
}

void ClickSide(const t_Lin2& li, int& side) {
  int q = li.xInQrt(PressX(li));
  if (q == 1) side = 1;
  else if (q == 4) side = 2;
}

void Place(t_Lin2& li, int x) {
  li.x = li.x0 = x;
}

// One overlay list; isInt picks the table and the colours.
void MenuDraw(t_Lin2* li, bool isInt) {
  if (!li) return;
  const int page = isInt ? gOrg2_PartFr0 : gOrgF_PartFr0;
  NomBlend(38);
  ColorMatF(0.65f, 0.1f, 0.3f, 0.4f);
  TexMat(1, 0, 11, -1, 0);
  li->DrawWndBase();
  NomBlend(0);
  ColorMatF(1.0f, 0.4f, 0.3f, 0.2f);
  TexMat(1, 0, 6, -1, 0);
  li->DrawLineX(0, 1, 1, 0);
  ColorMatF(1.0f, 0.4f, 0.8f, 0.7f);
  TBufUpdate(0, GTBuf_Lin, isInt ? "org2n[x] <<" : ">> orgFn[x]");
  li->PrTBuf(0, 100, 0, GTBuf_Lin, 1, 0);
  for (int l = 1; l <= kOrgPages; ++l) {
    const int id = page * kOrgPages + l;
    int kind = -1, readOnly = 0;
    if (isInt) org2_TBuf00Set(id, kind, readOnly);
    else orgF_TBuf00Set(id, kind, readOnly);
    if (kind != -1) {
      NomBlend(0);
      if (readOnly) {
        if (isInt) ColorMat(255, 110, 40, 55);
        else ColorMat(255, 170, 60, 80);
        TexMat(1, 0, 9, -1, 0);
        li->DrawLineX(l, li->w / 8, 1, 0);
      }
      if (l % 2) ColorMatF(1.0f, 1.0f, 1.0f, 0.7f);
      else ColorMatF(1.0f, 0.8f, 1.0f, 0.9f);
      li->PrTBuf(l, 100, 0, 0, 1, 0);
    } else {
      if (isInt) ColorMat(255, 40, 0, 0);
      else ColorMat(255, 30, 0, 0);
      TexMat(0, -1, 0, -1, 0);
      li->DrawLineX(l, li->w / 4, 1, 0);
      ColorMat(255, 90, 90, 90);
      li->Print(li->baseId + l, 100, 1, "-< %d >-", id);
    }
  }
  if (li->LineUK_BtwFirstLast(1, 1)) {
    NomBlend(34);
    ColorMatF(0.5f, 0.6f, 0.6f, 0.3f);
    TexMat(1, 0, 10, -1, 0);
    int q = li->xInQrt(gMX);
    li->DrawLineUK(q == 1 ? 1 : q == 4 ? 2 : 0);
  }
}

}  // namespace

void gOrgAllMenuInit() {
  org2_li9.InitLin(kOrg2_BaseId, 0, kOverlayRows, -2.0f, -0.012f, 0.21f, 0.02f, 0.0f, -0.012f, 0.21f, 0.02f, 0, 1,
                   1);
  orgF_li10.InitLin(kOrgF_BaseId, 0, kOverlayRows, -2.0f, -0.012f, 0.22f, 0.02f, 0.79f, -0.012f, 0.22f, 0.02f, 0,
                    1, 1);
  org2_li9.keepOpen = 1;
  orgF_li10.keepOpen = 1;
  KeepOverlayOnScreen(org2_li9);
  KeepOverlayOnScreen(orgF_li10);
}

void gOrgAllUp() {
  Place(org2_li9, org2_li9.x2);
  Place(orgF_li10, orgF_li10.x2);
}

void gOrgAllOut() {
  Place(org2_li9, kHiddenX);
  Place(orgF_li10, kHiddenX);
}

void gOrg2_PartFr0_UpKlik() { TitleClick(org2_li9, gOrg2_PartFr0, 4); }
void gOrgF_PartFr0_UpKlik() { TitleClick(orgF_li10, gOrgF_PartFr0, 5); }
void gOrg2_GetSpe(int& side) { ClickSide(org2_li9, side); }
void gOrgF_GetSpe(int& side) { ClickSide(orgF_li10, side); }

void gEdFgr_PartFr0_UpKlik() {
  const t_Lin2* li = EdFgr_li8();
  if ((li ? PressX(*li) : gMX) < Menu_li8_WHaf) --gEdFgr_PartFr0;
  else ++gEdFgr_PartFr0;
  int last = kTechBoxLastPage;  // nothing selected: no page beyond any object's last
  if (PlayerSelected_Now != 0 && PlayerSelected_[1])
    last = PlayerSelected_[1]->WrkNom() == kTechBoxType ? kTechBoxLastPage : kObjectLastPage;
  zn::Tram(gEdFgr_PartFr0, 0, last);
}

void gEdFgr_GetSpe(int& side) {
  if (const t_Lin2* li = EdFgr_li8()) ClickSide(*li, side);
}

void gOrg2MenuDraw(t_Lin2* li) { MenuDraw(li, true); }
void gOrgFMenuDraw(t_Lin2* li) { MenuDraw(li, false); }

bool gOrgAll_LinCase(int id) {
  int side = 0;
  if (id == kOrg2_BaseId) {
    gOrg2_PartFr0_UpKlik();
  } else if (id > kOrg2_BaseId && id <= kOrg2_BaseId + kOrgPages) {
    gOrg2_GetSpe(side);
    org2_InputProp(gOrg2_PartFr0 * gOrg2_DynLines + (id - kOrg2_BaseId), side);
  } else if (id == kOrgF_BaseId) {
    gOrgF_PartFr0_UpKlik();
  } else if (id > kOrgF_BaseId && id <= kOrgF_BaseId + kOrgPages) {
    gOrgF_GetSpe(side);
    orgF_InputProp(gOrgF_PartFr0 * gOrgF_DynLines + (id - kOrgF_BaseId), side);
  } else {
    return false;
  }
  return true;
}

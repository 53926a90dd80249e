// The panel lists of the menu, the game and the editor: their looks and the
// text of every line. A line's command id is the list's base id + the line.
#include <GL/gl.h>

#include <cstdarg>
#include <cstdio>
#include <string>

#include "core/core.h"
#include "modes/front.h"
#include "modes/soundglue.h"
#include "objects/objects.h"
#include "render/render.h"
#include "shell/shell.h"
#include "ui/ui.h"
#include "world/world.h"

std::string userPlayerName = "Commander";

namespace {

constexpr int kFont = 100;  // texture font of every panel line

// The frame every panel shares: a translucent field, a title bar on line 0
// and a hover bar on the line under the pointer.
void PanelBase(const t_Lin2* li, float r, float g, float b) {
  TexMat(0, -1, 0, -1, 0);
  NomBlend(38);
  ColorMatF(0.7f, r * 0.25f, g * 0.25f, b * 0.25f);
  li->DrawWndBase();
  ColorMatF(0.85f, r, g, b);
  li->DrawLineX(0, 1, 1, 0);
  if (li->lineUK >= 1 && !li->collapsed) {
    NomBlend(34);
    ColorMatF(0.35f, 0.6f, 0.7f, 0.8f);
    li->DrawLineUK(0);
    NomBlend(38);
  }
}

// A line of text in the list's colour.
void Line(const t_Lin2* li, int line, const char* format, ...) __attribute__((format(printf, 3, 4)));
void Line(const t_Lin2* li, int line, const char* format, ...) {
  char text[orgT_TBuf_::kCap + 1];
  va_list ap;
  va_start(ap, format);
  std::vsnprintf(text, sizeof text, format, ap);
  va_end(ap);
  ColorMatF(1.0f, 0.95f, 0.92f, 0.85f);
  li->Print(li->baseId + line, kFont, 0, "%s", text);
}

void Title(const t_Lin2* li, const char* text) {
  ColorMatF(1.0f, 1.0f, 1.0f, 1.0f);
  li->Print(li->baseId, kFont, 1, "%s", text);
}

bool Open(const t_Lin2* li) { return !li->collapsed || li->keepOpen; }

// The expanded-state twins: white, blend 38, picture 8.
void DrawDopBase(const t_Lin2* li, bool tick) {
  if (li->collapsed) return;
  NomBlend(38);
  ColorMatF(1.0f, 1.0f, 1.0f, 1.0f);
  TexMat(1, 0, 8, -1, 0);
  if (tick) li->DrawLineXGaloch(0, 0, -0.3f);
}

}  // namespace

void Pro_Q7_Elements::Menu_li1_Draw(t_Lin2* li) {
  if (!li) return;
  const bool level = *o2::EtapOK != 0;
  // Background in three layers: a dark field, the checker picture and an outline.
  TexMat(0, -1, 0, -1, 0);
  NomBlend(38);
  ColorMatF(0.75f, 0.04f, 0.06f, 0.1f);
  li->DrawWndBase();
  TexMat(1, 0, 6, -1, 0);
  ColorMatF(0.12f, 0.6f, 0.7f, 0.9f);
  li->DrawWndBase();
  TexMat(0, -1, 0, -1, 0);
  ColorMatF(0.9f, 0.5f, 0.6f, 0.7f);
  li->DrawWndBaseR(1, 1);
  // Bars on the title, the play, open, editor and new-level lines.
  for (int line : {0, 2, 11, 13, 14}) {
    if ((line == 2 || line == 13) && !level) continue;
    ColorMatF(0.55f, line == 0 ? 0.35f : 0.15f, line == 0 ? 0.45f : 0.4f, line == 0 ? 0.7f : 0.3f);
    li->DrawLineX(line, 2, 2, 0);
  }
  ColorMatF(0.5f, 0.4f, 0.5f, 0.6f);
  for (int line = 1; line <= 14; ++line) {
    const float y = static_cast<float>(li->LineBottom(line) + li->lineH);
    d2::Q(static_cast<float>(li->x + 6), y, static_cast<float>(li->w - 12), 1.0f);
  }
  if (li->lineUK >= 1) {
    NomBlend(34);
    ColorMatF(0.4f, 0.9f, 0.8f, 0.5f);
    li->DrawLineUK(0);
    NomBlend(38);
  }
  ColorMatF(1.0f, 1.0f, 0.95f, 0.8f);
  li->Print(101, kFont, 1, "%s", MsgBase(32));
  Line(li, 1, "%s: %s", MsgBase(37), userPlayerName.c_str());
  if (level) {
    ColorMatF(1.0f, 0.6f, 1.0f, 0.6f);
    li->Print(103, kFont, 0, "%s", MsgBase(39));
  } else {
    ColorMatF(1.0f, 0.6f, 0.6f, 0.6f);
    li->Print(103, kFont, 0, "%s", MsgBase(38));
  }
  Line(li, 3, "%s", MsgBase(53));
  Line(li, 4, "%s", MsgBase(52));
  for (int i = 0; i < 3; ++i) Line(li, 5 + i, "%s", MsgBase(54 + i));
  for (int i = 0; i < 3; ++i) Line(li, 8 + i, "%s", MsgBase(40 + i));
  Line(li, 11, "%s", MsgBase(57));
  Line(li, 12, "%s", MsgBase(58));
  if (level) ColorMatF(1.0f, 0.6f, 1.0f, 0.6f);
  else ColorMatF(1.0f, 0.55f, 0.55f, 0.55f);
  li->Print(114, kFont, 0, "%s", MsgBase(35));
  ColorMatF(1.0f, 1.0f, 0.85f, 0.4f);
  li->Print(115, kFont, 0, "%s", MsgBase(44));
  Line(li, 15, "%s", MsgBase(33));
}

void Pro_Q7_Elements::Game_li2_Draw(t_Lin2* li) {
  if (!li) return;
  PanelBase(li, 0.3f, 0.5f, 0.3f);
  Title(li, MsgBase(56));
  if (!Open(li)) return;
  // Line 11 reads "hit bars" in the Cyrillic code page of the texts.
  static const char* const kLines[] = {"add tank", "ener on grin", "skala",  "add car",  "---",
                                       "add tank", "(stolb)",      "(stolb)", "add car", "-",
                                       "\xf5\xe8\xf2-\xe1\xe0\xf0\xfb"};
  for (int i = 0; i < 11; ++i) Line(li, 1 + i, "%s", kLines[i]);
  Line(li, 12, "PixBuf Land:%d", *o2::SveKvadTex4);
  Line(li, 13, "-");
  Line(li, 14, "kill all sel");
  Line(li, 15, "-");
  Line(li, 16, "HMap");
}

void Pro_Q7_Elements::Edit_li3_Draw(t_Lin2* li) {
  if (!li) return;
  PanelBase(li, 0.5f, 0.4f, 0.2f);
  Title(li, "Editor");
  if (!Open(li)) return;
  Line(li, 1, "Save Land");
  Line(li, 2, "Load Land");
  Line(li, 4, "KleBrusSize:%d", *o2::PlitBrushSize);
}

void Pro_Q7_Elements::Dom_li4_Draw(t_Lin2* li) {
  if (!li) return;
  PanelBase(li, 0.4f, 0.3f, 0.5f);
  Title(li, "(li4) Near Teh:");
  if (!Open(li)) return;
  for (int tier = 1; tier <= 5; ++tier) Line(li, tier, "%s", MsgBase(Camp_NameDoTehn(tier, PlayerBanerID)));
  Line(li, 7, "%s", MsgBase(205));
  ColorMatF(0.5f, 0.3f, 0.3f, 0.5f);
  li->DrawLineX(8, 2, 2, 0);
  Line(li, 9, "%s %s", MsgBase(51), MsgBase(Camp_NameTekDom(0)));
  Line(li, 10, "Do TestUnit (K ? ? T)");
}

void Pro_Q7_Elements::Unit_li5_Draw(t_Lin2* li) {
  if (!li) return;
  PanelBase(li, 0.2f, 0.4f, 0.5f);
  Title(li, "Unit_li5");
  if (!Open(li)) return;
  Line(li, 1, "xx");
  Line(li, 2, "zz");
  ColorMatF(0.5f, 0.3f, 0.3f, 0.5f);
  li->DrawLineX(10, 2, 2, 0);
  Line(li, 11, "%s", MsgBase(50));
}

void Pro_Q7_Elements::Spu_li6_Draw(t_Lin2* li) {
  if (!li) return;
  PanelBase(li, 0.5f, 0.2f, 0.3f);
  Title(li, "Spu_li6");
  if (!Open(li)) return;
  Line(li, 1, "xx");
  Line(li, 2, "zz");
}

void Pro_Q7_Elements::Msg_li7_Draw(t_Lin2* li) {
  if (!li) return;
  PanelBase(li, 0.3f, 0.3f, 0.3f);
  Title(li, "Msg_li7");
  if (!Open(li)) return;
  Line(li, 1, "===========xx============");
  Line(li, 2, "---------zz----------");
  Line(li, 7, "444----55-----zz--7777-----76754---");
}

void Pro_Q7_Elements::EdFgr_li8_Draw(t_Lin2* li) {
  if (!li) return;
  PanelBase(li, 0.45f, 0.25f, 0.35f);
  Title(li, "An Fgr Name");
  if (!Open(li)) return;
  Line(li, 1, "SelBack <> Parent");
  Line(li, 3, "<<  Up (%d) Dn  >>", gEdFgr_PartFr0 + 1);
  Fgr4* sel = PlayerSelected_Now > 0 ? PlayerSelected_[1] : nullptr;
  int shown = 0;
  for (int id = 411; id <= 430; ++id) {
    if (!sel || !sel->Status()) break;
    int number = gEdFgr_PartFr0 * gEdFgr_DynLines + (id - 410);
    int kind = -1, highlight = 0;
    sel->Event(43, &number, &kind, &highlight);
    if (kind == -1) continue;
    ++shown;
    const int line = id - li->baseId;
    TexMat(0, -1, 0, -1, 0);
    NomBlend(38);
    if (highlight) {
      ColorMat(255, 170, 60, 80);
      li->DrawLineX(line, li->w / 12, 1, 0);
    } else {
      ColorMat(255, 50, 60, 70);
      li->DrawLineX(line, li->w / 8, 1, 0);
    }
    ColorMatF(1.0f, 1.0f, 1.0f, 1.0f);
    li->PrTBuf(line, kFont, 0, 0, 0, 1);
    if (kind >= 3 && kind <= 5) {
      TexMat(1, 0, 24 + kind, -1, 0);
      li->DrawLineXGaloch(line, 0, -0.3f);
      if (kind == 3) li->DrawLineXGaloch(line, 0, -1.4f);
    }
  }
  // A page past the first with nothing on it steps back by itself.
  if (sel && sel->Status() && shown == 0 && gEdFgr_PartFr0 > 0) --gEdFgr_PartFr0;
  // Hover marks: the halves of the page line, the quarters of the property lines.
  if (li->lineUK == 3 || li->lineUK >= 5) {
    NomBlend(34);
    ColorMatF(0.35f, 0.6f, 0.7f, 0.8f);
    if (li->lineUK == 3) {
      li->DrawLineUK(gMX < Menu_li8_WHaf ? 1 : 2);
    } else {
      const int q = li->xInQrt(gMX);
      li->DrawLineUK(q == 1 ? 1 : q == 4 ? 2 : 0);
    }
  }
  TexMat(0, -1, 0, -1, 0);
}

void Pro_Q7_Elements::Game_li2_DrawDop(t_Lin2* li) {
  if (li) DrawDopBase(li, false);
}
void Pro_Q7_Elements::Edit_li3_DrawDop(t_Lin2* li) {
  if (li) DrawDopBase(li, true);
}
void Pro_Q7_Elements::Dom_li4_DrawDop(t_Lin2* li) {
  if (li) DrawDopBase(li, true);
}
void Pro_Q7_Elements::Unit_li5_DrawDop(t_Lin2* li) {
  if (li) DrawDopBase(li, true);
}
void Pro_Q7_Elements::Spu_li6_DrawDop(t_Lin2* li) {
  if (li) DrawDopBase(li, true);
}
void Pro_Q7_Elements::Msg_li7_DrawDop(t_Lin2* li) {
  if (li) DrawDopBase(li, true);
}

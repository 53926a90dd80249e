// Drawing the input lines: a bar across the middle of the window with the
// prompt and the echo of the typed text.
#include <GL/gl.h>

#include "core/core.h"
#include "render/render.h"
#include "shell/shell.h"
#include "ui/print.h"
#include "ui/settings.h"
#include "ui/uniis.h"

namespace {

constexpr int kBarPicture = 10;  // picture of group 0 under the prompt

// Runs draw in a 2D projection over the whole window with lighting and fog
// off (inside a 2D pass that is already open, it draws there).
template <class F>
void OverWindow(F draw) {
  bool own = Begin2D(0, Ekran.W, 0, Ekran.H) != 0;
  if (*o2::State2D != 1) return;
  glDisable(GL_LIGHTING);
  glDisable(GL_FOG);
  draw();
  if (own) End2D();
}

// The red-brown bar of the id and user-name prompts.
void PromptBar() {
  NomBlend(0);
  TexMat(1, 0, kBarPicture, -1, 0);
  ColorMatF(1, 0.5f, 0.1f, 0);
  d2::Q(70, Ekran.H2 - 50, Ekran.W - 140, 100);
  TexMat(0, -1, 0, -1, 0);
  ColorMatF(1, 1, 1, 1);
}

}  // namespace

namespace _UniIS_Cases {

void InputIntFlo_DrawString(Klient_UniIS& k, int kind) {
  static t_FintFloat slide(0, 0, 8, 0.25f, 2, 15);
  static t_FintFloat shade(0.25f, 0.15f, 0.4f, 0.003f, 2, 15);
  float s = slide._Update();
  float b = shade._Update();
  OverWindow([&] {
    NomBlend(0);
    TexMat(1, 0, kBarPicture, -1, 0);
    ColorMatF(1, 0, kind != 0 ? 0.0f : 0.7f, b);
    d2::Q(150 + s, Ekran.H2 - 25, Ekran.W - 350, 50);
    TexMat(0, -1, 0, -1, 0);
    ColorMatF(1, 1, 0.9f, 0.8f);
    Print2D(static_cast<short>(Ekran.W2 - 1), static_cast<short>(Ekran.H2 - 1), 1, 1, 2, 0,
            static_cast<short>(k.NomTB()), 0, 0, 0);
  });
}

void UniOrg_DrawString() {
  OverWindow([] {
    PromptBar();
    Print2D(static_cast<short>(Ekran.W2), static_cast<short>(Ekran.H2), 1, 1, 2, 0,
            static_cast<short>(UniOrg_TBuf), 0, 0, 0);
  });
}

void InputUserNameDrawString() {
  OverWindow([] {
    PromptBar();
    Print2D(static_cast<short>(Ekran.W2), static_cast<short>(Ekran.H2), 1, 1, 1, 0,
            static_cast<short>(UserName_TBuf), 0, 0, 0);
  });
}

}  // namespace _UniIS_Cases

void RenderInputString() {
  if (UniOrg_StringE) {
    _UniIS_Cases::UniOrg_DrawString();
    return;
  }
  switch (Glob_vvodF) {
    case kInputLineFlo:
    case -403:
      if (InputFlo_Klient.busy) _UniIS_Cases::InputIntFlo_DrawString(InputFlo_Klient, 0);
      break;
    case kInputLineInt:
    case -204: case -203: case -202: case -201: case -200:
      if (InputInt_Klient.busy) _UniIS_Cases::InputIntFlo_DrawString(InputInt_Klient, 1);
      break;
    default: break;
  }
}

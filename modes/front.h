// The front end of the three modes: one global object Q7 (reached through
// NowProj) that owns the eight panel lists of the menu, the game and the
// editor. Its init runs once at start-up, after the general resources: it
// brings up the object base, makes the three cameras, computes the screen
// bands of the game panel, registers the modes and their transitions with the
// mode machine, and lays out the minimap and the panels. Its drawing members
// draw the panels, the HUD pieces and the pointer picture each frame;
// LinCases::Cases is the one handler of every panel line click.
#pragma once

#include <cstdint>
#include <string>

#include "ui/lin2.h"

class Pro_Q7_Elements {
 public:
  int32_t zero = 0;
  int iconX = 0;  // left edge of the selected-object icon column
  int iconY = 0;  // bottom of the icon column
  t_Lin2 li1;     // menu
  t_Lin2 li2;     // game
  t_Lin2 li3;     // editor
  t_Lin2 li4;     // building
  t_Lin2 li5;     // unit
  t_Lin2 li6;     // side
  t_Lin2 li7;     // messages
  t_Lin2 li8;     // editor object

  // 1 on success; 0 ends start-up.
  int init();
  // The game's, the panel's and the top view's cameras, made once the object
  // base is loaded: 1 when all three were made.
  static constexpr int kCameras = 3;
  static int MakeCameras();
  // Tells the object holder what start-up (the cameras) and every new level
  // make, which a loaded base must leave room for.
  static void SetBaseRoom();

  // Panels, each given its list.
  void Menu_li1_Draw(t_Lin2* li);
  void Game_li2_Draw(t_Lin2* li);
  void Edit_li3_Draw(t_Lin2* li);
  void Dom_li4_Draw(t_Lin2* li);
  void Unit_li5_Draw(t_Lin2* li);
  void Spu_li6_Draw(t_Lin2* li);
  void Msg_li7_Draw(t_Lin2* li);
  void EdFgr_li8_Draw(t_Lin2* li);
  // Their expanded-state twins (nothing calls them).
  void Game_li2_DrawDop(t_Lin2* li);
  void Edit_li3_DrawDop(t_Lin2* li);
  void Dom_li4_DrawDop(t_Lin2* li);
  void Unit_li5_DrawDop(t_Lin2* li);
  void Spu_li6_DrawDop(t_Lin2* li);
  void Msg_li7_DrawDop(t_Lin2* li);

  // The 2D layers of the game and of the editor.
  void Game_RenderExtra(int overPanel);
  void Edit_RenderExtra();

  void PlayerSelected_IconsDraw();
  void AnDrawMiniMap1(int withWedge);
  void DrawFPSec();
  void DrawKursor1(int overPanel, int group, int index, float a, float r, float g, float b);
  void PrintFromPlayerKomPult(int banner);
  void StaFrameVers(int mode);
  void StaFrameSpec(int* kursInMiniMap, int overPanel);
  void gPultTextInit();
};

extern Pro_Q7_Elements Q7;
extern Pro_Q7_Elements* NowProj;

// The player's name shown on the menu's second line.
extern std::string userPlayerName;

// Bands of the game panel and layout values, in pixels (set by init).
extern int speHPultDnQuad, speHPultUpQuad;  // no selection below / above
extern int speHPultDnMort, speHPultUpMort;  // the panel bands drawn over the scene
extern int speHPultDnSrez, speHPultUpSrez;  // scissor bands of panel phase 2
extern int spePultRotQHaf, spePultRotQHh;   // half width and half height of the rotation square
extern int Menu_li1_WHaf, Menu_li8_WHaf;
extern int gPultBortTextX, gPultBortTextY;
extern int gPultNizText1Y, gPultNizText2Y, gPultNizText3Y;

namespace LinCases {
// The line command of a panel click (ids 101..563).
void Cases(int id);
}  // namespace LinCases

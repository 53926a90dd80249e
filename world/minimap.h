// The minimap: a small framed map in a screen corner. Each frame it paints a
// square texture (the player's sight circles, a darkening veil, a pulsing
// overlay, crosses for the selection), which the modes draw through the frame
// mask, turned with the camera unless the editor's top view is on. The mask
// also fills the map's place in the depth buffer before the scene; whether the
// mouse is over the map follows from its place and round shape, and a press
// there becomes a world point.
#pragma once

#include <cstdint>

#include "render/image0.h"

class t_MBase1;

class t_MiniMap {
 public:
  float angle = 0;          // the map's turn: the camera's reversed yaw
  Pix_ pic;                 // the minimap texture
  int32_t sizeCam = 0;      // screen size while o2::KameraMode is set
  int32_t sizeOther = 0;    // screen size otherwise
  int32_t side = 128;       // texture side
  int32_t overlay = 21;     // overlay picture of group 0
  int32_t cx = 118, cy = 101;  // screen centre
  int32_t markX = 0, markY = 0;  // the camera marker
  int32_t pressMode = 0;    // the button of the last press: 1 left, 2 right
  float pressX = 0, pressZ = 0;  // world point of a press

  int OK() const { return side != 0 && sizeCam != 0 && sizeOther != 0; }
  int Size() const;  // the screen size for the current camera mode
  // 1 when the modes draw the map: it is set up and switched on, and in the
  // top view only in panel phase 3.
  int Shown() const;
  // 1 when window pixel (x, y) (rows from the bottom) lies on the shown map.
  int KursIn(int x, int y) const;

  // A press at window pixel (x, y) with button `mode`: the world point under
  // it on the map as last drawn (its size, place and turn).
  void Press(int x, int y, int mode);
  void Init(int sizeCamera, int sizeOtherMode);
  void DrawToTexPlus(t_MBase1* camera);
  void Draw1(int offsetX);
  // Fills the shown map's place in the depth buffer; 1 when the pointer is over it.
  int FillDepthKursIn();
  void UpdRealCoordForTopLayer(int& x, int& z) const;
  void MiniMapQ1(float x, float z, float r) const;
  void MiniMapCross1(float x, float z, int left, int right, int up, int down) const;
  static void ModifXZByUg(int& x, int& z, float angle);
};

extern t_MiniMap minimap1;
// The picture (group 0) of the minimap's frame mask.
extern int globTexNRamMMap;

// Texture side for a screen size: 128 below 192, 256 below 384, else 512.
int getNearSizeTexW(int size);

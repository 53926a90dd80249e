// What the game and the editor share of selection and of their cameras.
#pragma once

class IKmd2;
class t_Lin2;
class t_VPortKam;
class tw_Fotik;

// Rectangle pick between (x0, y0) and (x1, y1) with the given pick mode: the
// selection becomes every hit of the player's side; no hit clears it.
void SelectRectangle(int mode, int x0, int y0, int x1, int y1, t_VPortKam* cam);
// The camera's viewport camera takes its eye and the point ahead of it.
void KamMirror(tw_Fotik* cam);
// Viewport, projection and view of the camera; it becomes the viewport
// camera of the pass.
void KamSetUp(tw_Fotik* cam);

// 1 while the first key of a binding is down.
bool KmdKeyDown(IKmd2& k);
// The left click of a frame (not while dragging, over a panel or during the
// click pause): its count into o2::KliForSelect and its position into
// o2::KlikForSelX/Y, with a sound; then o2::gmLKeyIsPush.
void ClickLeft(IKmd2& k);
// The right click (not while dragging, after a left click or during the
// pause): o2::KliForDefAct; off the panels, and with something selected when
// needSelection is set, its position and the order variant 3; then
// o2::gmRKeyIsPush.
void ClickRight(IKmd2& k, bool needSelection);

// The settings overlay's keys in a step: the toggle with Shift re-opens the
// last typed entry; alone it opens or closes the overlay (1: the caller's
// step ends there); the step keys step the last edited setting.
int OverlayKeys(IKmd2& toggle, IKmd2& stepDown, IKmd2& stepUp);
// A list's step with the left button's click: worked where the click being
// counted or reported was pressed, so a click acts on the line it was pressed
// on wherever the pointer has gone since.
int ListStep(t_Lin2& list, IKmd2& click);
// Both overlay lists take the click.
void OverlayLists(IKmd2& click);

// An orthographic camera steered by slots 3..6 of a set (sideways -3/+3,
// along the view -3/+3 by slots 6 and 5) and zoomed by two more slots: the
// height grows or shrinks by the rate per millisecond within lo..hi, the
// width follows.
void KamOrtho(tw_Fotik* cam, IKmd2* set, int zoomOut, int zoomIn, float grow, float shrink, float lo, float hi);
// The camera's speed stepped up or down within lo..hi.
void KamSpeed(tw_Fotik* cam, IKmd2& up, IKmd2& down, float step, float lo, float hi);

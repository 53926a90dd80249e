// What the placed scene objects share: the view test of a placement's box,
// the side colours of markers, the selection marker above a selected object,
// the editor's red frame, the position answer, drawing for picking, the
// white billboard of an atlas cell, and the engine-like sound of a selected
// object on a positional channel.
#pragma once

#include <cstdint>

#include "core/core.h"

class Fgr4;
class t_MBase1;
class t_SveOkruj;

// Cells per side of the sprite atlas (picture 22 of group 0).
constexpr int kSprAtlas = 4;
// The sprite atlas picture of every world object's sprites.
constexpr int kSprPicture = 22;
// Distance a channel's owner writes when it wants its sound to end: the
// channel manager takes that channel over first.
constexpr float kSoundFar = 5003.0f;

// A cell of the sprite atlas: column and row 1..4.
inline bool ObjAtlasCell(int column, int row) {
  return column >= 1 && column <= kSprAtlas && row >= 1 && row <= kSprAtlas;
}

// True when the box of the placement (corners 1 and 7) is in the view frustum.
bool ObjBoxInView(const t_MBase1& mb);

// Marker colour of a side: blue for the local side, purple for any other.
void ObjSideColour(int side, float& r, float& g, float& b);

// A selected object's marker: a box 6 above the position, half-sizes
// (0.5, 2, 0.5), into the box queue.
void ObjSelMarker(vec3 pos, float r, float g, float b);

// In the editor, when the current viewport camera's eye lies within the XZ
// square of half side r around the placement: its box framed in red.
void ObjEditorFrame(const t_MBase1& mb, float r);
// The box of a placement framed in one colour into the width-1 line queue.
void ObjBoxFrame(const t_MBase1& mb, uint8_t r, uint8_t g, uint8_t b, uint8_t a);

// The draw of a marked object: the visibility word (1 when the placement's
// box is in view, else 0) is returned; in view and selected, the marker in
// the colour and, with a sprite, the owner into sprite queue 0 (the atlas
// picture); in the editor the red frame when the camera is within
// `frameNear`.
int ObjDrawMarked(Fgr4* owner, const t_MBase1& mb, int selected, vec3 colour, int withSprite, float frameNear);

// Event 35: x, y, z of the point through the three arguments.
void ObjAnswerPos(vec3 p, void* a, void* b, void* c);
// Event 42 and the like: an int through the argument.
void ObjAnswerInt(int v, void* a);
// Events 35 (position) and 42 (visibility word) of a placed object; 1 when
// the code was one of them.
int ObjPlacedEvent(int code, void* a, void* b, void* c, vec3 pos, int32_t visible);
// Events 36 (priority), 37 (channel given) and 38 (the channel's source
// follows the object) of an object with a positional sound; 1 when the code
// was one of them.
int ObjSoundEvent(int code, void* a, vec3 pos, int32_t priority, int32_t& channel);
// Both of them.
int ObjPlacedSoundEvent(int code, void* a, void* b, void* c, vec3 pos, int32_t visible, int32_t priority,
                        int32_t& channel);

// Event 13: a box of centre c and half-sizes h in the placement's frame.
void ObjDrawForSelect(const t_MBase1& mb, vec3 c, vec3 h);

// Appends a white camera-facing quad of an atlas cell (when the sprite
// buffer has room).
void ObjSprite(vec3 pos, int column, int row, float size);

// While the light set's refill flag (its mode) is 1: the frame's lights that
// reach the box of half-sizes `half` around the centre, gathered afresh.
void ObjLightsRefill(t_SveOkruj& set, vec3 centre, vec3 half);

// The pitch of an object's engine-like sound: faster objects sound higher.
float ObjPitchZvu(const t_MBase1& mb);

// Sound `index` of sound group 0 that the scene objects play while selected.
constexpr int kSelectedSound = 3;
// The looping sound of a selected object (every update with ex): while not
// selected a held channel is marked far; while selected a held channel gets
// the pitch of the moment, and without one a channel is asked for sound
// `index` of group 0.
void ObjSoundWhileSelected(Fgr4* owner, int selected, int32_t channel, const t_MBase1& mb,
                           int index = kSelectedSound);

// The 12 positional channels that world objects borrow by distance and
// priority (the part world objects call is in objects/soundglue.h).
//
// An owner answers four object events: 35 writes its position into three
// float pointers, 36 its priority into an int32 (the higher wins), 37 stores
// the channel it holds (0..11, or -1 when it holds none any more) and 38
// brings its channel's source up to date. Whenever a channel is taken from
// its owner, freed, or its sound has ended, the owner is told -1.
#pragma once

#include "core/core.h"

class Fgr4;

// A channel farther than this is freed and a request farther is refused.
constexpr float kZvuHearLimit = 500.0f;
// A channel nearer than this is never taken from its owner.
constexpr float KvadNearUho = 64.0f;
// Distance of a freed channel, and the one an owner writes to end its sound.
constexpr float kZvuFreeDst = 5200.0f;
constexpr float kZvuEndDst = 5003.0f;

// Makes the 12 channel sources (not listener-relative, rolloff 0.001,
// reference distance 25); 1 on success.
int ZSrcMainKot_Init();
// Starts a sound on a given channel for an owner (or none).
void ZSrcMainKot_AddZvu(int channel, Fgr4* owner, vec3& pos, int& group, int& index, int& loop,
                        float& distance, float& gain, float& pitch);

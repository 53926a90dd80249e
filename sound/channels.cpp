// The positional channels: lent to world objects by distance and priority,
// followed every frame and given back when their owner is far, dead, done or
// silenced.
#include "sound/channels.h"

#include <AL/al.h>

#include <cstdint>

#include "shell/soundglue.h"
#include "sound/zsrc.h"
#include "ui/ui.h"
#include "world/fgr4.h"

unsigned ZSrcMainKot[ZSrcMainKot_Last + 1];
float ZSrcMainKot_Dst[ZSrcMainKot_Last + 1];
Fgr4* ZSrcMainKot_pFgr[ZSrcMainKot_Last + 1];

namespace {

// Kept across frames: whether the listener gain is held at 0, the position
// the last owner reported and the listener position last read.
bool gMuted = false;
vec3 gOwnerPos(0, 0, 0);
vec3 gListenerPos(0, 0, 0);

vec3 ListenerPos() {
  ALfloat p[3] = {0, 0, 0};
  alGetListenerfv(AL_POSITION, p);
  return vec3(p[0], p[1], p[2]);
}

void TellChannel(Fgr4* owner, int channel) {
  int32_t v = channel;
  Fgr4_Event(owner, EV_SOUND_CHANNEL, &v);
}

int32_t PriorityOf(Fgr4* owner) {
  int32_t v = 0;
  Fgr4_Event(owner, EV_SOUND_PRIORITY, &v);
  return v;
}

bool Audible(float distance) { return distance <= kZvuHearLimit; }  // false for NaN

// ZSrc_State of a channel once NotSound has been asked: the channel sources
// are our own, so one query of the source state does.
int KanState(int channel) {
  ALint state = 0;
  alGetSourcei(ZSrcMainKot[channel], AL_SOURCE_STATE, &state);
  switch (state) {
    case AL_PLAYING: return 2;
    case AL_PAUSED: return 3;
    case AL_STOPPED: return 4;
    case AL_INITIAL: return 1;
    default: return 0;
  }
}

}  // namespace

int ZSrcMainKot_Init() {
  gMuted = false;
  for (int i = 0; i <= ZSrcMainKot_Last; ++i) {
    if (!ZSrc_GetCreate(&ZSrcMainKot[i])) return 0;
    alSourcei(ZSrcMainKot[i], AL_SOURCE_RELATIVE, AL_FALSE);
    alSourcef(ZSrcMainKot[i], AL_ROLLOFF_FACTOR, 0.001f);
    alSourcef(ZSrcMainKot[i], AL_REFERENCE_DISTANCE, 25.0f);
    ZSrcMainKot_Dst[i] = 0.0f;
    ZSrcMainKot_pFgr[i] = nullptr;
  }
  return 1;
}

void ZSrcMainKot_FreeKan(int channel) {
  if (channel < 0 || channel > ZSrcMainKot_Last) return;
  Fgr4* owner = ZSrcMainKot_pFgr[channel];
  ZSrcMainKot_pFgr[channel] = nullptr;
  ZSrcMainKot_Dst[channel] = kZvuFreeDst;
  if (!NotSound() && alIsSource(ZSrcMainKot[channel])) alSourceStop(ZSrcMainKot[channel]);
  if (owner) TellChannel(owner, -1);
}

void ZSrcMainKot_AddZvu(int channel, Fgr4* owner, vec3& pos, int& group, int& index, int& loop,
                        float& distance, float& gain, float& pitch) {
  if (channel < 0 || channel > ZSrcMainKot_Last || NotSound()) return;
  const unsigned s = ZSrcMainKot[channel];
  ZSrcMainKot_Dst[channel] = distance;
  ZSrc_Reset(s);
  ZSrc_SetBuf(s, group, index);
  if (loop != 0) ZSrc_LoopFlag(s, 1);
  ZSrc_Gain(s, gain);
  ZSrc_Pitch(s, pitch);
  // The previous owner learns first that the channel is no longer its own.
  Fgr4* previous = ZSrcMainKot_pFgr[channel];
  ZSrcMainKot_pFgr[channel] = owner;
  if (previous && previous != owner) TellChannel(previous, -1);
  if (owner) TellChannel(owner, channel);
  ZSrc_PosV(s, pos);
  if (alIsSource(s)) alSourcePlay(s);
}

int ZSrcMainKot_Zakaz(Fgr4* owner, vec3 pos, int group, int index, int loop, float gain, float pitch) {
  if (NotSound() || *o2::SoundMute) return 0;
  float d = length(pos - ListenerPos());
  if (!Audible(d)) return 0;
  int taken = -1;
  for (int i = 0; i <= ZSrcMainKot_Last && taken < 0; ++i)
    if (KanState(i) != 2) taken = i;
  if (taken < 0) {
    // All twelve play: the farthest one outside the near square, the lowest
    // number among equals.
    int far = -1;
    for (int i = 0; i <= ZSrcMainKot_Last; ++i) {
      float di = ZSrcMainKot_Dst[i];
      if (di >= KvadNearUho && (far < 0 || di > ZSrcMainKot_Dst[far])) far = i;
    }
    if (far < 0) return 0;
    if (!(ZSrcMainKot_Dst[far] > d)) {
      if (!owner) return 0;
      Fgr4* holder = ZSrcMainKot_pFgr[far];
      if (holder) {
        int32_t held = PriorityOf(holder);
        if (!(PriorityOf(owner) > held)) return 0;
      }
    }
    taken = far;
  }
  ZSrcMainKot_AddZvu(taken, owner, pos, group, index, loop, d, gain, pitch);
  return 1;
}

void ZSrcMainKot_StartKadrProc() {
  if (NotSound()) return;
  if (*o2::SoundMute) {
    if (!gMuted) {
      alListenerf(AL_GAIN, 0.0f);
      gMuted = true;
    }
    return;
  }
  if (gMuted) {
    alListenerf(AL_GAIN, 1.0f);
    gMuted = false;
  }
  gListenerPos = ListenerPos();
  for (int i = 0; i <= ZSrcMainKot_Last; ++i) {
    const int state = KanState(i);
    if (state != 2) {
      // A sound that ended by itself gives its owner back its freedom; a
      // paused one keeps it until it plays on.
      if ((state == 1 || state == 4) && ZSrcMainKot_pFgr[i]) ZSrcMainKot_FreeKan(i);
      continue;
    }
    if (!Audible(ZSrcMainKot_Dst[i])) {
      ZSrcMainKot_FreeKan(i);
      continue;
    }
    Fgr4* owner = ZSrcMainKot_pFgr[i];
    if (!owner) continue;
    float x = gOwnerPos.x, y = gOwnerPos.y, z = gOwnerPos.z;
    Fgr4_Event_LastCallToDeadFgr = 0;
    Fgr4_Event(owner, EV_POSITION, &x, &y, &z);
    if (Fgr4_Event_LastCallToDeadFgr != 0) {
      ZSrcMainKot_FreeKan(i);
      continue;
    }
    gOwnerPos = vec3(x, y, z);
    ZSrcMainKot_Dst[i] = length(gOwnerPos - gListenerPos);
    if (!Audible(ZSrcMainKot_Dst[i])) {
      ZSrcMainKot_FreeKan(i);
      continue;
    }
    int32_t channel = i;
    Fgr4_Event(owner, EV_SOUND_POSITION, &channel);
  }
}

// The source functions and the listener.
#include "sound/zsrc.h"

#include <AL/al.h>

#include "sound/zvu.h"
#include "ui/ui.h"

const vec3 ZvuZeroPos(0, 0, 0), ZvuZeroVel(0, 0, 0);
const vec3 ListenerPos0(0, 0, 0), ListenerVel0(0, 0, 0);
const vec3 ListenerOriAt0(0, 0, -1), ListenerOriUp0(0, 1, 0);

namespace {

// A source the functions may touch: sound on, no error pending, a real name.
bool Live(unsigned source) { return !NotSound() && alIsSource(source); }

void Vec(unsigned source, ALenum what, vec3 v) { alSource3f(source, what, v.x, v.y, v.z); }

}  // namespace

int NotSound() {
  if (*o2::SoundE == 0) return 1;
  return alGetError() != AL_NO_ERROR ? 1 : 0;
}

int ZSrc_GetCreate(unsigned* source) {
  if (!source || NotSound()) return 0;
  alGenSources(1, source);
  if (alGetError() != AL_NO_ERROR) {
    *source = 0;
    return 0;
  }
  if (Zvu_BufInAdr(0, 0) && Zvu_[0][0] != 0) alSourcei(*source, AL_BUFFER, static_cast<ALint>(Zvu_[0][0]));
  alSourcef(*source, AL_PITCH, 1.0f);
  alSourcef(*source, AL_GAIN, 1.0f);
  Vec(*source, AL_POSITION, ZvuZeroPos);
  Vec(*source, AL_VELOCITY, ZvuZeroVel);
  alSourcei(*source, AL_LOOPING, AL_FALSE);
  return 1;
}

int ZSrc_KillSrc(unsigned* source) {
  if (!source || !Live(*source)) return 0;
  int state = ZSrc_State(*source);
  if (state == 2 || state == 3) alSourceStop(*source);
  alDeleteSources(1, source);
  *source = 0;
  return 1;
}

int ZSrc_SetBuf(unsigned source, int group, int index) {
  if (!Live(source) || !Zvu_BufInAdr(group, index) || Zvu_[group][index] == 0) return 0;
  alSourcei(source, AL_BUFFER, static_cast<ALint>(Zvu_[group][index]));
  return 1;
}

int ZSrc_Pitch(unsigned source, float pitch) {
  if (!Live(source)) return 0;
  alSourcef(source, AL_PITCH, pitch);
  return 1;
}

int ZSrc_Gain(unsigned source, float gain) {
  if (!Live(source)) return 0;
  alSourcef(source, AL_GAIN, gain);
  return 1;
}

int ZSrc_LoopFlag(unsigned source, int loop) {
  if (!Live(source)) return 0;
  alSourcei(source, AL_LOOPING, loop ? AL_TRUE : AL_FALSE);
  return 1;
}

int ZSrc_PosV(unsigned source, vec3 pos) {
  if (!Live(source)) return 0;
  Vec(source, AL_POSITION, pos);
  return 1;
}

int ZSrc_Pos(unsigned source, float x, float y, float z) { return ZSrc_PosV(source, vec3(x, y, z)); }

int ZSrc_VelV(unsigned source, vec3 vel) {
  if (!Live(source)) return 0;
  Vec(source, AL_VELOCITY, vel);
  return 1;
}

int ZSrc_Vel(unsigned source, float x, float y, float z) { return ZSrc_VelV(source, vec3(x, y, z)); }

int ZSrc_State(unsigned source) {
  if (!Live(source)) return 0;
  ALint state = AL_INITIAL;
  alGetSourcei(source, AL_SOURCE_STATE, &state);
  switch (state) {
    case AL_PLAYING: return 2;
    case AL_PAUSED: return 3;
    case AL_STOPPED: return 4;
    default: return 1;
  }
}

int ZSrc_IsPlaying(unsigned source) { return ZSrc_State(source) == 2; }

void ZSrc_Reset(unsigned source) {
  if (*o2::SoundE == 0 || !alIsSource(source)) return;
  alSourcef(source, AL_GAIN, 0.0f);
  alSourcei(source, AL_LOOPING, AL_FALSE);
  alSourceStop(source);
  alSourcef(source, AL_PITCH, 1.0f);
  alSourcef(source, AL_GAIN, 1.0f);
  Vec(source, AL_POSITION, ZvuZeroPos);
  Vec(source, AL_VELOCITY, ZvuZeroVel);
}

void ZSrcResetStart(unsigned source, int group, int index, int loop, float gain, float pitchMin,
                    float pitchMax, int steps) {
  ZSrc_Reset(source);
  ZSrc_SetBuf(source, group, index);
  ZSrc_LoopFlag(source, loop);
  ZSrc_Gain(source, gain);
  ZSrc_Pitch(source, Rand2F(pitchMin, pitchMax, steps));
  if (*o2::SoundE != 0 && alIsSource(source)) alSourcePlay(source);
}

int Zvu_PlayPro1(int enable, unsigned source) {
  if (enable == 0 || !Live(source) || ZSrc_IsPlaying(source)) return 0;
  alSourceRewind(source);
  alSourcePlay(source);
  return 1;
}

void SetListener(vec3 pos, vec3 vel, vec3 at, vec3 up) {
  if (NotSound()) return;
  const ALfloat ori[6] = {at.x, at.y, at.z, up.x, up.y, up.z};
  alListener3f(AL_POSITION, pos.x, pos.y, pos.z);
  alListener3f(AL_VELOCITY, vel.x, vel.y, vel.z);
  alListenerfv(AL_ORIENTATION, ori);
}

void SetListenerV(vec3 pos, vec3 vel, vec3 at, vec3 up) { SetListener(pos, vel, at, up); }

void SetListenerToZero() { SetListener(ZvuZeroPos, ZvuZeroVel, vec3(0, 0, -1), vec3(0, 1, 0)); }

#include "sound/remSnd.h"

#include <AL/al.h>

#include <istream>

#include "sound/aldevice.h"
#include "shell/soundglue.h"
#include "sound/wavfile.h"

std::map<unsigned, SndInfo> Buffers;
remSnd Music1;
std::string Glob_GenMusFileName;

namespace {
bool ValidSource(unsigned s) { return s != 0 && alIsSource(s); }
}  // namespace

bool remSnd::Open(const std::string& name, bool loop, bool stream) {
  (void)stream;
  if (sysNotRegularFile(name)) return false;
  looped = loop ? 1 : 0;
  alGenSources(1, &source);
  if (!CheckALError(1)) {
    source = 0;
    return false;
  }
  alSourcef(source, AL_PITCH, 1.0f);
  alSourcef(source, AL_GAIN, 1.0f);
  alSource3f(source, AL_POSITION, position.x, position.y, position.z);
  alSource3f(source, AL_VELOCITY, velocity.x, velocity.y, velocity.z);
  alSourcei(source, AL_LOOPING, looped ? AL_TRUE : AL_FALSE);
  if (ExtractFileExt(name) != "WAV") return false;
  return LoadWavFile(name);
}

bool remSnd::IsStreamed() { return streamed; }

unsigned SndCachedBuffer(const std::string& name, bool boxes, long room) {
  const SndInfo* found = nullptr;
  for (const auto& [id, info] : Buffers)
    if (info.Filename == name) found = &info;  // the last in key order wins
  if (found) return found->ID;
  SndInfo info;
  info.Filename = name;
  alGenBuffers(1, &info.ID);
  if (boxes ? !CheckALError(2) : alGetError() != AL_NO_ERROR) {
    if (!boxes) LogInfo("\n sound: no buffer for <%s>\n", name.c_str());
    return 0;
  }
  if (!ZvuWavToBuffer(name, info.ID, info.Rate, info.Format, boxes, room)) {
    alDeleteBuffers(1, &info.ID);  // a failed load keeps no buffer
    alGetError();
    return 0;
  }
  Buffers[info.ID] = info;
  return info.ID;
}

bool remSnd::LoadWavFile(const std::string& name) {
  if (!ValidSource(source)) return false;
  unsigned buffer = SndCachedBuffer(name, true);
  if (!buffer) return false;
  alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
  return true;
}

bool remSnd::LoadOggFile(const std::string&, bool) { return false; }
bool remSnd::LoadOggZvuMono16(std::string&, unsigned*) { return false; }
bool remSnd::ReadOggBlock(unsigned, unsigned) { return false; }

void remSnd::Play() {
  if (!ValidSource(source)) return;
  alSourcePlay(source);
  stopped = 0;
}

void remSnd::Update() {}

void remSnd::Stop() {
  if (!ValidSource(source)) return;
  alSourceStop(source);
  stopped = 1;
}

void remSnd::Move(float x, float y, float z) {
  if (!ValidSource(source)) return;
  alSource3f(source, AL_POSITION, x, y, z);
}

void remSnd::Close() {
  if (!ValidSource(source)) return;
  alSourceStop(source);
  alDeleteSources(1, &source);
  source = 0;
}

size_t ReadOgg(void* ptr, unsigned size, unsigned nmemb, void* datasource) {
  auto* in = static_cast<std::istream*>(datasource);
  if (!ptr || !in) return 0;
  const unsigned long long want = static_cast<unsigned long long>(size) * nmemb;
  in->read(static_cast<char*>(ptr), static_cast<std::streamsize>(want));
  return static_cast<size_t>(in->gcount());
}

long TellOgg(void* datasource) {
  auto* in = static_cast<std::istream*>(datasource);
  return in ? static_cast<long>(in->tellg()) : -1;
}

int CloseOgg(void*) { return 0; }

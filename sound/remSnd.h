// The sound object: one OpenAL source with its own position, velocity and
// loop flag, playing a WAV file whose buffer is shared by file name through
// the cache Buffers. OGG entry points exist but load nothing.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>

#include "core/core.h"
#include "sound/wavfile.h"

// One cached buffer: its OpenAL name, the file name as the loader received
// it, the sampling frequency and the sample format.
struct SndInfo {
  uint32_t ID;
  std::string Filename;
  uint32_t Rate;
  uint32_t Format;
  SndInfo() {}
  SndInfo(const SndInfo& o) = default;
  SndInfo& operator=(const SndInfo& o) = default;
};

// Buffer name -> cached buffer. Only SndCachedBuffer adds entries; the
// device's release deletes the buffers.
extern std::map<unsigned, SndInfo> Buffers;

// The cached buffer of a WAV file, loaded into the cache the first time it is
// asked for (by its name, exactly); 0 when the file is refused or OpenAL
// failed, and then nothing is kept. A file not yet cached is loaded only when
// its samples fit in room bytes. boxes as for ZvuWavToBuffer, with buffer
// generation at place 2.
unsigned SndCachedBuffer(const std::string& name, bool boxes, long room = kZvuWavMaxBytes);

class remSnd {
 public:
  vec3 velocity = vec3(0, 0, 0);  // given to the source by Open
  vec3 position = vec3(0, 0, 0);  // given to the source by Open
  int32_t looped = 0;
  uint32_t source = 0;
  int32_t stopped = 1;  // 1 after construction and Stop, 0 after Play
  bool streamed = false;

  remSnd() {}
  virtual ~remSnd() {}

  // Makes the source and loads a WAV file into it; false when the file does
  // not open, the source cannot be made or the file is no WAV.
  bool Open(const std::string& name, bool looped, bool streamed);
  bool IsStreamed();
  // Binds the cached buffer of that file, loading it once.
  bool LoadWavFile(const std::string& name);
  bool LoadOggFile(const std::string& name, bool streamed);
  bool LoadOggZvuMono16(std::string& name, unsigned* buffer);
  bool ReadOggBlock(unsigned buffer, unsigned size);
  void Play();
  void Update();
  void Stop();
  void Move(float x, float y, float z);
  void Close();
};

// The music object: the mode changes play and stop it, but nothing opens it.
extern remSnd Music1;

// Stream callbacks of an OGG decoder over a std::istream* data source.
size_t ReadOgg(void* ptr, unsigned size, unsigned nmemb, void* datasource);
long TellOgg(void* datasource);
int CloseOgg(void* datasource);

#include "sound/wavfile.h"

#include <AL/al.h>
#include <AL/alut.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstring>

#include "core/core.h"
#include "sound/aldevice.h"

namespace {

uint32_t Le32(const unsigned char* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
uint16_t Le16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

// The refusal of a file whose samples do not fit in the room given.
const char kNoRoom[] = "no room";

// Why the file cannot be a WAV the program plays, or null when it can.
const char* WavProblem(const std::string& name, long room, uint32_t& samples) {
  struct stat st;
  if (stat(name.c_str(), &st) != 0) return "not found";
  if (!S_ISREG(st.st_mode)) return "not a regular file";
  if (st.st_size > kZvuWavMaxBytes) return "larger than 16 MB";
  FILE* f = std::fopen(name.c_str(), "rb");
  if (!f) return "cannot be opened";
  const long fileSize = static_cast<long>(st.st_size);
  unsigned char h[16];
  const char* why = nullptr;
  if (std::fread(h, 1, 12, f) != 12) {
    why = "truncated header";
  } else if (std::memcmp(h, "RIFF", 4) != 0 || std::memcmp(h + 8, "WAVE", 4) != 0) {
    why = "not a RIFF WAVE file";
  }
  bool fmt = false, data = false;
  unsigned frameBytes = 0;
  long pos = 12;
  while (!why && !data) {
    if (std::fread(h, 1, 8, f) != 8) {
      why = fmt ? "truncated: no sample data" : "truncated: no format chunk";
      break;
    }
    const uint32_t len = Le32(h + 4);
    const long body = pos + 8;
    if (len > static_cast<uint32_t>(fileSize - body)) {
      why = "truncated chunk";
    } else if (std::memcmp(h, "fmt ", 4) == 0) {
      if (len < 16 || std::fread(h + 8, 1, 8, f) != 8) {
        why = "short format chunk";
        break;
      }
      unsigned char r[8];
      if (std::fread(r, 1, 8, f) != 8) {
        why = "short format chunk";
        break;
      }
      const unsigned tag = Le16(h + 8), channels = Le16(h + 10), bits = Le16(r + 6);
      const uint32_t rate = Le32(h + 12);
      if (tag != 1) why = "not PCM samples";
      else if (channels < 1 || channels > 2) why = "neither mono nor stereo";
      else if (bits != 8 && bits != 16) why = "neither 8 nor 16 bits";
      else if (rate < 1000 || rate > 192000) why = "sampling rate outside 1000..192000 Hz";
      frameBytes = channels * bits / 8;
      fmt = true;
    } else if (std::memcmp(h, "data", 4) == 0) {
      if (!fmt) why = "samples before the format chunk";
      else if (len == 0) why = "no samples";
      else if (len % frameBytes != 0) why = "samples end inside a frame";
      else if (static_cast<uint64_t>(len) > static_cast<uint64_t>(room)) why = kNoRoom;
      samples = len;
      data = true;
    }
    pos = body + static_cast<long>(len) + (len & 1);
    if (!why && !data && std::fseek(f, pos, SEEK_SET) != 0) why = "truncated chunk";
  }
  std::fclose(f);
  return why;
}

}  // namespace

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

bool ZvuWavRead(const std::string& name, t_ZvuWav& wav, long room) {
  wav = t_ZvuWav();
  uint32_t samples = 0;
  if (room < 0) room = 0;
  if (const char* why = WavProblem(name, room, samples)) {
    if (why == kNoRoom) {
      LogInfo("\n sound: WAV file <%s> refused: its %u bytes of samples pass the %ld bytes its sound group has left\n",
              name.c_str(), samples, room);
    } else {
      LogInfo("\n sound: WAV file <%s> refused: %s\n", name.c_str(), why);
    }
    return false;
  }
  ALenum format = 0;
  ALvoid* data = nullptr;
  ALsizei size = 0, rate = 0;
  ALboolean loop = AL_FALSE;
  std::string path = name;
  alutLoadWAVFile(reinterpret_cast<ALbyte*>(path.data()), &format, &data, &size, &rate, &loop);
  if (!data || size <= 0 || rate <= 0) {
    LogInfo("\n sound: WAV file <%s> refused: %s\n", name.c_str(), alutGetErrorString(alutGetError()));
    if (data) alutUnloadWAV(format, data, size, rate);
    return false;
  }
  wav.format = format;
  wav.data = data;
  wav.size = size;
  wav.rate = rate;
  return true;
}

void ZvuWavFree(t_ZvuWav& wav) {
  if (wav.data) alutUnloadWAV(wav.format, wav.data, wav.size, wav.rate);
  wav = t_ZvuWav();
}

#pragma GCC diagnostic pop

namespace {
bool Checked(bool boxes, int place, const std::string& name) {
  if (boxes) return CheckALError(place);
  ALenum err = alGetError();
  if (err == AL_NO_ERROR) return true;
  const char* text = alGetString(err);
  LogInfo("\n sound: WAV file <%s>: OpenAL error %s\n", name.c_str(), text ? text : "?");
  return false;
}
}  // namespace

bool ZvuWavToBuffer(const std::string& name, unsigned buffer, uint32_t& rate, uint32_t& format,
                    bool boxes, long room) {
  t_ZvuWav wav;
  if (!ZvuWavRead(name, wav, room)) return false;
  if (!Checked(boxes, 3, name)) {
    ZvuWavFree(wav);
    return false;
  }
  rate = static_cast<uint32_t>(wav.rate);
  format = static_cast<uint32_t>(wav.format);
  alBufferData(buffer, wav.format, wav.data, wav.size, wav.rate);
  bool filled = Checked(boxes, 4, name);
  ZvuWavFree(wav);
  return filled && Checked(boxes, 5, name);
}

// Sound on OpenAL Soft's null backend: a fresh world (for channel owners) and
// a temporary working directory for the list, the WAV files and the log.
// Test owners are handles whose sound events a trace answers as a world
// object would: 35 its position, 36 its priority, 37 the channel it now
// holds, 38 pushes its position into its channel's source.
#pragma once

#include <AL/al.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "sound/sound.h"
#include "tests/common/temp_dir.h"
#include "tests/world/world_fixture.h"
#include "ui/ui.h"

namespace sndtest {

// A 16-bit mono PCM WAV: a sine of `ms` milliseconds.
inline std::string WavBytes(int ms, int rate = 22050, double freq = 440.0, double amp = 0.5) {
  const int n = static_cast<int>(static_cast<long long>(rate) * ms / 1000);
  std::string pcm;
  for (int i = 0; i < n; ++i) {
    int16_t v = static_cast<int16_t>(std::lround(amp * 32767 * std::sin(2 * M_PI * freq * i / rate)));
    pcm.push_back(static_cast<char>(v & 0xFF));
    pcm.push_back(static_cast<char>((v >> 8) & 0xFF));
  }
  auto u32 = [](uint32_t v) { return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)}; };
  auto u16 = [](uint16_t v) { return std::string{char(v), char(v >> 8)}; };
  std::string fmt = u16(1) + u16(1) + u32(rate) + u32(rate * 2) + u16(2) + u16(16);
  std::string body = "WAVEfmt " + u32(16) + fmt + "data" + u32(uint32_t(pcm.size())) + pcm;
  return "RIFF" + u32(uint32_t(body.size())) + body;
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream f(path, std::ios::binary);
  f << bytes;
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

// Values of a buffer or a source (-1 when OpenAL gave none).
inline ALint BufferInt(unsigned buffer, ALenum what) {
  ALint v = -1;
  alGetBufferi(buffer, what, &v);
  return v;
}
inline ALint SrcInt(unsigned source, ALenum what) {
  ALint v = -1;
  alGetSourcei(source, what, &v);
  return v;
}
inline float SrcFloat(unsigned source, ALenum what) {
  ALfloat v = -1;
  alGetSourcef(source, what, &v);
  return v;
}
inline unsigned Bound(unsigned source) { return static_cast<unsigned>(SrcInt(source, AL_BUFFER)); }

// Waits until the source no longer plays; false when it still plays after
// some 20 s (a sound of the tests lasts at most 3 s).
inline bool WaitWhilePlaying(unsigned source) {
  for (int i = 0; i < 4000 && ZSrc_IsPlaying(source); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  return !ZSrc_IsPlaying(source);
}

// Chooses OpenAL Soft's backends (and a settings file, when given) for the
// whole test program, read at its first OpenAL call; message boxes answer at
// once. Called from a static initialiser of each test program.
inline bool UseSoundBackend(const char* drivers, const std::string& conf = "") {
  setenv("ALSOFT_DRIVERS", drivers, 1);
  if (!conf.empty()) setenv("ALSOFT_CONF", conf.c_str(), 1);
  setenv("VELMAR_MSGBOX", "auto", 0);
  return true;
}

struct Entry {
  int index;
  int flag;
  std::string name;
};

// A sound list in the file format, CR LF lines.
inline std::string ListText(int group, int count, const std::vector<Entry>& entries) {
  std::string t = "// test list\r\n" + std::to_string(group) + " " + std::to_string(count) + "\r\nnone\r\n";
  for (const Entry& e : entries)
    t += "// entry\r\n" + std::to_string(e.index) + " " + std::to_string(e.flag) + "\r\n" + e.name +
         "\r\n-\r\n-\r\n";
  return t;
}

// Buffers alive in the context: OpenAL Soft numbers them from 1 up.
inline int LiveBuffers() {
  int n = 0;
  for (unsigned id = 1; id < 4096; ++id) n += alIsBuffer(id) ? 1 : 0;
  return n;
}

struct Owner {
  vec3 pos{0, 0, 0};
  int32_t priority = 0;
  int channel = -1;
  std::vector<int> told;  // every value of event 37, in order
  int updates = 0;        // events 38
};
inline std::map<Fgr4*, Owner>* gOwners = nullptr;

inline void OwnerTrace(Fgr4* h, int code, void* a, void* b, void* c, void*) {
  if (!gOwners) return;
  auto it = gOwners->find(h);
  if (it == gOwners->end()) return;
  Owner& o = it->second;
  switch (code) {
    case EV_POSITION:
      *static_cast<float*>(a) = o.pos.x;
      *static_cast<float*>(b) = o.pos.y;
      *static_cast<float*>(c) = o.pos.z;
      break;
    case EV_SOUND_PRIORITY: *static_cast<int32_t*>(a) = o.priority; break;
    case EV_SOUND_CHANNEL:
      o.channel = *static_cast<int32_t*>(a);
      o.told.push_back(o.channel);
      break;
    case EV_SOUND_POSITION:
      ++o.updates;
      ZSrc_PosV(ZSrcMainKot[*static_cast<int32_t*>(a)], o.pos);
      break;
  }
}

// Group 0 of the tests: 0 default samples, 1 a short beep (60 ms), 2 a long
// tone (3 s), 3 a medium beep (150 ms).
inline const std::vector<Entry> kTestSounds = {
    {0, 1, "none"}, {1, 0, "short.wav"}, {2, 0, "long.wav"}, {3, 0, "medium.wav"}};

class SoundTest : public WorldTest {
 protected:
  TempDir tmp;
  std::map<Fgr4*, Owner> owners;

  void SetUp() override {
    WorldTest::SetUp();
    ASSERT_TRUE(tmp.Ok());
    org2_Init();
    orgF_Init();
    ZSrcChain_zz_Init();
    gOwners = &owners;
    Fgr4_EventTrace = OwnerTrace;
    WriteFile("short.wav", WavBytes(60));
    WriteFile("long.wav", WavBytes(3000));
    WriteFile("medium.wav", WavBytes(150));
  }
  void TearDown() override {
    KillALData();
    gOwners = nullptr;
    WorldTest::TearDown();
  }

  // Writes the list and starts sound with it; StartOpenAL's result.
  int Start(const std::string& list) {
    WriteFile("list.txt", list);
    std::snprintf(general_zvu_list0, sizeof general_zvu_list0, "list.txt");
    return StartOpenAL();
  }
  int StartDefault() { return Start(ListText(0, 4, kTestSounds)); }

  // A test owner (a decoration handle) at a position.
  Fgr4* NewOwner(vec3 pos, int priority = 0) {
    Fgr4* h = Make(17);
    if (h) {
      owners[h].pos = pos;
      owners[h].priority = priority;
    }
    return h;
  }

  std::string Log() const { return ReadFile("log.txt"); }
};

}  // namespace sndtest

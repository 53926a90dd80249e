// The sound list reader and the WAV file reader on arbitrary bytes: the input
// up to the first bytes 00 FF is the list file, the rest a WAV file. Both are
// written to files and read through their real loaders: first without a
// device, then the whole group on OpenAL Soft's null backend, where entries
// naming one WAV file must share its buffer and the group's samples stay
// within their limit. Every input starts with the program's values as at
// start-up.
#include <AL/al.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "sound/sound.h"
#include "tests/fuzz/fuzz_fresh.h"
#include "tests/fuzz/scratch.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  setenv("ALSOFT_DRIVERS", "null", 1);
  setenv("VELMAR_MSGBOX", "auto", 0);
  return 0;
}

namespace {

// The group of a list that loaded: one buffer per WAV file name, and no more
// samples than the group may hold.
void CheckGroup(const t_ZvuList& list) {
  const unsigned* gru = Zvu_[list.group];
  if (!gru || Zvu_Last[list.group] != list.count - 1) __builtin_trap();
  std::map<std::string, unsigned> bufferOf;
  std::map<unsigned, long> bytesOf;
  for (const t_ZvuListEntry& e : list.entries) {
    if (e.defaultFlag || ExtractFileExt(e.name).rfind("WAV", 0) != 0) continue;
    const unsigned b = gru[e.slot];
    auto [it, first] = bufferOf.try_emplace(e.name, b);
    if (it->second != b) __builtin_trap();
    if (b == 0) continue;
    ALint size = 0;
    alGetBufferi(b, AL_SIZE, &size);
    bytesOf[b] = size;
  }
  long total = 0;
  for (const auto& [b, bytes] : bytesOf) total += bytes;
  if (total > kZvuGroupMaxBytes) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzEnterScratch();
  FuzzFreshGlobals();
  Glob_klvSndKan = 0;
  const std::string all(reinterpret_cast<const char*>(data), size);
  const size_t cut = all.find(std::string("\0\xFF", 2));
  FuzzWrite("list.txt", all.substr(0, cut));
  FuzzWrite("file.wav", cut == std::string::npos ? std::string() : all.substr(cut + 2));

  t_ZvuList list;
  if (ZvuList_Read("list.txt", list)) {
    if (list.group < 0 || list.group > 9 || list.count < 1 || list.count > 32767) __builtin_trap();
    if (list.entries.size() != static_cast<size_t>(list.count)) __builtin_trap();
    std::vector<char> seen(static_cast<size_t>(list.count), 0);
    for (const t_ZvuListEntry& e : list.entries) {
      if (e.slot < 0 || e.slot >= list.count || seen[static_cast<size_t>(e.slot)]) __builtin_trap();
      seen[static_cast<size_t>(e.slot)] = 1;
    }
  } else if (!list.entries.empty()) {
    __builtin_trap();
  }

  t_ZvuWav wav;
  if (ZvuWavRead("file.wav", wav)) {
    if (!wav.data || wav.size <= 0 || wav.rate <= 0) __builtin_trap();
    ZvuWavFree(wav);
  } else if (wav.data) {
    __builtin_trap();
  }

  // The group on a device of its own for this input (its cache goes with it).
  if (!list.entries.empty() && InitOpenAL()) {
    if (LoadZvuGru("list.txt")) CheckGroup(list);
    for (int g = 0; g < kZvuGroups; ++g) ZvuKillGru(g);
    ExitOpenAL();
  }
  return 0;
}

// The sound list reader and the WAV file reader on arbitrary bytes, without a
// device: the input up to the first bytes 00 FF is the list file, the rest a
// WAV file. Both are written to files and read through their real loaders.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sound/sound.h"
#include "tests/fuzz/scratch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzEnterScratch();
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
  return 0;
}

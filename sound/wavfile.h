// WAV files into OpenAL buffers: a file is checked before ALUT decodes it, so
// that a missing, oversized, truncated or foreign file is refused with a log
// line instead of reaching the library.
#pragma once

#include <cstdint>
#include <string>

// Largest WAV file the program reads.
constexpr long kZvuWavMaxBytes = 16L << 20;

// Samples of a WAV file as ALUT hands them over (data null when none).
struct t_ZvuWav {
  int format = 0;
  void* data = nullptr;
  int size = 0;
  int rate = 0;
};

// Checks the file (a regular file of at most kZvuWavMaxBytes, RIFF WAVE with
// every chunk inside the file, PCM of 1 or 2 channels at 8 or 16 bits, a
// whole number of sample frames, at most room bytes of samples) and decodes
// it; false with a log line when it is refused. Needs no device. A read WAV
// is released with ZvuWavFree.
bool ZvuWavRead(const std::string& name, t_ZvuWav& wav, long room = kZvuWavMaxBytes);
void ZvuWavFree(t_ZvuWav& wav);

// Reads the file into an existing buffer and reports its frequency and format.
// With boxes set, OpenAL errors are reported by CheckALError at places 3
// (after reading), 4 (after filling) and 5 (after releasing the samples);
// otherwise by a log line. false when the file is refused (room as above) or
// OpenAL failed.
bool ZvuWavToBuffer(const std::string& name, unsigned buffer, uint32_t& rate, uint32_t& format,
                    bool boxes, long room = kZvuWavMaxBytes);

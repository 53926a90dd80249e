// Reads what OpenAL Soft's wave writer recorded (32-bit float or 16-bit PCM,
// any channel count) as one level per frame, and measures it.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace sndtest {

struct Recording {
  int rate = 0;
  int channels = 0;
  std::vector<float> frames;  // mean of the channels

  double Rms(size_t from = 0, size_t to = SIZE_MAX) const {
    to = std::min(to, frames.size());
    if (from >= to) return 0;
    double sum = 0;
    for (size_t i = from; i < to; ++i) sum += double(frames[i]) * frames[i];
    return std::sqrt(sum / double(to - from));
  }
  double Seconds() const { return rate ? double(frames.size()) / rate : 0; }
  // Times (s) of the first and last 10 ms windows louder than level.
  bool LoudSpan(double level, double& first, double& last) const {
    const size_t w = size_t(rate / 100);
    first = last = -1;
    for (size_t i = 0; w && i + w <= frames.size(); i += w) {
      if (Rms(i, i + w) > level) {
        if (first < 0) first = double(i) / rate;
        last = double(i + w) / rate;
      }
    }
    return first >= 0;
  }
  struct Span {
    double from, to, peak;  // s, s, the loudest 5 ms window's level
  };
  // The sounds from frame `first` on: runs of 5 ms windows louder than level,
  // runs at most `bridge` seconds apart taken as one.
  std::vector<Span> Spans(double level, double bridge, size_t first = 0) const {
    std::vector<Span> out;
    const size_t w = size_t(rate / 200);
    for (size_t i = first; w && i + w <= frames.size(); i += w) {
      const double v = Rms(i, i + w), from = double(i) / rate, to = double(i + w) / rate;
      if (v <= level) continue;
      if (!out.empty() && from - out.back().to <= bridge) {
        out.back().to = to;
        out.back().peak = std::max(out.back().peak, v);
      } else {
        out.push_back({from, to, v});
      }
    }
    return out;
  }
  // Start times (s) of the sounds louder than level that follow more than
  // `quiet` seconds without one.
  std::vector<double> Onsets(double level, double quiet) const {
    std::vector<double> out;
    for (const Span& s : Spans(level, quiet)) out.push_back(s.from);
    return out;
  }
  // Whether the double click's sound plays from frame `first` on: two short
  // clicks (at most 50 ms each) whose starts are 70 to 140 ms apart, with
  // quiet between them and for 100 ms after. A single click's shutter
  // sounds on for more than half a second; the menu's click is one burst.
  bool DoubleClickAfter(size_t first) const {
    const std::vector<Span> s = Spans(0.004, 0, first);
    for (size_t i = 0; i + 1 < s.size(); ++i) {
      const Span &a = s[i], &b = s[i + 1];
      const double apart = b.from - a.from;
      const bool shortClicks = a.to - a.from <= 0.05 && b.to - b.from <= 0.05 && a.peak > 0.05 && b.peak > 0.05;
      const bool quietAfter = i + 2 < s.size() ? s[i + 2].from - b.to >= 0.1 : Seconds() - b.to >= 0.1;
      if (shortClicks && apart >= 0.07 && apart <= 0.14 && quietAfter) return true;
    }
    return false;
  }
};

inline uint32_t RecLe32(const std::string& b, size_t p) {
  return uint8_t(b[p]) | uint8_t(b[p + 1]) << 8 | uint8_t(b[p + 2]) << 16 | uint32_t(uint8_t(b[p + 3])) << 24;
}

// Where a RIFF WAVE's samples lie and how they are laid out.
struct RecLayout {
  int rate = 0, channels = 0, bits = 0;
  size_t data = 0, length = 0;  // offset and length of the data chunk's bytes
  size_t FrameBytes() const { return size_t(bits / 8) * size_t(channels); }
};

// false when the bytes (a whole file or its head) are no RIFF WAVE of float
// or 16-bit samples.
inline bool ParseLayout(const std::string& b, RecLayout& l) {
  if (b.size() < 12 || b.compare(0, 4, "RIFF") != 0 || b.compare(8, 4, "WAVE") != 0) return false;
  for (size_t p = 12; p + 8 <= b.size();) {
    const std::string id = b.substr(p, 4);
    const size_t len = RecLe32(b, p + 4), body = p + 8;
    if (id == "fmt " && body + 16 <= b.size()) {
      l.channels = uint8_t(b[body + 2]) | uint8_t(b[body + 3]) << 8;
      l.rate = int(RecLe32(b, body + 4));
      l.bits = uint8_t(b[body + 14]) | uint8_t(b[body + 15]) << 8;
    } else if (id == "data") {
      l.data = body;
      l.length = len;
      return l.channels >= 1 && l.rate > 0 && (l.bits == 32 || l.bits == 16);
    }
    p = body + len + (len & 1);
  }
  return false;
}

// false when the bytes are no RIFF WAVE of float or 16-bit samples.
inline bool ParseRecording(const std::string& b, Recording& r) {
  RecLayout l;
  if (!ParseLayout(b, l)) return false;
  r.rate = l.rate;
  r.channels = l.channels;
  const size_t bytes = size_t(l.bits / 8), n = std::min(l.length, b.size() - l.data) / l.FrameBytes();
  r.frames.resize(n);
  for (size_t i = 0; i < n; ++i) {
    double sum = 0;
    for (int c = 0; c < r.channels; ++c) {
      size_t q = l.data + (i * r.channels + c) * bytes;
      if (l.bits == 32) {
        uint32_t u = RecLe32(b, q);
        float f;
        std::memcpy(&f, &u, 4);
        sum += f;
      } else {
        sum += int16_t(uint8_t(b[q]) | uint8_t(b[q + 1]) << 8) / 32768.0;
      }
    }
    r.frames[i] = float(sum / r.channels);
  }
  return true;
}

// Seconds a wave writer has put into its file so far, read from the file's
// head and size while it still writes; 0 before its head is there.
inline double RecordedSeconds(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::string head(256, '\0');
  f.read(head.data(), std::streamsize(head.size()));
  head.resize(size_t(f.gcount()));
  RecLayout l;
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  if (ec || !ParseLayout(head, l) || size < l.data) return 0;
  return double((size - l.data) / l.FrameBytes()) / l.rate;
}

}  // namespace sndtest

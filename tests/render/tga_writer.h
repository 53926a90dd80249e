// Writes TGA files for the tests: types 2 and 10, 24 and 32 bits, either row
// order; RLE packets run across row ends.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

struct TestPicture {
  int w, h, bpp;
  std::vector<uint8_t> rgba;  // rows top row first, 4 bytes a pixel
  const uint8_t* At(int x, int y) const { return &rgba[(static_cast<size_t>(y) * w + x) * 4]; }
};

inline std::vector<uint8_t> TgaBytes(const TestPicture& p, bool rle, bool topFirst) {
  int bytes = p.bpp / 8;
  std::vector<std::vector<uint8_t>> px;
  for (int k = 0; k < p.h; ++k) {
    int y = topFirst ? k : p.h - 1 - k;
    for (int x = 0; x < p.w; ++x) {
      const uint8_t* c = p.At(x, y);
      std::vector<uint8_t> v = {c[2], c[1], c[0]};
      if (bytes == 4) v.push_back(c[3]);
      px.push_back(v);
    }
  }
  std::vector<uint8_t> out(18, 0);
  out[2] = rle ? 10 : 2;
  out[12] = static_cast<uint8_t>(p.w), out[13] = static_cast<uint8_t>(p.w >> 8);
  out[14] = static_cast<uint8_t>(p.h), out[15] = static_cast<uint8_t>(p.h >> 8);
  out[16] = static_cast<uint8_t>(p.bpp);
  out[17] = static_cast<uint8_t>((bytes == 4 ? 8 : 0) | (topFirst ? 0x20 : 0));
  size_t i = 0, n = px.size();
  while (i < n) {
    if (!rle) {
      out.insert(out.end(), px[i].begin(), px[i].end());
      ++i;
      continue;
    }
    size_t run = 1;
    while (i + run < n && run < 128 && px[i + run] == px[i]) ++run;
    if (run > 1) {
      out.push_back(static_cast<uint8_t>(0x80 | (run - 1)));
      out.insert(out.end(), px[i].begin(), px[i].end());
    } else {
      while (i + run < n && run < 128 && px[i + run] != px[i + run - 1]) ++run;
      out.push_back(static_cast<uint8_t>(run - 1));
      for (size_t k = 0; k < run; ++k) out.insert(out.end(), px[i + k].begin(), px[i + k].end());
    }
    i += run;
  }
  return out;
}

inline void WriteFile(const std::string& path, const std::vector<uint8_t>& data) {
  FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return;
  std::fwrite(data.data(), 1, data.size(), f);
  std::fclose(f);
}

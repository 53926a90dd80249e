#include "render/OpenGL_Ext.h"
#include "render/bmp.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <new>

#include "core/core.h"
#include "core/safewrite.h"
#include "render/image0.h"

namespace {

constexpr uint32_t kHeaders = 54;

void Put16(uint8_t* p, uint32_t v) {
  p[0] = static_cast<uint8_t>(v);
  p[1] = static_cast<uint8_t>(v >> 8);
}

void Put32(uint8_t* p, uint32_t v) {
  Put16(p, v);
  Put16(p + 2, v >> 16);
}

// The 14-byte file header and the 40-byte information header.
void Headers(uint8_t* h, uint32_t width, int32_t height, uint16_t bits, uint32_t imageSize, uint32_t pixPerMetre,
             uint32_t colours) {
  std::memset(h, 0, kHeaders);
  h[0] = 'B';
  h[1] = 'M';
  Put32(h + 10, kHeaders + 4 * colours);
  Put32(h + 14, 40);
  Put32(h + 18, width);
  Put32(h + 22, static_cast<uint32_t>(height));
  Put16(h + 26, 1);
  Put16(h + 28, bits);
  Put32(h + 34, imageSize);
  Put32(h + 38, pixPerMetre);
  Put32(h + 42, pixPerMetre);
  Put32(h + 46, colours);
}

bool WriteAll(FILE* f, const void* data, size_t n) { return std::fwrite(data, 1, n, f) == n; }

// Writes a BMP file whole under a temporary name that takes the file's name
// only when complete and closed (core/safewrite.h): the headers, `colours`
// palette entries, then `height` rows of rowBytes bytes, row r filled by
// fillRow(r, row) and padded with zeros to a multiple of 4 bytes. A failure
// is logged with its cause and leaves no new file.
int WriteBmp(const char* path, uint32_t width, int32_t height, uint16_t bits, uint32_t pixPerMetre,
             const RGBQUAD* palette, uint32_t colours, size_t rowBytes,
             const std::function<void(int, uint8_t*)>& fillRow) {
  const size_t padded = (rowBytes + 3) / 4 * 4;
  uint8_t* row = new (std::nothrow) uint8_t[padded ? padded : 1]();
  if (!row) {
    LogInfo("\n BMP %s: no memory for a row of %zu bytes; not written\n", path, padded);
    return 0;
  }
  t_SafeWrite out;
  int done = 0;
  if (out.Open(path, "")) {
    uint8_t h[kHeaders];
    Headers(h, width, height, bits, static_cast<uint32_t>(padded * static_cast<size_t>(height)), pixPerMetre,
            colours);
    bool ok = WriteAll(out.f, h, kHeaders);
    for (uint32_t i = 0; ok && i < colours; ++i) {
      const uint8_t q[4] = {palette[i].rgbBlue, palette[i].rgbGreen, palette[i].rgbRed, 0};
      ok = WriteAll(out.f, q, 4);
    }
    for (int r = 0; ok && r < height; ++r) {
      fillRow(r, row);
      ok = WriteAll(out.f, row, padded);
    }
    out.Check(ok);
    done = out.Close();
  }
  delete[] row;
  return done;
}

}  // namespace

int SaveBMP_FromStdPix(const char* path, Pix_& p) {
  if (!path || !p.pixels || p.bpp != 24 || p.width <= 0 || p.height <= 0 || (p.width * 3) % 4 != 0) return 0;
  const uint32_t width = static_cast<uint32_t>(p.width);
  const size_t rowBytes = static_cast<size_t>(width) * 3;
  return WriteBmp(path, width, p.height, 24, 0, nullptr, 0, rowBytes, [&](int r, uint8_t* row) {
    std::memcpy(row, p.pixels + static_cast<size_t>(r) * rowBytes, rowBytes);
  });
}

int _writeBmp24(const char* path, uint32_t width, int height, uint8_t* pixels, uint32_t flipRows,
                uint32_t swapRedBlue) {
  if (!path || !pixels || height < 0) return 0;
  const size_t rowBytes = static_cast<size_t>(width) * 3;
  return WriteBmp(path, width, height, 24, 2952, nullptr, 0, rowBytes, [&](int r, uint8_t* dst) {
    const uint8_t* src = pixels + static_cast<size_t>(flipRows ? height - 1 - r : r) * rowBytes;
    for (uint32_t x = 0; x < width; ++x) {
      const uint8_t* s = src + 3 * x;
      uint8_t* d = dst + 3 * x;
      d[0] = swapRedBlue ? s[2] : s[0];
      d[1] = s[1];
      d[2] = swapRedBlue ? s[0] : s[2];
    }
  });
}

int write8BitBmpFile(const char* path, uint32_t width, uint32_t height, uint8_t* pixels, uint32_t entries,
                     RGBQUAD* palette) {
  if (!path || !pixels || (entries && !palette) || entries > 256) return 0;
  const int32_t rows = static_cast<int32_t>(height);
  return WriteBmp(path, width, rows, 8, 2952, palette, entries, width, [&](int r, uint8_t* row) {
    std::memcpy(row, pixels + static_cast<size_t>(height - 1 - r) * width, width);
  });
}

int _writeGrayScaleDataToBmpFile(const char* path, uint32_t width, uint32_t height, uint8_t* pixels) {
  RGBQUAD palette[256];
  for (int i = 0; i < 256; ++i) {
    uint8_t v = static_cast<uint8_t>(i);
    palette[i] = {v, v, v, 0};
  }
  return write8BitBmpFile(path, width, height, pixels, 256, palette);
}

int OGL_SaveViewportToBMP(std::string path) {
  if (path.empty()) return 0;
  GLint vp[4] = {0, 0, 0, 0};
  glGetIntegerv(GL_VIEWPORT, vp);
  Pix_ pic;
  pic.InitEmpty(static_cast<short>(vp[2]), static_cast<short>(vp[3]), 24);
  if (!pic.pixels || vp[2] <= 0 || vp[3] <= 0) return 0;
  glFinish();
  glPushClientAttrib(GL_CLIENT_ALL_ATTRIB_BITS);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glPixelStorei(GL_PACK_ROW_LENGTH, 0);
  glPixelStorei(GL_PACK_SKIP_ROWS, 0);
  glPixelStorei(GL_PACK_SKIP_PIXELS, 0);
  glReadPixels(0, 0, vp[2], vp[3], GL_BGR_EXT, GL_UNSIGNED_BYTE, pic.pixels);
  glPopClientAttrib();
  // One writer, chosen by the width: rows of whole 4-byte words go as they
  // are, others are padded.
  if (vp[2] * 3 % 4 == 0) return SaveBMP_FromStdPix(path.c_str(), pic);
  return _writeBmp24(path.c_str(), static_cast<uint32_t>(vp[2]), vp[3], pic.pixels, 0, 0);
}

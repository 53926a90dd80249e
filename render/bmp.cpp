#include "render/OpenGL_Ext.h"
#include "render/bmp.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>

#include "core/core.h"
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

}  // namespace

int SaveBMP_FromStdPix(const char* path, Pix_& p) {
  if (!path || !p.pixels || p.bpp != 24 || p.width <= 0 || p.height <= 0 || (p.width * 3) % 4 != 0) return 0;
  FILE* f = sysOpenWrite(path, "wb");
  if (!f) return 0;
  uint32_t size = static_cast<uint32_t>(p.width) * p.height * 3;
  uint8_t h[kHeaders];
  Headers(h, static_cast<uint32_t>(p.width), p.height, 24, size, 0, 0);
  bool ok = WriteAll(f, h, 14) && WriteAll(f, h + 14, 40) && WriteAll(f, p.pixels, size);
  std::fclose(f);
  return ok ? 1 : 0;
}

int _writeBmp24(const char* path, uint32_t width, int height, uint8_t* pixels, uint32_t flipRows,
                uint32_t swapRedBlue) {
  if (!path || !pixels || height < 0) return 0;
  size_t rowBytes = static_cast<size_t>(width) * 3;
  size_t padding = (4 - rowBytes % 4) % 4;
  size_t imageSize = (rowBytes + padding) * static_cast<size_t>(height);
  const char* why = nullptr;
  FILE* f = sysOpenWrite(path, "wb", &why);
  if (!f) {
    LogInfo("\n Error opening file %s (bitmap24): %s", path, why);
    return 0;
  }
  uint8_t h[kHeaders];
  Headers(h, width, height, 24, static_cast<uint32_t>(imageSize), 2952, 0);
  if (!WriteAll(f, h, 14) || !WriteAll(f, h + 14, 40) || std::fflush(f) != 0) {
    LogInfo("\n Error writing bitmap24 header to %s: %s", path, std::strerror(errno));
    std::fclose(f);
    return 0;
  }
  uint8_t* buf = new (std::nothrow) uint8_t[imageSize ? imageSize : 1]();
  if (!buf) {
    std::fclose(f);
    LogInfo("\n Error allocating memory (bitmap24)");
    return 0;
  }
  for (int r = 0; r < height; ++r) {
    const uint8_t* src = pixels + static_cast<size_t>(flipRows ? height - 1 - r : r) * rowBytes;
    uint8_t* dst = buf + static_cast<size_t>(r) * (rowBytes + padding);
    for (uint32_t x = 0; x < width; ++x) {
      const uint8_t* s = src + 3 * x;
      uint8_t* d = dst + 3 * x;
      d[0] = swapRedBlue ? s[2] : s[0];
      d[1] = s[1];
      d[2] = swapRedBlue ? s[0] : s[2];
    }
  }
  bool ok = WriteAll(f, buf, imageSize) && std::fflush(f) == 0;
  int err = ok ? 0 : errno;
  delete[] buf;
  if (std::fclose(f) != 0 && ok) {
    ok = false;
    err = errno;
  }
  if (!ok) {
    LogInfo("\n Error writing bitmap24 data to %s: %s", path, std::strerror(err));
    return 0;
  }
  return 1;
}

int write8BitBmpFile(const char* path, uint32_t width, uint32_t height, uint8_t* pixels, uint32_t entries,
                     RGBQUAD* palette) {
  if (!path || !pixels || (entries && !palette) || entries > 256) return 0;
  size_t padding = (4 - width % 4) % 4;
  size_t row = width + padding;
  size_t imageSize = row * height;
  FILE* f = sysOpenWrite(path, "wb");
  if (!f) return 0;
  uint8_t h[kHeaders];
  Headers(h, width, static_cast<int32_t>(height), 8, static_cast<uint32_t>(imageSize), 2952, entries);
  bool ok = WriteAll(f, h, kHeaders);
  for (uint32_t i = 0; ok && i < entries; ++i) {
    const uint8_t q[4] = {palette[i].rgbBlue, palette[i].rgbGreen, palette[i].rgbRed, 0};
    ok = WriteAll(f, q, 4);
  }
  uint8_t* buf = ok ? new (std::nothrow) uint8_t[row ? row : 1]() : nullptr;
  ok = ok && buf;
  for (uint32_t r = 0; ok && r < height; ++r) {
    std::memcpy(buf, pixels + static_cast<size_t>(height - 1 - r) * width, width);
    ok = WriteAll(f, buf, row);
  }
  delete[] buf;
  std::fclose(f);
  return ok ? 1 : 0;
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
  if (SaveBMP_FromStdPix(path.c_str(), pic)) return 1;
  return _writeBmp24(path.c_str(), static_cast<uint32_t>(vp[2]), vp[3], pic.pixels, 0, 0);
}

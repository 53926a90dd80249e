// Pix_ and the image readers (TGA types 2 and 10, 24 and 32 bits).
#include "render/OpenGL_Ext.h"
#include "render/image0.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <new>

#include "core/core.h"
#include "core/sysfs.h"
#include "render/drawhelpers.h"
#include "render/shellglue.h"
#include "ui/ui.h"

namespace {

constexpr int kTgaHeader = 18;
constexpr size_t kPathMax = 256;

uint16_t U16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

std::string Lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

bool EndsWith(const std::string& s, const char* tail) {
  size_t n = std::strlen(tail);
  return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

// Reads a whole file; false when it is no regular file, does not open, is
// empty or too large.
bool ReadWholeFile(const char* path, uint8_t*& data, long& size) {
  data = nullptr;
  size = 0;
  const char* why = nullptr;
  FILE* f = sysOpenRegular(path, &why);
  if (!f) {
    if (std::strcmp(why, "missing") != 0) LogFail("\n picture %s: the file is %s", path, why);
    return false;
  }
  bool ok = std::fseek(f, 0, SEEK_END) == 0;
  long n = ok ? std::ftell(f) : -1;
  if (n < 1 || n > 0x7fffffffL || std::fseek(f, 0, SEEK_SET) != 0) {
    std::fclose(f);
    return false;
  }
  data = new (std::nothrow) uint8_t[static_cast<size_t>(n)];
  if (!data) {
    std::fclose(f);
    return false;
  }
  size = static_cast<long>(std::fread(data, 1, static_cast<size_t>(n), f));
  std::fclose(f);
  if (size < 1) {
    delete[] data;
    data = nullptr;
    return false;
  }
  return true;
}

// The file a picture name means. Names come from the data set, written in any
// case (a Windows habit) for files stored in lower case: the name as written
// when that file exists, else lower-cased; of an absolute name only the file
// name belongs to the data set.
std::string DiskName(const std::string& name) {
  if (!sysNotRegularFile(name)) return name;
  size_t from = name[0] == '/' ? name.rfind('/') + 1 : 0;
  return name.substr(0, from) + Lower(name.substr(from));
}

// The largest side GL takes for a texture (0 without a context).
int MaxTextureSide() {
  GLint v = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &v);
  return v;
}

}  // namespace

// ---- TGA ----

int TargaDecode(bitmap* bm, const uint8_t* data, int size, const char* path) {
  if (!bm || !data) return 0;
  const char* name = path ? path : "";
  if (size < kTgaHeader) {
    LogFail("\n tga header cut short (%d bytes): %s", size, name);
    return 0;
  }
  int type = data[2];
  if (type != 2 && type != 10) {
    LogFail("\n tga image type %d is not supported: %s", type, name);
    ShellMessageBox("Unsupported tga image  type ", "Error");
    return 0;
  }
  int depth = data[16];
  if (data[1] != 0 || (depth != 24 && depth != 32)) {
    LogFail("\n tga colour map %d or pixel size %d is not supported: %s", data[1], depth, name);
    ShellMessageBox("Unsupported tga image  pixel size ", "Error");
    return 0;
  }
  int w = U16(data + 12), h = U16(data + 14);
  bool topFirst = (data[17] & 0x20) != 0;
  int bytes = depth / 8;
  size_t offset = static_cast<size_t>(kTgaHeader) + data[0];
  size_t avail = static_cast<size_t>(size) > offset ? static_cast<size_t>(size) - offset : 0;
  size_t count = static_cast<size_t>(w) * static_cast<size_t>(h);
  if (count == 0) {
    LogFail("\n tga without pixels (%d x %d): %s", w, h, name);
    return 0;
  }
  // The data must be able to hold the picture: raw pixels whole, or packets of
  // at most 128 pixels taking at least 1 + bytes each.
  size_t need = type == 2 ? count * bytes : (count + 127) / 128 * (1 + bytes);
  if (avail < need) {
    LogFail("\n tga data cut short (%zu of %zu bytes): %s", avail, need, name);
    return 0;
  }
  uint8_t* out = new (std::nothrow) uint8_t[count * bytes];
  if (!out) {
    LogFail("\n tga of %d x %d pixels: no memory: %s", w, h, name);
    ShellMessageBox("Can't allocate memory ", "Error");
    return 0;
  }
  const uint8_t* src = data + offset;
  const uint8_t* end = data + size;
  size_t rowBytes = static_cast<size_t>(w) * bytes;
  auto put = [&](size_t k, const uint8_t* px) {  // k-th pixel of the file
    size_t fileRow = k / w, col = k % w;
    size_t row = topFirst ? fileRow : static_cast<size_t>(h) - 1 - fileRow;
    uint8_t* d = out + row * rowBytes + col * bytes;
    d[0] = px[2];
    d[1] = px[1];
    d[2] = px[0];
    if (bytes == 4) d[3] = px[3];
  };
  size_t k = 0;
  if (type == 2) {
    for (; k < count; ++k, src += bytes) put(k, src);
  } else {
    while (k < count) {
      if (src >= end) break;
      uint8_t head = *src++;
      size_t run = (head & 127u) + 1;
      if (run > count - k) run = count - k;
      if (head >= 128) {
        if (end - src < bytes) break;
        for (size_t i = 0; i < run; ++i) put(k++, src);
        src += bytes;
      } else {
        if (static_cast<size_t>(end - src) < run * bytes) break;
        for (size_t i = 0; i < run; ++i, src += bytes) put(k++, src);
      }
    }
    if (k < count) {
      delete[] out;
      LogFail("\n tga packets cut short (%zu of %zu pixels): %s", k, count, name);
      return 0;
    }
  }
  delete[] bm->pixels;
  bm->bpp = static_cast<uint8_t>(depth);
  bm->width = w;
  bm->height = h;
  bm->pixels = out;
  return 1;
}

int _ReadImage2(bitmap* bm, std::string name, std::string archive, short mode) {
  if (!bm || bm->pixels) return 0;
  bm->pixels = nullptr;
  bm->state = -1;
  if (name.empty()) return 0;
  if (name.size() >= kPathMax) {
    LogInfo("\n picture name too long (%zu characters): %.64s...", name.size(), name.c_str());
    return 0;
  }
  char path[kPathMax];
  std::snprintf(path, sizeof path, "%s", name.c_str());
  std::string ext = Lower(name.size() >= 4 ? name.substr(name.size() - 4) : name);
  enum { kTga, kJpeg, kBmp } kind;
  if (ext == ".tga" || ext == ".tt1") {
    kind = kTga;
  } else if (ext == ".jpg" || ext == ".ris") {
    kind = kJpeg;
  } else if (ext == ".bmp") {
    kind = kBmp;
  } else {
    LogInfo(" %s.. %s: %s", MixDateCh(0, 0, 1), MsgBase(30), path);
    ShellMessageBox(MsgBase(30), path);
    return 0;
  }
  bool fromDisk = mode < 1 ? (mode == 0 && archive.size() <= 4) : mode == 3;
  if (!fromDisk) return 0;
  uint8_t* data;
  long size;
  if (!ReadWholeFile(path, data, size)) return 0;
  // Only TGA is decoded; the JPEG and BMP readers answer 0.
  int result = kind == kTga ? TargaDecode(bm, data, static_cast<int>(size), path) : 0;
  delete[] data;
  return result;
}

uint8_t* _VertikMirror(uint8_t* pixels, short w, short h, short bpp) {
  if (!pixels || h < 2 || w < 0) return pixels;
  int bytes;
  switch (bpp) {
    case 8: bytes = 1; break;
    case 16: bytes = 2; break;
    case 24: bytes = 3; break;
    case 32: bytes = 4; break;
    default: return pixels;
  }
  size_t row = static_cast<size_t>(w) * bytes;
  uint8_t* out = new (std::nothrow) uint8_t[row * h];
  if (!out) return pixels;
  for (int r = 0; r < h; ++r) std::memcpy(out + row * r, pixels + row * (h - 1 - r), row);
  delete[] pixels;
  return out;
}

std::string NameTypeImageUni(std::string name) {
  if (!EndsWith(name, ".u")) return name;
  std::string base = name.substr(0, name.size() - 2);
  static const char* const kExt[] = {".tga", ".bmp", ".png", ".dds", ".jpg", ".tex"};
  // The first name at which anything stands (nothing is opened): the reader
  // then names that file and says what is wrong with it.
  for (const char* e : kExt) {
    std::string candidate = base + e;
    if (sysWhatIsAt(candidate)) return candidate;
  }
  return base + ".tex";
}

// ---- image-buffer operations ----

void CalculateImageColor(bitmap* bm) {
  if (!bm || !bm->pixels || bm->width <= 0 || bm->height <= 0) return;
  size_t n = static_cast<size_t>(bm->width) * bm->height;
  int bytes = bm->bpp == 8 ? 1 : bm->bpp / 8;
  if (bytes < 1) return;
  unsigned long long sum[3] = {0, 0, 0};
  for (size_t i = 0; i < n; ++i) {
    const uint8_t* p = bm->pixels + i * bytes;
    for (int c = 0; c < 3; ++c) sum[c] += p[bytes == 1 ? 0 : c];
  }
  bm->avgR = static_cast<uint8_t>(sum[0] / n);
  bm->avgG = static_cast<uint8_t>(sum[1] / n);
  bm->avgB = static_cast<uint8_t>(sum[2] / n);
}

void ConvertImageToGrayscale(bitmap* bm) {
  if (!bm || !bm->pixels || (bm->bpp != 24 && bm->bpp != 32)) return;
  size_t n = static_cast<size_t>(bm->width) * bm->height;
  int bytes = bm->bpp / 8;
  uint8_t* grey = new (std::nothrow) uint8_t[n ? n : 1];
  if (!grey) return;
  for (size_t i = 0; i < n; ++i) {
    const uint8_t* p = bm->pixels + i * bytes;
    grey[i] = static_cast<uint8_t>((p[0] + p[1] + p[2]) / 3);
  }
  delete[] bm->pixels;
  bm->pixels = grey;
  bm->bpp = 8;
  uint8_t mean = static_cast<uint8_t>((bm->avgR + bm->avgG + bm->avgB) / 3);
  bm->avgR = bm->avgG = bm->avgB = mean;
}

void ResizeImage(bitmap* bm, int w, int h) {
  if (!bm || w <= 0 || h <= 0 || !bm->pixels || bm->width <= 0 || bm->height <= 0) return;
  int bytes = (bm->bpp + 1) / 8;
  if (bytes < 1) return;
  uint8_t* out = new (std::nothrow) uint8_t[static_cast<size_t>(w) * h * bytes];
  if (!out) return;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      size_t sx = static_cast<size_t>(x) * bm->width / w, sy = static_cast<size_t>(y) * bm->height / h;
      std::memcpy(out + (static_cast<size_t>(y) * w + x) * bytes,
                  bm->pixels + (sy * bm->width + sx) * bytes, bytes);
    }
  delete[] bm->pixels;
  bm->pixels = out;
  bm->width = w;
  bm->height = h;
}

// ---- Pix_ ----

Pix_::~Pix_() {
  SbrosPix();
  SbrosTex();
}

void Pix_::SbrosPix() {
  delete[] pixels;
  pixels = nullptr;
}

void Pix_::SbrosTex() {
  if (texture) {
    GLuint t = texture;
    glDeleteTextures(1, &t);
  }
  texture = 0;
}

void Pix_::Bind() {
  if (texture) glBindTexture(GL_TEXTURE_2D, texture);
}

void Pix_::InitEmpty(short w, short h, short b) {
  SbrosPix();
  if (w < 0) w = 0;
  if (h < 0) h = 0;
  bpp = b == 32 ? 32 : 24;
  size_t n = static_cast<size_t>(w) * h * (bpp == 32 ? 4 : 3);
  pixels = new (std::nothrow) uint8_t[n ? n : 1];
  width = w;
  height = h;
}

int Pix_::LoadImg(std::string name, std::string archive, short mode) {
  if (name.size() <= 4) return 0;
  LastFailClear();
  name = DiskName(name);
  std::string ext = Lower(name.substr(name.size() - 3));
  SbrosPix();
  bitmap bm;
  if (_ReadImage2(&bm, name, "-", mode) && bm.pixels) {
    if (bm.width > INT16_MAX || bm.height > INT16_MAX) {
      LogFail("\n picture %s: %d x %d pixels, wider or taller than %d", name.c_str(), bm.width, bm.height,
              INT16_MAX);
      return 0;
    }
    bpp = bm.bpp;
    width = static_cast<int16_t>(bm.width);
    height = static_cast<int16_t>(bm.height);
    pixels = bm.pixels;
    bm.pixels = nullptr;
    if (ext == "tga" || ext == "tt1" || ext == "jpg" || ext == "ris")
      pixels = _VertikMirror(pixels, width, height, static_cast<short>(bpp));
    return 1;
  }
  LogInfo("\n %s..\n %s: %s\n  arh(%s)", MixDateCh(0, 0, 1), MsgBase(26), name.c_str(), archive.c_str());
  if (!*LastFailText()) {
    const char* why = sysNotRegularFile(name);
    LogFail("\n picture %s: %s", name.c_str(), why ? why : "not a picture this program reads");
  }
  return 0;
}

int Pix_::DrawImg(int x, int y, int mode) {
  if (!pixels) return -1;
  if (*o2::State2D != 1 || (bpp != 24 && bpp != 32)) return 0;
  GLenum format = bpp == 32 ? (mode == 1 ? GL_BGRA : GL_RGBA) : (mode == 1 ? GL_BGR : GL_RGB);
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  glRasterPos2i(x, y);
  glDrawPixels(width, height, format, GL_UNSIGNED_BYTE, pixels);
  glPopClientAttrib();
  return 1;
}

int Pix_::DrawImgCntrHld(int x, int y, int mode) { return DrawImg(x - width / 2, y - height / 2, mode); }

void Pix_::GetPixPixel(short x, short y, uint8_t& r, uint8_t& g, uint8_t& b, uint8_t& a) {
  if (!pixels || x < 0 || y < 0 || x >= width || y >= height) return;
  int bytes = bpp == 32 ? 4 : 3;
  const uint8_t* p = pixels + (static_cast<size_t>(height - y - 1) * width + x) * bytes;
  r = p[0];
  g = p[1];
  b = p[2];
  a = bytes == 4 ? p[3] : 0;
}

uint32_t Pix_::GetMemByteSize() {
  int bytes = static_cast<int>(width) * height * (bpp == 32 ? 4 : 3);
  return static_cast<uint32_t>(bytes + MemFromMips(bytes));
}

int Pix_::MemFromMips(int bytes) {
  if (!mip || bytes <= 3 || width <= 1 || height <= 1) return 0;
  int q = bytes / 4, sum = q;
  for (int w = width / 2, h = height / 2; w > 1 && h > 1; w /= 2, h /= 2) {
    q /= 4;
    sum += q;
  }
  return sum;
}

void Pix_::SetFilter() {
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

int Pix_::NormMipMapRGB() {
  gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels);
  return 1;
}

int Pix_::NormMipMapRGBA() {
  gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGBA, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
  return 1;
}

int Pix_::SpeMipMapRGB(int levels) { return SpeMipMap(levels, GL_RGB); }
int Pix_::SpeMipMapRGBA(int levels) { return SpeMipMap(levels, GL_RGBA); }

uint8_t* Pix_::getImageForMipMap_TGA(int level) {
  if (level <= 0 || globStr_TexName.size() <= 4) return nullptr;
  std::string file = globStr_TexName.substr(0, globStr_TexName.size() - 4) + std::to_string(level) + ".tga";
  bitmap bm;
  if (!_ReadImage2(&bm, file, "0", 0) || !bm.pixels) return nullptr;
  // A level file is uploaded with the level's size and this picture's depth:
  // one of another size or depth is not used.
  int lw = width, lh = height;
  for (int l = 0; l < level; ++l) {
    lw = std::max(1, lw / 2);
    lh = std::max(1, lh / 2);
  }
  if (bm.width != lw || bm.height != lh || bm.bpp != bpp) {
    LogInfo("\n mip level file %s is %d x %d at %d bits, not %d x %d at %d bits; not used", file.c_str(), bm.width,
            bm.height, bm.bpp, lw, lh, bpp);
    return nullptr;
  }
  uint8_t* p = bm.pixels;
  bm.pixels = nullptr;
  return _VertikMirror(p, static_cast<short>(bm.width), static_cast<short>(bm.height), static_cast<short>(bpp));
}

void Pix_::finMipMapFormat(int level, int w, int h, uint8_t* data, unsigned format) {
  while (true) {
    glTexImage2D(GL_TEXTURE_2D, level, format, w, h, 0, format, GL_UNSIGNED_BYTE, data);
    if (w == 1 && h == 1) break;
    w = std::max(1, w / 2);
    h = std::max(1, h / 2);
    ++level;
  }
}

void Pix_::finMipMap(int level, int w, int h, uint8_t* data) { finMipMapFormat(level, w, h, data, GL_RGB); }
void Pix_::finMipMap32(int level, int w, int h, uint8_t* data) { finMipMapFormat(level, w, h, data, GL_RGBA); }

int Pix_::SpeMipMap(int n, unsigned format) {
  int minSide = n == 4 ? 16 : n == 5 ? 32 : n == 6 ? 64 : 128;
  if (width < minSide || height < minSide) return 0;
  gluBuild2DMipmaps(GL_TEXTURE_2D, format, width, height, format, GL_UNSIGNED_BYTE, pixels);
  int w = width, h = height;
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  for (int level = 1; level < n; ++level) {
    w = std::max(1, w / 2);
    h = std::max(1, h / 2);
    uint8_t* data = getImageForMipMap_TGA(level);
    if (!data) continue;
    if (level < n - 1)
      glTexImage2D(GL_TEXTURE_2D, level, format, w, h, 0, format, GL_UNSIGNED_BYTE, data);
    else
      finMipMapFormat(level, w, h, data, format);
    delete[] data;
  }
  glPopClientAttrib();
  return 1;
}

int Pix_::GenTexture(short wantMip, short freePix) {
  if (!pixels || (bpp != 24 && bpp != 32)) return 0;
  SbrosTex();
  const int maxSide = MaxTextureSide();
  if (width < 1 || height < 1 || width > maxSide || height > maxSide) {
    LogFail("\n a texture of %d x %d pixels: GL takes sides of 1..%d", width, height, maxSide);
    return 0;
  }
  GLuint t = 0;
  glGenTextures(1, &t);
  texture = t;
  glBindTexture(GL_TEXTURE_2D, t);
  OGL::TexRepeat(1);
  mip = 0;
  GLenum format = bpp == 32 ? GL_RGBA : GL_RGB;
  glPushClientAttrib(GL_CLIENT_PIXEL_STORE_BIT);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  if (wantMip > 0) {
    SetFilter();
    if (wantMip >= 4 && wantMip <= 7) {
      mip = static_cast<uint16_t>(bpp == 32 ? SpeMipMapRGBA(wantMip) : SpeMipMapRGB(wantMip));
    } else {
      if (bpp == 32) NormMipMapRGBA();
      else NormMipMapRGB();
      mip = 1;
    }
  }
  if (!mip) {
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  }
  glTexImage2D(GL_TEXTURE_2D, 0, format, width, height, 0, format, GL_UNSIGNED_BYTE, pixels);
  glPopClientAttrib();
  // GL's answer: a texture it refused has no level 0 of the picture's size.
  GLint gotW = 0, gotH = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &gotW);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &gotH);
  if (gotW != width || gotH != height) {
    LogFail("\n GL refused a texture of %d x %d pixels", width, height);
    SbrosTex();
    return 0;
  }
  if (freePix) SbrosPix();
  return 1;
}

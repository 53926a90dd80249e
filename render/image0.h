// Pictures: Pix_ (an image in memory and its GL texture), the TGA reader, the
// ".u" name resolver and the picture groups loaded from picture lists.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The decoder's output record: rows top row first.
struct bitmap {
  uint8_t avgR = 0, avgG = 0, avgB = 0;
  uint8_t bpp = 0;  // 8, 24 or 32
  int state = 0;    // -1 while a load runs
  int width = 0;
  int height = 0;
  uint8_t* pixels = nullptr;  // heap-owned (new[])

  bitmap() = default;
  ~bitmap() { delete[] pixels; }
  bitmap(const bitmap&) = delete;
  bitmap& operator=(const bitmap&) = delete;
};

// An image with its GL texture; owns both. Rows bottom row first (GL order),
// channels R, G, B(, A).
class Pix_ {
 public:
  uint32_t texture = 0;
  uint16_t mip = 0;
  int16_t width = 0;
  int16_t height = 0;
  uint16_t bpp = 24;
  uint8_t* pixels = nullptr;

  Pix_() = default;
  ~Pix_();
  Pix_(const Pix_&) = delete;
  Pix_& operator=(const Pix_&) = delete;

  int LoadImg(std::string name, std::string archive, short mode);
  int GenTexture(short mip, short freePix);
  void Bind();
  void SbrosPix();
  void SbrosTex();
  void InitEmpty(short w, short h, short bpp);
  int DrawImg(int x, int y, int mode);
  int DrawImgCntrHld(int x, int y, int mode);
  void GetPixPixel(short x, short y, uint8_t& r, uint8_t& g, uint8_t& b, uint8_t& a);
  uint32_t GetMemByteSize();
  int MemFromMips(int bytes);
  void SetFilter();
  int NormMipMapRGB();
  int NormMipMapRGBA();
  int SpeMipMapRGB(int levels);
  int SpeMipMapRGBA(int levels);
  uint8_t* getImageForMipMap_TGA(int level);
  void finMipMap(int level, int w, int h, uint8_t* data);
  void finMipMap32(int level, int w, int h, uint8_t* data);

 private:
  int SpeMipMap(int levels, unsigned format);
  void finMipMapFormat(int level, int w, int h, uint8_t* data, unsigned format);
};

// A picture name ending in ".u": the first of its .tga, .bmp, .png, .dds,
// .jpg and .tex names at which anything stands, else its .tex name.
std::string NameTypeImageUni(std::string name);
int _ReadImage2(bitmap* bm, std::string name, std::string archive, short mode);
int TargaDecode(bitmap* bm, const uint8_t* data, int size, const char* path);
uint8_t* _VertikMirror(uint8_t* pixels, short w, short h, short bpp);

void CalculateImageColor(bitmap* bm);
void ConvertImageToGrayscale(bitmap* bm);
void ResizeImage(bitmap* bm, int w, int h);

// Picture groups: gr_Pix[g] is an array of gr_Pix_Last[g] + 1 pictures, or null.
constexpr int kPixGroups = 26;
extern Pix_* gr_Pix[kPixGroups];
extern uint16_t gr_Pix_Last[kPixGroups];
extern std::string globStr_TexName;

// Picture list: a header line; the group and the count (rest of that line
// skipped); then per entry a label line, "index name" (the name is the rest of
// that line, trimmed), the archive line and the mip mode.
struct t_RisEntry {
  short index = 0;
  short mip = 0;
  std::string name;
  std::string archive;
};
struct t_RisList {
  int group = -1;
  int count = 0;
  std::vector<t_RisEntry> entries;
};
enum { RisList_Ok, RisList_NoHeader, RisList_BadGroup, RisList_BadCount, RisList_CutShort, RisList_BadIndex };
int RisList_Parse(const std::string& text, t_RisList& list);

int LoadRisGru(std::string file);
int gr_PixFail(int g, unsigned i);
int Tex_TestForEnablePixGru(int& g, int& i);
void DisTexAndGenST();
// Frees every loaded group (pixels, textures and arrays); for the teardown.
void gr_Pix_FreeAll();

extern Pix_ StaPrizeTex[3];
extern Pix_ BigMenuFonPix;
extern Pix_ StartFotoLevelPix;
void StaPrizeTex_Sbros();
void BigMenuFonPix_Init(Pix_* src);
int StartFotoLevelPix_Init0();
void StartFotoLevelPix_ReInit(Pix_* src);

// Picture groups and the picture-list reader.
#include "render/OpenGL_Ext.h"
#include "render/image0.h"

#include <cstdio>
#include <sstream>

#include "core/core.h"
#include "core/sysfs.h"
#include "render/textfile.h"
#include "ui/ui.h"

Pix_* gr_Pix[kPixGroups] = {};
uint16_t gr_Pix_Last[kPixGroups] = {};
std::string globStr_TexName;

Pix_ StaPrizeTex[3];
Pix_ BigMenuFonPix;
Pix_ StartFotoLevelPix;

namespace {

void FreeGroup(int g) {
  delete[] gr_Pix[g];
  gr_Pix[g] = nullptr;
}

std::string Trim(const std::string& s) {
  size_t a = s.find_first_not_of(" \t");
  if (a == std::string::npos) return std::string();
  size_t b = s.find_last_not_of(" \t");
  return s.substr(a, b - a + 1);
}

}  // namespace

void gr_Pix_FreeAll() {
  for (int g = 0; g < kPixGroups; ++g) FreeGroup(g);
}

int RisList_Parse(const std::string& text, t_RisList& list) {
  list.group = -1;
  list.count = 0;
  list.entries.clear();
  std::istringstream in(text);
  std::string line;
  if (!std::getline(in, line)) return RisList_NoHeader;
  short g = 0, n = 0;
  if (!(in >> g) || g >= kPixGroups || g < 0) return RisList_BadGroup;
  list.group = g;
  if (!(in >> n)) return RisList_BadCount;
  std::getline(in, line);
  // An empty group would make its last index 65535 and accept any index.
  if (n < 1) return RisList_BadCount;
  list.count = n;
  list.entries.reserve(static_cast<size_t>(n));
  for (int e = 0; e < n; ++e) {
    t_RisEntry entry;
    std::string name, archive;
    in.get();
    if (!std::getline(in, line) || !(in >> entry.index) || !std::getline(in, name) ||
        !std::getline(in, archive) || !(in >> entry.mip))
      return RisList_CutShort;
    if (entry.index > n - 1) entry.index = static_cast<short>(n - 1);
    if (entry.index < 0) return RisList_BadIndex;
    entry.name = Trim(name);
    entry.archive = Trim(archive);
    list.entries.push_back(std::move(entry));
  }
  return RisList_Ok;
}

int LoadRisGru(std::string file) {
  std::string text;
  if (!ReadTextFileDropCR(file.c_str(), text)) {
    const char* why = sysNotRegularFile(file);
    LogFail("\n picture list %s: %s", file.c_str(), why ? why : "unreadable");
    return 0;
  }
  t_RisList list;
  int parsed = RisList_Parse(text, list);
  if (parsed == RisList_NoHeader || parsed == RisList_BadGroup) {
    LogFail("\n picture list %s: no header or bad group", file.c_str());
    return 0;
  }
  int g = list.group;
  FreeGroup(g);
  if (parsed == RisList_BadCount) {
    LogFail("\n picture list %s: bad picture count", file.c_str());
    return 0;
  }
  gr_Pix_Last[g] = static_cast<uint16_t>(list.count - 1);
  if (parsed != RisList_Ok) {
    LogFail("\n picture list %s: entry cut short or bad index", file.c_str());
    return 0;
  }
  Pix_* group = new (std::nothrow) Pix_[list.count];
  if (!group) return 0;
  gr_Pix[g] = group;
  uint64_t total = 0;
  for (const t_RisEntry& e : list.entries) {
    globStr_TexName = e.name;
    Pix_& pix = group[e.index];
    LastFailClear();
    bool ok = !pix.texture && pix.LoadImg(NameTypeImageUni(e.name), e.archive, 0) && pix.GenTexture(e.mip, 1) &&
              pix.texture;
    if (!ok) {
      std::string cause = pix.texture ? "its index is given twice" : LastFailText();
      LogFail("\n picture list %s, picture %d (%s): %s", file.c_str(), e.index, e.name.c_str(),
              cause.empty() ? "not loaded" : cause.c_str());
      FreeGroup(g);
      return 0;
    }
    total += pix.GetMemByteSize();
  }
  if (g == 0) *o2::TexMemForGeneralGru = static_cast<int>(total / 1000000);
  if (g == 1) *o2::TexMemForLevelGru = static_cast<int>(total / 1000000);
  return 1;
}

int gr_PixFail(int g, unsigned i) {
  if (g < 0 || g >= kPixGroups || !gr_Pix[g]) return 1;
  return gr_Pix_Last[g] < i;
}

int Tex_TestForEnablePixGru(int& g, int& i) {
  if (g < 1) return 1;
  if (g >= kPixGroups || !gr_Pix[g]) return 0;
  return i >= 0 && i <= gr_Pix_Last[g];
}

void DisTexAndGenST() {
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_TEXTURE_GEN_S);
  glDisable(GL_TEXTURE_GEN_T);
}

void StaPrizeTex_Sbros() {
  for (Pix_& p : StaPrizeTex) {
    p.SbrosTex();
    p.SbrosPix();
  }
}

void BigMenuFonPix_Init(Pix_* src) {
  if (!BigMenuFonPix.texture) {
    BigMenuFonPix.InitEmpty(1024, 1024, 24);
    if (!BigMenuFonPix.GenTexture(0, 1)) return;
  } else {
    BigMenuFonPix.Bind();
  }
  if (!src || !src->pixels || src->width > 1024 || src->height > 1024) return;
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, src->width, src->height, GL_RGB, GL_UNSIGNED_BYTE, src->pixels);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
}

int StartFotoLevelPix_Init0() {
  StartFotoLevelPix.InitEmpty(256, 256, 24);
  return StartFotoLevelPix.GenTexture(0, 1);
}

void StartFotoLevelPix_ReInit(Pix_* src) {
  if (!StartFotoLevelPix.texture || !src || !src->pixels || src->width > 256 || src->height > 256) return;
  StartFotoLevelPix.Bind();
  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, src->width, src->height, GL_RGB, GL_UNSIGNED_BYTE, src->pixels);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
}

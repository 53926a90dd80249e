#include "render/textfile.h"

#include <cstdio>

#include "core/sysfs.h"

bool ReadTextFileDropCR(const char* path, std::string& text, size_t maxBytes) {
  text.clear();
  // Only regular files: a device or a pipe named as a data file is none.
  FILE* f = path ? sysOpenRegular(path) : nullptr;
  if (!f) return false;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) {
    if (text.size() + n > maxBytes) {
      std::fclose(f);
      text.clear();
      return false;
    }
    text.append(buf, n);
  }
  std::fclose(f);
  size_t w = 0;
  for (size_t r = 0; r < text.size(); ++r) {
    if (text[r] == '\r' && r + 1 < text.size() && text[r + 1] == '\n') continue;
    text[w++] = text[r];
  }
  text.resize(w);
  return true;
}

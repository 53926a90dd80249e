#include "render/textfile.h"

#include <cstdio>

bool ReadTextFileDropCR(const char* path, std::string& text) {
  text.clear();
  FILE* f = path ? std::fopen(path, "rb") : nullptr;
  if (!f) return false;
  char buf[4096];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
  std::fclose(f);
  size_t w = 0;
  for (size_t r = 0; r < text.size(); ++r) {
    if (text[r] == '\r' && r + 1 < text.size() && text[r + 1] == '\n') continue;
    text[w++] = text[r];
  }
  text.resize(w);
  return true;
}

// The material and render-state readers on arbitrary input: the part before
// the first byte 0 is a list, the rest a material file read as text and as
// binary. Nothing is written outside the slot tables. Every input starts
// with both slot tables as the program starts with them.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "render/render.h"
#include "tests/fuzz/fuzz_fresh.h"
#include "tests/fuzz/scratch.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 16384) return 0;
  FuzzEnterScratch();
  FuzzFreshGlobals();
  for (Material_RS& m : MatRS) FuzzRemake(m);
  for (_RState_Sbor& r : RenderSt) FuzzRemake(r);
  std::string all(reinterpret_cast<const char*>(data), size);
  size_t cut = all.find('\0');
  std::string list = cut == std::string::npos ? all : all.substr(0, cut);
  std::string file = cut == std::string::npos ? std::string() : all.substr(cut + 1);
  FuzzWrite("list.txt", list);
  FuzzWrite("m", file);
  MatRS_LoadSbor("list.txt");
  RenderSt_LoadSbor("list.txt");
  Material_RS m;
  Material_RS::LoadFromTxtFile(m, "m");
  Material_RS::LoadBin(m, "m", "0");
  _RState_Sbor r;
  _RState_Sbor::LoadFromTxtFile(r, "m");
  _RState_Sbor::LoadBin(r, "m", "tag");
  return 0;
}

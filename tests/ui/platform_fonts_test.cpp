// The fonts' platform layer without GL: code pages and typeface matching.
#include <gtest/gtest.h>

#include <string>

#include "platform/fonts.h"

namespace {

TEST(PlatFonts, BytesMapThroughTheCharacterSetsCodePage) {
  EXPECT_EQ(PlatFont_CodeToUnicode(204, 'A'), 0x41u);
  EXPECT_EQ(PlatFont_CodeToUnicode(204, 0xC0), 0x410u);  // А
  EXPECT_EQ(PlatFont_CodeToUnicode(204, 0xFF), 0x44Fu);  // я
  EXPECT_EQ(PlatFont_CodeToUnicode(1, 0xA8), 0x401u);    // Ё: the default set is CP1251 too
  EXPECT_EQ(PlatFont_CodeToUnicode(204, 0xB9), 0x2116u); // №
  EXPECT_EQ(PlatFont_CodeToUnicode(204, 0x98), 0u);      // undefined in CP1251
  EXPECT_EQ(PlatFont_CodeToUnicode(0, 0xC0), 0xC0u);     // À in CP1252
  EXPECT_EQ(PlatFont_CodeToUnicode(0, 0x80), 0x20ACu);   // €
  EXPECT_EQ(PlatFont_CodeToUnicode(238, 0xA3), 0x141u);  // Ł in CP1250
  EXPECT_EQ(PlatFont_CodeToUnicode(204, 300), 300u);     // beyond a byte: Unicode as it is
  EXPECT_EQ(PlatFont_CodeToUnicode(204, -5), 0u);
}

std::string FileOf(const char* face, int weight, int italic, int charSet = 204) {
  t_PlatFontReq req;
  req.face = face;
  req.height = 14;
  req.weight = weight;
  req.italic = italic;
  req.charSet = charSet;
  t_PlatFont* f = PlatFont_Create(req);
  std::string file = f ? PlatFont_File(f) : "";
  PlatFont_Destroy(f);
  return file;
}

TEST(PlatFonts, WindowsTypefacesFindTheirDebianTwins) {
  EXPECT_NE(FileOf("Arial", 400, 0).find("LiberationSans-Regular"), std::string::npos);
  EXPECT_NE(FileOf("Arial", 700, 0).find("LiberationSans-Bold"), std::string::npos);
  EXPECT_NE(FileOf("Arial", 400, 1).find("LiberationSans-Italic"), std::string::npos);
  EXPECT_NE(FileOf("Courier New", 400, 0).find("LiberationMono"), std::string::npos);
  EXPECT_NE(FileOf("Times New Roman", 400, 0).find("LiberationSerif"), std::string::npos);
  EXPECT_NE(FileOf("Tahoma", 400, 0).find("DejaVuSans"), std::string::npos);
  // Any name gets a face that has Cyrillic for the Russian set.
  EXPECT_FALSE(FileOf("No Such Typeface", 400, 0).empty());
  EXPECT_FALSE(FileOf("", 0, 0, 0).empty());
}

}  // namespace

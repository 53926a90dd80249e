// Pictures: the TGA reader on real files, the picture lists, textures and mip
// modes, and the BMP writers against what GL reads back.
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "tests/common/temp_dir.h"
#include "tests/render/render_fixture.h"
#include "tests/render/tga_writer.h"

namespace {

// A picture whose runs cross row ends: 7 x 5 with long runs and single pixels.
TestPicture Sample(int bpp) {
  TestPicture p{7, 5, bpp, {}};
  for (int y = 0; y < p.h; ++y)
    for (int x = 0; x < p.w; ++x) {
      int k = y * p.w + x;
      bool run = k >= 3 && k < 19;  // one colour across rows 0 to 2
      uint8_t c[4] = {static_cast<uint8_t>(run ? 200 : 10 * x), static_cast<uint8_t>(run ? 30 : 40 * y),
                      static_cast<uint8_t>(run ? 90 : k), static_cast<uint8_t>(run ? 128 : 255 - k)};
      p.rgba.insert(p.rgba.end(), c, c + 4);
    }
  return p;
}

class ImageTest : public RenderTest {
 protected:
  static void SetUpTestSuite() {
    RenderTest::SetUpTestSuite();
    setenv("VELMAR_MSGBOX", "auto", 1);
  }
  void SetUp() override {
    RenderTest::SetUp();
    ASSERT_TRUE(tmp_.Ok());
    mkdir("ris", 0755);
  }
  void TearDown() override { gr_Pix_FreeAll(); }
  TempDir tmp_;
};

void ExpectPixels(const Pix_& pix, const TestPicture& p) {
  ASSERT_NE(pix.pixels, nullptr);
  ASSERT_EQ(pix.width, p.w);
  ASSERT_EQ(pix.height, p.h);
  ASSERT_EQ(pix.bpp, p.bpp);
  int bytes = p.bpp / 8;
  for (int y = 0; y < p.h; ++y)
    for (int x = 0; x < p.w; ++x)
      for (int c = 0; c < bytes; ++c)  // Pix_ rows are bottom row first
        ASSERT_EQ(pix.pixels[((p.h - 1 - y) * p.w + x) * bytes + c], p.At(x, y)[c]) << x << "," << y << " " << c;
}

std::string ListText(const std::vector<std::string>& entries, int group, int count) {
  std::string t = "// pictures\r\n" + std::to_string(group) + "\r\n" + std::to_string(count) + "\r\n";
  for (const std::string& e : entries) t += e;
  return t;
}

std::string Entry(int index, const std::string& name, int mip = 0) {
  return "// label\r\n" + std::to_string(index) + " " + name + "\r\n0\r\n" + std::to_string(mip) + "\r\n";
}

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

}  // namespace

TEST_F(ImageTest, BothTypesAndRowOrdersDecodeToTheSamePixels) {
  for (int bpp : {24, 32})
    for (int rle = 0; rle <= 1; ++rle)
      for (int top = 0; top <= 1; ++top) {
        TestPicture p = Sample(bpp);
        std::string name = "ris/pic" + std::to_string(bpp) + std::to_string(rle) + std::to_string(top) + ".tga";
        WriteFile(name, TgaBytes(p, rle, top));
        Pix_ pix;
        ASSERT_EQ(pix.LoadImg(name, "0", 0), 1) << name;
        SCOPED_TRACE(name);
        ExpectPixels(pix, p);
      }
}

TEST_F(ImageTest, EveryTruncationOfAPictureIsRefusedWithoutOverRead) {
  for (int rle = 0; rle <= 1; ++rle) {
    std::vector<uint8_t> full = TgaBytes(Sample(32), rle, false);
    for (size_t n = 1; n < full.size(); ++n) {
      WriteFile("ris/cut.tga", std::vector<uint8_t>(full.begin(), full.begin() + static_cast<long>(n)));
      Pix_ pix;
      EXPECT_EQ(pix.LoadImg("ris/cut.tga", "0", 0), 0) << "rle " << rle << " bytes " << n;
      EXPECT_EQ(pix.pixels, nullptr);
    }
  }
}

TEST_F(ImageTest, UnsupportedHeadersAreRefused) {
  std::vector<uint8_t> good = TgaBytes(Sample(24), false, false);
  auto refused = [&](size_t at, uint8_t value) {
    std::vector<uint8_t> bad = good;
    bad[at] = value;
    WriteFile("ris/bad.tga", bad);
    Pix_ pix;
    return pix.LoadImg("ris/bad.tga", "0", 0) == 0;
  };
  EXPECT_TRUE(refused(2, 1));    // colour-mapped
  EXPECT_TRUE(refused(2, 3));    // grey
  EXPECT_TRUE(refused(1, 1));    // with a colour map
  EXPECT_TRUE(refused(16, 16));  // 16 bits
  EXPECT_TRUE(refused(12, 0));   // no width
  // A huge size promised by a short file is refused before any allocation.
  std::vector<uint8_t> huge = good;
  huge[12] = huge[13] = huge[14] = huge[15] = 0xff;
  huge[2] = 10;
  WriteFile("ris/huge.tga", huge);
  Pix_ pix;
  EXPECT_EQ(pix.LoadImg("ris/huge.tga", "0", 0), 0);
  // An image-ID field longer than the file.
  std::vector<uint8_t> id = good;
  id[0] = 255;
  id.resize(40);
  WriteFile("ris/id.tga", id);
  EXPECT_EQ(pix.LoadImg("ris/id.tga", "0", 0), 0);
}

TEST_F(ImageTest, NamesEndingInUResolveToTheFirstFileThere) {
  WriteFile("ris/loading1.bmp", {1, 2, 3});
  EXPECT_EQ(NameTypeImageUni("ris/loading1.u"), "ris/loading1.bmp");
  Pix_ pix;
  EXPECT_EQ(pix.LoadImg(NameTypeImageUni("ris/loading1.u"), "0", 0), 0);  // only TGA is decoded
  WriteFile("ris/loading1.tga", TgaBytes(Sample(24), true, false));
  EXPECT_EQ(NameTypeImageUni("ris/loading1.u"), "ris/loading1.tga");
  EXPECT_EQ(NameTypeImageUni("ris/none.u"), "ris/none.tex");
  EXPECT_EQ(NameTypeImageUni("ris/none.tga"), "ris/none.tga");
  EXPECT_EQ(pix.LoadImg("a.tg", "0", 0), 0);
  std::string longName(300, 'a');
  EXPECT_EQ(pix.LoadImg(longName + ".tga", "0", 0), 0);
  EXPECT_EQ(pix.LoadImg("ris/loading1.xyz", "0", 0), 0);
}

TEST_F(ImageTest, PictureListFillsItsGroup) {
  TestPicture p = Sample(32);
  WriteFile("ris/a.tga", TgaBytes(p, true, false));
  WriteFile("ris/b.tga", TgaBytes(Sample(24), false, true));
  WriteText("list.txt", ListText({Entry(0, "ris/a.tga", 1), Entry(7, "ris/b.tga")}, 3, 2));
  ASSERT_EQ(LoadRisGru("list.txt"), 1);
  ASSERT_NE(gr_Pix[3], nullptr);
  EXPECT_EQ(gr_Pix_Last[3], 1);
  EXPECT_NE(gr_Pix[3][0].texture, 0u);
  EXPECT_NE(gr_Pix[3][1].texture, 0u);  // index 7 is taken as the last index
  EXPECT_EQ(gr_Pix[3][0].pixels, nullptr);
  EXPECT_EQ(gr_Pix[3][0].mip, 1);
  EXPECT_EQ(gr_PixFail(3, 1), 0);
  EXPECT_EQ(gr_PixFail(3, 2), 1);
  EXPECT_EQ(gr_PixFail(26, 0), 1);
  EXPECT_EQ(gr_PixFail(-1, 0), 1);
  int g = 0, i = 99;
  EXPECT_EQ(Tex_TestForEnablePixGru(g, i), 1);
  g = 3, i = 2;
  EXPECT_EQ(Tex_TestForEnablePixGru(g, i), 0);
  g = 4, i = 0;
  EXPECT_EQ(Tex_TestForEnablePixGru(g, i), 0);
}

TEST_F(ImageTest, BadPictureListsAreRefused) {
  WriteFile("ris/a.tga", TgaBytes(Sample(24), false, false));
  WriteText("ok.txt", ListText({Entry(0, "ris/a.tga")}, 2, 1));
  ASSERT_EQ(LoadRisGru("ok.txt"), 1);
  Pix_* before = gr_Pix[2];
  EXPECT_EQ(LoadRisGru("missing.txt"), 0);
  WriteText("g26.txt", ListText({Entry(0, "ris/a.tga")}, 26, 1));
  EXPECT_EQ(LoadRisGru("g26.txt"), 0);
  WriteText("neg.txt", ListText({Entry(0, "ris/a.tga")}, -1, 1));
  EXPECT_EQ(LoadRisGru("neg.txt"), 0);
  EXPECT_EQ(gr_Pix[2], before);  // untouched by lists that name no valid group
  // An empty group: its last index would become 65535 and take any index.
  WriteText("empty.txt", ListText({}, 2, 0));
  EXPECT_EQ(LoadRisGru("empty.txt"), 0);
  EXPECT_EQ(gr_Pix[2], nullptr);
  EXPECT_EQ(gr_PixFail(2, 0), 1);
  // A repeated index, a missing picture, an entry cut short, a negative index.
  WriteText("twice.txt", ListText({Entry(0, "ris/a.tga"), Entry(0, "ris/a.tga")}, 2, 2));
  EXPECT_EQ(LoadRisGru("twice.txt"), 0);
  EXPECT_EQ(gr_Pix[2], nullptr);
  WriteText("gone.txt", ListText({Entry(0, "ris/a.tga"), Entry(1, "ris/gone.tga")}, 2, 2));
  EXPECT_EQ(LoadRisGru("gone.txt"), 0);
  WriteText("cut.txt", ListText({Entry(0, "ris/a.tga"), "// label\r\n1"}, 2, 2));
  EXPECT_EQ(LoadRisGru("cut.txt"), 0);
  WriteText("negidx.txt", ListText({Entry(-4, "ris/a.tga")}, 2, 1));
  EXPECT_EQ(LoadRisGru("negidx.txt"), 0);
  EXPECT_EQ(gr_Pix[2], nullptr);
}

TEST_F(ImageTest, GeneralGroupReportsItsMemory) {
  TestPicture big{512, 512, 32, std::vector<uint8_t>(512 * 512 * 4, 7)};
  WriteFile("ris/big.tga", TgaBytes(big, true, false));
  WriteText("list.txt", ListText({Entry(0, "ris/big.tga", 1), Entry(1, "ris/big.tga", 0)}, 0, 2));
  *o2::TexMemForGeneralGru = -1;
  ASSERT_EQ(LoadRisGru("list.txt"), 1);
  // 512 * 512 * 4 twice, plus a quarter, a sixteenth, ... for the mipmapped one.
  long mips = 0;
  for (long q = 512L * 512 * 4 / 4, s = 256; s > 1; q /= 4, s /= 2) mips += q;
  EXPECT_EQ(*o2::TexMemForGeneralGru, static_cast<int>((2L * 512 * 512 * 4 + mips) / 1000000));
}

TEST_F(ImageTest, SpecialMipModesUseTheLevelFiles) {
  TestPicture base{16, 16, 24, std::vector<uint8_t>(16 * 16 * 4, 0)};
  for (size_t i = 0; i < base.rgba.size(); i += 4) base.rgba[i] = 255;  // red
  WriteFile("ris/grass.tga", TgaBytes(base, false, false));
  TestPicture lvl{8, 8, 24, std::vector<uint8_t>(8 * 8 * 4, 0)};
  for (size_t i = 0; i < lvl.rgba.size(); i += 4) lvl.rgba[i + 1] = 255;  // green
  WriteFile("ris/grass1.tga", TgaBytes(lvl, false, false));
  TestPicture last{2, 2, 24, std::vector<uint8_t>(2 * 2 * 4, 0)};
  for (size_t i = 0; i < last.rgba.size(); i += 4) last.rgba[i + 1] = 255;
  WriteFile("ris/grass3.tga", TgaBytes(last, true, false));  // the last level, and all below it
  TestPicture small{1, 1, 24, {0, 0, 255, 255}};
  WriteFile("ris/grass2.tga", TgaBytes(small, false, false));  // not the size of level 2: not used
  globStr_TexName = "ris/grass.tga";
  Pix_ pix;
  ASSERT_EQ(pix.LoadImg("ris/grass.tga", "0", 0), 1);
  ASSERT_EQ(pix.GenTexture(4, 1), 1);
  EXPECT_EQ(pix.mip, 1);
  uint8_t texel[3 * 16 * 16];
  glBindTexture(GL_TEXTURE_2D, pix.texture);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  const int want[5][3] = {{255, 0, 0}, {0, 255, 0}, {255, 0, 0}, {0, 255, 0}, {0, 255, 0}};
  for (int level = 0; level <= 4; ++level) {
    glGetTexImage(GL_TEXTURE_2D, level, GL_RGB, GL_UNSIGNED_BYTE, texel);
    EXPECT_EQ(texel[0], want[level][0]) << level;
    EXPECT_EQ(texel[1], want[level][1]) << level;
  }
  // Mode 7 needs sides of 128: a plain linear texture.
  Pix_ plain;
  ASSERT_EQ(plain.LoadImg("ris/grass.tga", "0", 0), 1);
  ASSERT_EQ(plain.GenTexture(7, 0), 1);
  EXPECT_EQ(plain.mip, 0);
  GLint minFilter = 0;
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
  EXPECT_EQ(minFilter, GL_LINEAR);
  EXPECT_NE(plain.pixels, nullptr);
}

// A level file is used only when it has the level's size and the picture's
// depth: any other is left out (its level keeps the built chain), whatever
// the reader would otherwise mirror and upload past its end.
TEST_F(ImageTest, LevelFilesOfAnotherSizeOrDepthAreLeftOut) {
  struct Case {
    int side, bpp, levelSide, levelBpp;
  } cases[] = {
      {64, 32, 32, 24},    // 32-bit picture, 24-bit level of the right size
      {64, 32, 64, 24},    // 24-bit level twice the size: as many bytes as a 32-bit level
      {64, 24, 28, 32},    // 32-bit level smaller than the level
      {64, 32, 256, 32},   // a level file far larger than its level
      {64, 24, 32, 24},    // the control: the level file is used
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.side) + "/" + std::to_string(c.bpp) + " level " + std::to_string(c.levelSide) +
                 "/" + std::to_string(c.levelBpp));
    TestPicture base{c.side, c.side, c.bpp, std::vector<uint8_t>(size_t(c.side) * c.side * 4, 255)};
    for (size_t i = 0; i < base.rgba.size(); i += 4) base.rgba[i + 1] = base.rgba[i + 2] = 0;  // red
    WriteFile("ris/lvl.tga", TgaBytes(base, false, false));
    TestPicture lvl{c.levelSide, c.levelSide, c.levelBpp, std::vector<uint8_t>(size_t(c.levelSide) * c.levelSide * 4, 255)};
    for (size_t i = 0; i < lvl.rgba.size(); i += 4) lvl.rgba[i] = lvl.rgba[i + 2] = 0;  // green
    WriteFile("ris/lvl1.tga", TgaBytes(lvl, false, false));
    globStr_TexName = "ris/lvl.tga";
    Pix_ pix;
    ASSERT_EQ(pix.LoadImg("ris/lvl.tga", "0", 0), 1);
    ASSERT_EQ(pix.GenTexture(4, 1), 1);
    std::vector<uint8_t> texel(3 * 32 * 32);
    glBindTexture(GL_TEXTURE_2D, pix.texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 1, GL_RGB, GL_UNSIGNED_BYTE, texel.data());
    bool used = c.levelSide == c.side / 2 && c.levelBpp == c.bpp;
    EXPECT_EQ(texel[1], used ? 255 : 0);
    EXPECT_EQ(texel[0], used ? 0 : 255);
  }
}

// Sides the 16-bit picture record cannot hold, and textures GL does not take,
// are refused rather than loaded with a wrong size.
TEST_F(ImageTest, SidesBeyondWhatGLTakesAreRefused) {
  GLint maxSide = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &maxSide);
  ASSERT_GT(maxSide, 0);
  // 40000 x 1: 120,000 bytes, a width that would wrap to -25536.
  TestPicture wide{40000, 1, 24, std::vector<uint8_t>(40000 * 4, 128)};
  WriteFile("ris/wide.tga", TgaBytes(wide, false, false));
  Pix_ pix;
  EXPECT_EQ(pix.LoadImg("ris/wide.tga", "0", 0), 0);
  EXPECT_EQ(pix.pixels, nullptr);
  EXPECT_NE(std::string(LastFailText()).find("ris/wide.tga"), std::string::npos) << LastFailText();
  // One pixel wider than GL's maximum: the picture loads, its texture is refused.
  if (maxSide < 32767) {
    TestPicture over{maxSide + 1, 1, 24, std::vector<uint8_t>(size_t(maxSide + 1) * 4, 128)};
    WriteFile("ris/over.tga", TgaBytes(over, false, false));
    ASSERT_EQ(pix.LoadImg("ris/over.tga", "0", 0), 1);
    EXPECT_EQ(pix.GenTexture(0, 1), 0);
    EXPECT_EQ(pix.texture, 0u);
    EXPECT_NE(pix.pixels, nullptr);  // not handed over
  }
  // The list that names it fails and says which picture.
  WriteText("list.txt", ListText({Entry(0, "ris/wide.tga")}, 3, 1));
  EXPECT_EQ(LoadRisGru("list.txt"), 0);
  EXPECT_EQ(gr_Pix[3], nullptr);
  std::string why = LastFailText();
  EXPECT_NE(why.find("list.txt"), std::string::npos) << why;
  EXPECT_NE(why.find("ris/wide.tga"), std::string::npos) << why;
}

// Names are tried as written first, then lower-cased: in a folder whose path
// holds capitals only the data set's part of the name is lower-cased.
TEST_F(ImageTest, NamesAreTriedAsWrittenThenInLowerCase) {
  mkdir("Caps", 0755);
  WriteFile("Caps/pic.tga", TgaBytes(Sample(24), false, false));
  char cwd[4096];
  ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
  Pix_ pix;
  EXPECT_EQ(pix.LoadImg(std::string(cwd) + "/Caps/PIC.tga", "0", 0), 1);  // absolute: the file name lower-cased
  EXPECT_EQ(pix.LoadImg("Caps/pic.tga", "0", 0), 1);                      // relative, as written
  WriteFile("ris/grass.tga", TgaBytes(Sample(24), false, false));
  EXPECT_EQ(pix.LoadImg("Ris/Grass.TGA", "0", 0), 1);  // relative: lower-cased whole
}

TEST_F(ImageTest, PixelQueriesAndMemorySizes) {
  TestPicture p = Sample(32);
  WriteFile("ris/p.tga", TgaBytes(p, true, true));
  Pix_ pix;
  ASSERT_EQ(pix.LoadImg("ris/p.tga", "0", 0), 1);
  uint8_t r = 1, g = 1, b = 1, a = 1;
  pix.GetPixPixel(2, 1, r, g, b, a);  // y counts from the top
  EXPECT_EQ(r, p.At(2, 1)[0]);
  EXPECT_EQ(a, p.At(2, 1)[3]);
  r = 9;
  pix.GetPixPixel(7, 0, r, g, b, a);
  pix.GetPixPixel(0, -1, r, g, b, a);
  EXPECT_EQ(r, 9);
  pix.mip = 1;
  pix.width = 64, pix.height = 64;
  EXPECT_EQ(pix.MemFromMips(64 * 64 * 4), 4096 + 1024 + 256 + 64 + 16 + 4);
  pix.mip = 0;
  EXPECT_EQ(pix.MemFromMips(64 * 64 * 4), 0);
  EXPECT_EQ(pix.GetMemByteSize(), 64u * 64 * 4);
  pix.SbrosPix();
  EXPECT_EQ(pix.DrawImg(0, 0, 0), -1);
  uint8_t* mirrored = _VertikMirror(nullptr, 4, 4, 24);
  EXPECT_EQ(mirrored, nullptr);
}

TEST_F(ImageTest, DrawnPictureShowsOnlyInTheTwoDState) {
  TestPicture p{4, 2, 24, {10, 20, 30, 255, 10, 20, 30, 255, 10, 20, 30, 255, 10, 20, 30, 255,
                           90, 80, 70, 255, 90, 80, 70, 255, 90, 80, 70, 255, 90, 80, 70, 255}};
  WriteFile("ris/d.tga", TgaBytes(p, false, false));
  Pix_ pix;
  ASSERT_EQ(pix.LoadImg("ris/d.tga", "0", 0), 1);
  EXPECT_EQ(pix.DrawImg(10, 10, 0), 0);
  ASSERT_EQ(Begin2D(0, kTestW, 0, kTestH), 1);
  TexMat(0, -1, 0, -1, 0);
  EXPECT_EQ(pix.DrawImgCntrHld(102, 101, 0), 1);
  End2D();
  EXPECT_NEAR_RGB(ReadRgba(100, 100), 90, 80, 70, 0);  // bottom row
  EXPECT_NEAR_RGB(ReadRgba(100, 101), 10, 20, 30, 0);  // top row
}

// Sound lists, WAV files and the buffer cache on the null backend.
#include <sys/stat.h>
#include <unistd.h>

#include "tests/sound/sound_fixture.h"

using namespace sndtest;

namespace {

using GroupTest = SoundTest;

}  // namespace

TEST(ExtractFileExt, UpperCasedTextAfterTheLastDot) {
  const struct {
    const char* name;
    const char* ext;
  } cases[] = {
      {"", ""},          {"a.Wav", "WAV"}, {"noise", "OISE"},   {"a.b.ogg", "OGG"},
      {".wav", "WAV"},   {"x", ""},        {"zvu/c.wav", "WAV"}, {"name.", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ExtractFileExt(c.name), c.ext) << c.name;
}

TEST_F(GroupTest, DefaultFlagEntriesLoadWithoutAnyFile) {
  ASSERT_EQ(Start(ListText(3, 3, {{0, 1, "nothing.wav"}, {1, 1, "none"}, {2, 1, ""}})), 1);
  // group 3 only: no group 0, and the sources start without a buffer
  EXPECT_EQ(Zvu_BufInAdr(0, 0), 0);
  ASSERT_EQ(Zvu_Last[3], 2);
  for (int i = 0; i < 3; ++i) {
    unsigned b = Zvu_[3][i];
    ASSERT_TRUE(alIsBuffer(b)) << i;
    EXPECT_EQ(BufferInt(b, AL_SIZE), 4) << i;
    EXPECT_EQ(BufferInt(b, AL_FREQUENCY), 22050) << i;
  }
  ALint bound = -1;
  alGetSourcei(ZSrcMainKot[0], AL_BUFFER, &bound);
  EXPECT_EQ(bound, 0);
}

TEST_F(GroupTest, WavEntriesLoadAndCrLfNamesKeepNoCr) {
  ASSERT_EQ(StartDefault(), 1);
  EXPECT_EQ(*o2::SoundE, 1);
  EXPECT_EQ(NeedKillALData, 1);
  EXPECT_EQ(BufferInt(Zvu_[0][1], AL_SIZE), 22050 * 60 / 1000 * 2);
  EXPECT_EQ(BufferInt(Zvu_[0][2], AL_SIZE), 22050 * 3 * 2);
  // every new source starts with group 0's first buffer
  ALint bound = -1;
  alGetSourcei(ZSrcHero[1], AL_BUFFER, &bound);
  EXPECT_EQ(static_cast<unsigned>(bound), Zvu_[0][0]);
}

TEST_F(GroupTest, FaultyListsTurnSoundOffAndTheProgramRunsOn) {
  WriteFile("dir.txt", "");
  const struct {
    const char* what;
    std::string list;
    const char* log;
  } cases[] = {
      {"repeated index", ListText(0, 3, {{0, 1, ""}, {1, 1, ""}, {1, 1, ""}}), "entry 1 given twice"},
      {"two lowered to the last", ListText(0, 5, {{7, 1, ""}, {4, 1, ""}}), "entry 4 given twice"},
      {"group 10", ListText(10, 1, {{0, 1, ""}}), "group 10 outside 0..9"},
      {"group -1", ListText(-1, 1, {{0, 1, ""}}), "group -1 outside 0..9"},
      {"no entries", ListText(0, 0, {}), "entry count 0 outside"},
      {"negative count", ListText(0, -4, {}), "entry count -4 outside"},
      {"negative index", ListText(0, 2, {{0, 1, ""}, {-1, 1, ""}}), "negative index -1"},
      {"truncated", ListText(0, 3, {{0, 1, ""}, {1, 1, ""}}), "entry 3 of 3 missing"},
      {"no numbers", "header\r\nzero eight\r\n", "no group number"},
      {"empty", "", "no group number"},
  };
  for (const auto& c : cases) {
    *o2::GeneralZvuE = 1;
    EXPECT_EQ(Start(c.list), 0) << c.what;
    EXPECT_EQ(*o2::SoundE, 0) << c.what;
    EXPECT_EQ(*o2::GeneralZvuE, 0) << c.what;
    EXPECT_EQ(NeedKillALData, 0) << c.what;
    EXPECT_EQ(pDevice, nullptr) << c.what;
    EXPECT_NE(Log().find(c.log), std::string::npos) << c.what << "\n" << Log();
    // silent, and nothing breaks
    EXPECT_EQ(ZSrcMainKot_Zakaz(nullptr, vec3(0, 0, 0), 0, 0, 0, 1, 1), 0) << c.what;
    ZSrcMainKot_StartKadrProc();
    KillALData();
  }
}

TEST_F(GroupTest, AnIndexAboveTheLastLandsOnTheLast) {
  ASSERT_EQ(Start(ListText(0, 5, {{7, 0, "short.wav"}, {0, 1, ""}, {1, 1, ""}, {2, 1, ""}, {3, 1, ""}})), 1);
  EXPECT_NE(Zvu_[0][4], 0u);
  EXPECT_EQ(BufferInt(Zvu_[0][4], AL_SIZE), 22050 * 60 / 1000 * 2);
  EXPECT_NE(Log().find("index 7 lowered to the last entry 4"), std::string::npos);
}

TEST_F(GroupTest, MissingOrUnreadableListFilesAreRefused) {
  mkdir("adir", 0755);
  for (const char* name : {"no-such-list.txt", "adir", "/dev/zero"}) {
    std::snprintf(general_zvu_list0, sizeof general_zvu_list0, "%s", name);
    EXPECT_EQ(StartOpenAL(), 0) << name;
    EXPECT_EQ(*o2::SoundE, 0) << name;
    EXPECT_NE(Log().find(std::string("sound list <") + name + "> not read"), std::string::npos) << name;
  }
  std::string big(kZvuListMaxBytes + 1, '\n');
  EXPECT_EQ(Start(big), 0);
}

TEST_F(GroupTest, RefusedWavFilesLeaveTheirEntryEmptyAndNoBuffer) {
  std::string good = WavBytes(60);
  WriteFile("trunc.wav", good.substr(0, good.size() - 7));
  WriteFile("header.wav", good.substr(0, 11));
  WriteFile("text.wav", "this is no sound at all, only words in a file\r\n");
  std::string bits24 = good;
  bits24[34] = 24;  // bits per sample
  WriteFile("bits24.wav", bits24);
  std::string odd = good;
  odd[40] = static_cast<char>(odd[40] - 1);  // 2645 bytes: the last frame is cut
  WriteFile("odd.wav", odd);
  mkdir("dir.wav", 0755);
  WriteFile("huge.wav", "");
  ASSERT_EQ(truncate("huge.wav", kZvuWavMaxBytes + 1), 0);
  const struct {
    const char* file;
    const char* why;
  } cases[] = {
      {"missing.wav", "not found"},         {"trunc.wav", "truncated chunk"},
      {"header.wav", "truncated header"}, {"text.wav", "not a RIFF WAVE file"},
      {"bits24.wav", "neither 8 nor 16"},   {"odd.wav", "samples end inside"},
      {"dir.wav", "not a regular file"},    {"huge.wav", "larger than 16 MB"},
  };
  std::vector<Entry> entries{{0, 1, ""}};
  for (const auto& c : cases) entries.push_back({int(entries.size()), 0, c.file});
  entries.push_back({int(entries.size()), 0, "short.wav"});
  ASSERT_EQ(Start(ListText(0, int(entries.size()), entries)), 1);
  const int count = int(entries.size());
  for (int i = 1; i + 1 < count; ++i) {
    EXPECT_EQ(Zvu_[0][i], 0u) << entries[i].name;
    EXPECT_NE(Log().find(std::string("<") + entries[i].name + "> refused: " + cases[i - 1].why),
              std::string::npos)
        << entries[i].name << "\n" << Log();
  }
  EXPECT_NE(Zvu_[0][count - 1], 0u);
  // entry 0 and the last one, and nothing leaked for the refused ones
  EXPECT_EQ(LiveBuffers(), 2);
}

// A list of the largest size naming a few files over and over: each file is
// read once into one buffer its entries share, and the group's samples stop
// at its limit, past which an entry stays silent with a log line.
TEST_F(GroupTest, EntriesNamingOneFileShareItsBufferAndTheGroupIsBounded) {
  const int bigMs = 356000;  // 15 MB of 16-bit samples at 22050 Hz
  WriteFile("big.wav", WavBytes(bigMs));
  const long bigBytes = 2L * (22050L * bigMs / 1000);
  ASSERT_LE(ReadFile("big.wav").size(), size_t(kZvuWavMaxBytes));
  const int fits = int(kZvuGroupMaxBytes / bigBytes);  // the copies of big.wav that fit
  ASSERT_GE(fits, 2);
  for (int k = 1; k <= fits; ++k)
    ASSERT_EQ(symlink("big.wav", ("big" + std::to_string(k) + ".wav").c_str()), 0);
  const struct {
    const char* file;
    bool sounds;
  } files[] = {{"short.wav", true}, {"big.wav", true}, {"medium.wav", true}};
  // every slot but 0 and the last few names one of the three files in turn
  const int count = 32767, tail = fits;
  std::string list = "// one file many times\r\n0 " + std::to_string(count) + "\r\nnone\r\n\r\n0 1\r\nnone\r\n\r\n\r\n";
  auto fileOf = [&](int slot) -> std::string {
    return slot < count - tail ? files[slot % 3].file : "big" + std::to_string(slot - (count - tail) + 1) + ".wav";
  };
  for (int slot = 1; slot < count; ++slot)
    list += "\r\n" + std::to_string(slot) + " 0\r\n" + fileOf(slot) + "\r\n\r\n\r\n";
  ASSERT_LE(list.size(), size_t(kZvuListMaxBytes));
  ASSERT_EQ(Start(list), 1);
  std::map<std::string, unsigned> bufferOf;
  std::map<unsigned, long> distinct;
  for (int slot = 1; slot < count; ++slot) {
    const unsigned b = Zvu_[0][slot];
    auto [it, first] = bufferOf.try_emplace(fileOf(slot), b);
    ASSERT_EQ(it->second, b) << "slot " << slot << " <" << fileOf(slot) << "> has a buffer of its own";
    if (b != 0) distinct[b] = BufferInt(b, AL_SIZE);
  }
  long total = 0;
  for (const auto& [b, bytes] : distinct) total += bytes;
  EXPECT_LE(total, kZvuGroupMaxBytes);
  for (const auto& f : files) EXPECT_NE(bufferOf[f.file], 0u) << f.file;
  // big.wav and its first copies fill the group; the last copy finds no room
  for (int k = 1; k < fits; ++k) EXPECT_NE(bufferOf["big" + std::to_string(k) + ".wav"], 0u) << k;
  const std::string last = "big" + std::to_string(fits) + ".wav";
  EXPECT_EQ(bufferOf[last], 0u);
  EXPECT_NE(Log().find("<" + last + "> refused: its"), std::string::npos) << Log();
  EXPECT_EQ(int(distinct.size()), 3 + fits - 1);
  EXPECT_EQ(LiveBuffers(), 1 + 3 + fits - 1);  // the default entry's and the files'
}

TEST_F(GroupTest, OggAndOtherEntries) {
  ASSERT_EQ(Start(ListText(0, 3, {{0, 0, "short.wav"}, {1, 0, "music.ogg"}, {2, 0, "tune.mp3"}})), 1);
  EXPECT_EQ(Zvu_[0][1], 0u);        // no OGG decoder: the entry stays empty
  EXPECT_TRUE(alIsBuffer(Zvu_[0][2]));  // any other file: a buffer without samples
  EXPECT_EQ(BufferInt(Zvu_[0][2], AL_SIZE), 0);
  // binding the empty OGG entry leaves the source's buffer as it was
  ALint before = -1, after = -2;
  alGetSourcei(ZSrcChain[0], AL_BUFFER, &before);
  EXPECT_EQ(ZSrc_SetBuf(ZSrcChain[0], 0, 1), 0);
  alGetSourcei(ZSrcChain[0], AL_BUFFER, &after);
  EXPECT_EQ(before, after);
  EXPECT_EQ(static_cast<unsigned>(after), Zvu_[0][0]);
}

TEST_F(GroupTest, BufInAdrNamesOnlyEntriesOfCreatedGroups) {
  ASSERT_EQ(Start(ListText(2, 5, {{0, 1, ""}, {1, 1, ""}, {2, 1, ""}, {3, 1, ""}, {4, 1, ""}})), 1);
  const struct {
    int group, index, want;
  } cases[] = {{2, 0, 1}, {2, 4, 1}, {2, 5, 0}, {2, -1, 0}, {0, 0, 0}, {10, 0, 0}, {-1, 0, 0}};
  for (const auto& c : cases) EXPECT_EQ(Zvu_BufInAdr(c.group, c.index), c.want) << c.group << " " << c.index;
}

TEST_F(GroupTest, SameWavThroughTwoSoundObjectsSharesOneBuffer) {
  // The list's three WAV files are in the cache; the objects add a fourth.
  ASSERT_EQ(StartDefault(), 1);
  EXPECT_EQ(Buffers.size(), 3u);
  WriteFile("other.wav", WavBytes(150));
  const int before = LiveBuffers();
  remSnd a, b;
  ASSERT_TRUE(a.Open("other.wav", false, false));
  ASSERT_TRUE(b.Open("other.wav", true, false));
  ALint ba = -1, bb = -2, loop = -1;
  alGetSourcei(a.source, AL_BUFFER, &ba);
  alGetSourcei(b.source, AL_BUFFER, &bb);
  alGetSourcei(b.source, AL_LOOPING, &loop);
  EXPECT_EQ(ba, bb);
  EXPECT_EQ(loop, AL_TRUE);
  EXPECT_EQ(Buffers.size(), 4u);
  const SndInfo& info = Buffers.at(static_cast<unsigned>(ba));
  EXPECT_EQ(info.Filename, "other.wav");
  EXPECT_EQ(info.Rate, 22050u);
  EXPECT_EQ(info.Format, static_cast<uint32_t>(AL_FORMAT_MONO16));
  EXPECT_EQ(LiveBuffers(), before + 1);
  // an object playing a file of the list plays the group's buffer
  remSnd m;
  ASSERT_TRUE(m.Open("medium.wav", false, false));
  EXPECT_EQ(Bound(m.source), Zvu_[0][3]);
  EXPECT_EQ(LiveBuffers(), before + 1);
  m.Close();
  a.Play();
  EXPECT_EQ(a.stopped, 0);
  a.Stop();
  EXPECT_EQ(a.stopped, 1);
  // a file that is no WAV, and a failed load that keeps no buffer
  remSnd c, d;
  EXPECT_FALSE(c.Open("list.txt", false, false));
  WriteFile("bad.wav", "RIFF");
  EXPECT_FALSE(d.Open("bad.wav", false, false));
  EXPECT_EQ(LiveBuffers(), before + 1);
  EXPECT_EQ(Buffers.size(), 4u);
  for (remSnd* s : {&a, &b, &c, &d}) s->Close();
  // A reset of the group empties its entries but keeps the cached buffers
  // they share with the objects, samples and all.
  const unsigned longWav = Zvu_[0][2];
  ZvuResetGru(0);
  for (int i = 0; i <= Zvu_Last[0]; ++i) EXPECT_EQ(Zvu_[0][i], 0u) << i;
  EXPECT_EQ(Buffers.size(), 4u);
  for (const auto& [id, info] : Buffers) EXPECT_TRUE(alIsBuffer(id)) << info.Filename;
  EXPECT_EQ(Buffers.at(longWav).Filename, "long.wav");
  EXPECT_EQ(BufferInt(longWav, AL_SIZE), 22050 * 3 * 2);
}

TEST_F(GroupTest, TheMusicObjectIsNeverOpenedAndStaysSilent) {
  ASSERT_EQ(StartDefault(), 1);
  alGetError();
  Music1.Play();
  Music1.Move(1, 2, 3);
  Music1.Stop();
  Music1.Close();
  EXPECT_EQ(Music1.source, 0u);
  EXPECT_EQ(alGetError(), AL_NO_ERROR);
}

TEST_F(GroupTest, ErrorCaptionsNameThePlace) {
  ASSERT_EQ(StartDefault(), 1);
  EXPECT_TRUE(CheckALError(3));
  alSourcef(0xDEAD, AL_GAIN, 1.0f);
  EXPECT_FALSE(CheckALError(3));
  EXPECT_STREQ(CheckALErr32ch, "Error (in p3)");
  alSourcef(0xDEAD, AL_GAIN, 1.0f);
  EXPECT_FALSE(CheckALError(0));
  EXPECT_STREQ(CheckALErr32ch, "Error (...)");
  EXPECT_NE(Log().find("OpenAL error: "), std::string::npos);
}

TEST_F(GroupTest, DeviceTextAndTheUnwiredOggStreamCallbacks) {
  ASSERT_EQ(StartDefault(), 1);
  std::string info = GetSndInfo();
  EXPECT_EQ(info.rfind("ALC info: \nDEFAULT_DEVICE_SPECIFIER: ", 0), 0u) << info;
  EXPECT_NE(info.find("\n\nAL info: \nVERSION: "), std::string::npos) << info;
  EXPECT_EQ(info.back(), '\0');
  std::istringstream in("0123456789");
  char buf[16] = {};
  EXPECT_EQ(ReadOgg(buf, 2, 3, &in), 6u);
  EXPECT_STREQ(buf, "012345");
  EXPECT_EQ(TellOgg(&in), 6);
  EXPECT_EQ(ReadOgg(buf, 4, 4, &in), 4u);
  EXPECT_EQ(CloseOgg(&in), 0);
  remSnd s;
  std::string name = "x.ogg";
  unsigned b = 0;
  EXPECT_FALSE(s.LoadOggFile(name, true));
  EXPECT_FALSE(s.LoadOggZvuMono16(name, &b));
  EXPECT_FALSE(s.ReadOggBlock(0, 0));
  EXPECT_FALSE(s.IsStreamed());
}

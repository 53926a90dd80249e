#include "sound/zvu.h"

#include <AL/al.h>

#include <climits>
#include <map>
#include <sstream>

#include "core/core.h"
#include "render/textfile.h"
#include "sound/aldevice.h"
#include "sound/remSnd.h"
#include "sound/wavfile.h"

unsigned* Zvu_[kZvuGroups];
int16_t Zvu_Last[kZvuGroups];
unsigned char DefaultWAV[4];

namespace {

bool GroupOK(int group) { return group >= 0 && group < kZvuGroups; }

bool Num(std::istream& is, long& v) { return static_cast<bool>(is >> v); }

// Skips what is left of the line the last number stood on.
void SkipLineEnd(std::istream& is) {
  std::string rest;
  TextGetLine(is, rest);
}

// The cached buffer of a WAV entry's file, when its samples fit in what is
// left of the group's room (which they then take); 0 when refused.
unsigned GroupWav(const std::string& list, const t_ZvuListEntry& e, long& room) {
  unsigned id = SndCachedBuffer(e.name, false, room);
  if (id == 0) return 0;
  ALint bytes = 0;
  alGetBufferi(id, AL_SIZE, &bytes);
  if (bytes > room) {
    LogInfo("\n sound list <%s>: entry %d <%s> stays silent: the group holds at most %ld bytes of samples\n",
            list.c_str(), e.slot, e.name.c_str(), kZvuGroupMaxBytes);
    return 0;
  }
  room -= bytes;
  return id;
}

}  // namespace

void ZvuResetGru(int group) {
  if (!GroupOK(group) || !Zvu_[group]) return;
  for (int i = 0; i <= Zvu_Last[group]; ++i) {
    unsigned& b = Zvu_[group][i];
    if (b != 0 && Buffers.count(b) == 0) alDeleteBuffers(1, &b);
    b = 0;
  }
}

void ZvuKillGru(int group) {
  if (!GroupOK(group) || !Zvu_[group]) return;
  ZvuResetGru(group);
  delete[] Zvu_[group];
  Zvu_[group] = nullptr;
  Zvu_Last[group] = 0;
}

void ZvuCreateGru(int group, int count) {
  if (!GroupOK(group) || count < 1 || count > SHRT_MAX) {
    LogInfo("\n sound: group %d of %d entries refused\n", group, count);
    return;
  }
  ZvuKillGru(group);
  Zvu_Last[group] = static_cast<int16_t>(count - 1);
  Zvu_[group] = new unsigned[count]();
}

int Zvu_BufInAdr(int group, int index) {
  return GroupOK(group) && Zvu_[group] && index >= 0 && index <= Zvu_Last[group];
}

int ZvuList_Parse(const std::string& text, t_ZvuList& list, std::string& why) {
  list = t_ZvuList();
  std::istringstream is(text);
  std::string line;
  long group = 0, count = 0;
  if (!TextGetLine(is, line) || !Num(is, group) || !Num(is, count)) {
    why = "no group number and entry count";
    return 0;
  }
  SkipLineEnd(is);
  if (group < 0 || group >= kZvuGroups) {
    why = "group " + std::to_string(group) + " outside 0..9";
    return 0;
  }
  if (count < 1 || count > SHRT_MAX) {
    why = "entry count " + std::to_string(count) + " outside 1..32767";
    return 0;
  }
  if (!TextGetLine(is, line)) {
    why = "no default-file line";
    return 0;
  }
  const int last = static_cast<int>(count) - 1;
  std::vector<char> taken(static_cast<size_t>(count), 0);
  list.group = static_cast<int>(group);
  list.count = static_cast<int>(count);
  for (long i = 0; i < count; ++i) {
    long index = 0, flag = 0;
    std::string name;
    if (!TextGetLine(is, line) || !Num(is, index) || !Num(is, flag)) {
      why = "entry " + std::to_string(i + 1) + " of " + std::to_string(count) + " missing or unreadable";
      return 0;
    }
    SkipLineEnd(is);
    if (!TextGetLine(is, name)) {
      why = "entry " + std::to_string(i + 1) + " has no file name";
      return 0;
    }
    TextGetLine(is, line);
    TextGetLine(is, line);
    if (index < 0) {
      why = "negative index " + std::to_string(index);
      return 0;
    }
    if (index > last) {
      LogInfo("\n sound list: index %ld lowered to the last entry %d\n", index, last);
      index = last;
    }
    if (taken[static_cast<size_t>(index)]) {
      why = "entry " + std::to_string(index) + " given twice";
      return 0;
    }
    taken[static_cast<size_t>(index)] = 1;
    list.entries.push_back({static_cast<int>(index), flag != 0, TextTrimS(name)});
  }
  return 1;
}

int ZvuList_Read(const std::string& fileName, t_ZvuList& list) {
  list = t_ZvuList();
  std::string text, why;
  if (!ReadTextFileDropCR(fileName.c_str(), text, static_cast<size_t>(kZvuListMaxBytes))) {
    LogInfo("\n%s sound list <%s> not read: missing, not a regular file or larger than 1 MB\n",
            MixDateCh(0, 0, 1), fileName.c_str());
    return 0;
  }
  if (!ZvuList_Parse(text, list, why)) {
    LogInfo("\n%s sound list <%s> refused: %s\n", MixDateCh(0, 0, 1), fileName.c_str(), why.c_str());
    list = t_ZvuList();
    return 0;
  }
  return 1;
}

int LoadZvuGru(std::string fileName) {
  t_ZvuList list;
  if (!ZvuList_Read(fileName, list)) return 0;
  ZvuCreateGru(list.group, list.count);
  unsigned* gru = Zvu_[list.group];
  // The WAV files of this list by name, each read once (0: refused), and the
  // sample bytes the group may still take.
  std::map<std::string, unsigned> wavs;
  long room = kZvuGroupMaxBytes;
  for (const t_ZvuListEntry& e : list.entries) {
    unsigned& buf = gru[e.slot];
    std::string ext = ExtractFileExt(e.name);
    if (!e.defaultFlag && ext.rfind("WAV", 0) == 0) {
      auto [it, first] = wavs.try_emplace(e.name, 0u);
      if (first) it->second = GroupWav(fileName, e, room);
      buf = it->second;
      continue;
    }
    alGenBuffers(1, &buf);
    if (alGetError() != AL_NO_ERROR) {
      LogInfo("\n sound list <%s>: no buffer for entry %d\n", fileName.c_str(), e.slot);
      buf = 0;
      return 0;
    }
    if (e.defaultFlag) {
      alBufferData(buf, AL_FORMAT_MONO16, DefaultWAV, sizeof DefaultWAV, 22050);
      continue;
    }
    bool keep = true;
    if (ext.rfind("OGG", 0) == 0) {
      remSnd ogg;
      std::string name = e.name;
      keep = ogg.LoadOggZvuMono16(name, &buf);
      ogg.Close();
    } else {
      LogInfo("\n sound list <%s>: entry %d <%s> is no WAV file and stays silent\n", fileName.c_str(),
              e.slot, e.name.c_str());
    }
    if (!keep) {
      if (alIsBuffer(buf)) alDeleteBuffers(1, &buf);
      buf = 0;
    }
  }
  if (alGetError() != AL_NO_ERROR) {
    LogInfo("\n sound list <%s>: OpenAL error after the last entry\n", fileName.c_str());
    return 0;
  }
  return 1;
}

// Sound groups: ten numbered arrays of OpenAL buffer names, filled from a
// sound list file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Number of sound groups (0..9).
constexpr int kZvuGroups = 10;
// Largest sound list file the program reads.
constexpr long kZvuListMaxBytes = 1L << 20;
// Most bytes of WAV samples one group holds, its shared buffers counted once.
constexpr long kZvuGroupMaxBytes = 64L << 20;

// Buffer names of each group (null until created; 0 = no buffer) and the last
// valid index of each group.
extern unsigned* Zvu_[kZvuGroups];
extern int16_t Zvu_Last[kZvuGroups];
// Sample data of entries marked as default: two silent 16-bit mono samples.
extern unsigned char DefaultWAV[4];

// (Re)creates a group with count empty entries; a group outside 0..9 or a
// count below 1 is refused with a log line.
void ZvuCreateGru(int group, int count);
// Deletes every buffer of the group but the WAV buffers, which belong to the
// cache Buffers; its entries become 0, the array stays.
void ZvuResetGru(int group);
// Deletes the group's buffers and its array.
void ZvuKillGru(int group);
// 1 when (group, index) names an entry of a created group.
int Zvu_BufInAdr(int group, int index);

// One entry of a sound list: where it lands in its group, whether it takes
// the silent default samples, and its file name.
struct t_ZvuListEntry {
  int slot = 0;
  int defaultFlag = 0;
  std::string name;
};
// A sound list as read and checked: group 0..9, count 1..32767, entries at
// distinct slots inside the group.
struct t_ZvuList {
  int group = 0;
  int count = 0;
  std::vector<t_ZvuListEntry> entries;
};

// Reads and checks a sound list file (no device needed): 1 when it is sound,
// 0 with a log line when it is missing, not a regular file, too large,
// truncated, or names a group outside 0..9, a count below 1, a negative index
// or one slot twice (an index above the last slot is lowered to it).
int ZvuList_Read(const std::string& fileName, t_ZvuList& list);
// The checks of ZvuList_Read on the text of a list (CR LF or LF lines); why
// names the refusal.
int ZvuList_Parse(const std::string& text, t_ZvuList& list, std::string& why);

// Reads one sound list into its group; 1 on success. Each default or
// non-WAV entry gets a buffer of its own; WAV entries take their file's
// buffer from the cache Buffers, so entries naming one file share it. An
// entry whose file is refused stays empty, as does one whose samples would
// take the group past kZvuGroupMaxBytes (with a log line).
int LoadZvuGru(std::string fileName);

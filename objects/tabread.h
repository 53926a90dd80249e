// Line and number reading shared by the weapon and unit table loaders.
// Numbers are read the stream's way (whitespace-separated, so a group may run
// over line ends); "skip line" drops the rest of the current line.
#pragma once

#include <cstdint>
#include <istream>
#include <sstream>
#include <string>

namespace tabread {

// The header line of the next row: skips empty and comment lines and blocks
// from a line holding "end" to the next line beginning "begin". 0 at the end
// of loading (end of the file, 99 skipped lines, or no "begin").
int NextRow(std::istream& in, std::string& line);

// Nothing at the end of the text (a last line without a line end is whole).
void SkipLine(std::istream& in);
// One whole line (CR dropped); empty at the end of the file.
std::string Line(std::istream& in);

// Reads one int into dst[idx[k]] for each k < n (0 where reading failed).
void Ints(std::istream& in, int32_t* dst, const int* idx, int n);
// Reads n ints into dst[first..first + n - 1].
void IntRun(std::istream& in, int32_t* dst, int first, int n);
int Int(std::istream& in);
float Flo(std::istream& in);

// The comma-separated fields of a line, each trimmed, one per call; the empty
// word once the line is used up.
class Fields {
 public:
  explicit Fields(const std::string& line) : line_(line) {}
  std::string Next();

 private:
  const std::string& line_;
  int pos_ = 0;
};

// Reads a whole table file (only a regular file of a sane size); false with
// the reason logged.
bool ReadTableFile(const std::string& path, std::string& text);

// Loads a table (anything with LoadFrom) from its file.
template <class Table>
void LoadTableFile(Table& table, const std::string& path) {
  std::string text;
  if (!ReadTableFile(path, text)) return;
  std::istringstream in(text);
  table.LoadFrom(in);
}

}  // namespace tabread

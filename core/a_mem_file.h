// Binary and text file helpers over C streams (FILE*). Binary records are raw
// little-endian values with fixed widths and no padding; a string record is an
// int32 length that counts the final NUL, then the characters and the NUL.
// A null stream makes every read and write do nothing (writes return 0).
// Before a file is rewritten the existing one is moved to its name + "_bak"
// (BinFileWrite with backup 2, the mode every writer uses).
#pragma once

#include <cstdint>
#include <cstdio>
#include <istream>
#include <string>

// Typed raw reads: the variable takes the value only when all its bytes could
// be read (a short read at the end of the file leaves it unchanged). Each
// returns 1 when the whole value was read, else 0.
int ByteRead(unsigned char& v, FILE* f);
int ShortRead(short& v, FILE* f);
int UShortRead(unsigned short& v, FILE* f);
int IntRead(int& v, FILE* f);
int UIntRead(unsigned int& v, FILE* f);
int FloRead(float& v, FILE* f);
int DblRead(double& v, FILE* f);

// Typed raw writes: the number of bytes written.
int ByteWrite(unsigned char v, FILE* f);
int ShortWrite(short v, FILE* f);
int UShortWrite(unsigned short v, FILE* f);
int IntWrite(int v, FILE* f);
int UIntWrite(unsigned int v, FILE* f);
int FloWrite(float v, FILE* f);
int DblWrite(double v, FILE* f);

// String records.
int CharStringWrite(const char* text, FILE* f);            // int32 (len + 1), chars, NUL; returns len + 5
inline int CharStringWrite(const std::string& text, FILE* f) { return CharStringWrite(text.c_str(), f); }
int CharBlockWrite(std::string text, int block, FILE* f);  // int32 (len + 1), chars, zero-fill to block bytes
// Reads a string record back: at most maxLen characters are accepted; a longer,
// negative or truncated record gives the empty string and 0.
int CharStringRead(std::string& out, FILE* f, int maxLen = 65536);

// Runs of consecutive int or float fields from first to last inclusive, at most
// n of them; each returns the number of elements handled (a read stops at the
// first element that cannot be read whole).
int IntWriteMem(const int* first, const int* last, FILE* f, int n);
int IntReadToMem(int* first, int* last, FILE* f, int n);
int FloWriteMem(const float* first, const float* last, FILE* f, int n);
int FloReadToMem(float* first, float* last, FILE* f, int n);
int WriteToMem(int* first, int* last, int value, int n);
int WriteToMem(float* first, float* last, float value, int n);

// A count not known in advance: an int32 placeholder patched by seeking back.
struct BinBlok {
  int32_t pos = 0;    // file offset of the placeholder
  int32_t count = 0;  // items counted so far
  int start(FILE* f);
  void fwd() { count++; }
  void end(FILE* f);
};

// A short name that travels as three int32 values: 12 character bytes and a
// zero word that keeps it NUL-terminated in memory.
struct str3int {
  char c[12];
  int32_t zero;
  str3int();
  void LoadText(const char* text);
  void LoadText(const std::string& text) { LoadText(text.c_str()); }
  void LoadFromStreamLine(std::istream& in);
  const char* pCharStr() const { return c; }
};
static_assert(sizeof(str3int) == 16, "str3int is 12 characters and a zero word");
int str3intWrite(const str3int& name, FILE* f);
int str3intRead(str3int& name, FILE* f);

// Opens name + ext for binary writing after the backup step:
//   backup 3: copy to name + "_bak", then open the file itself with "r+b";
//   backup 2: delete an older name + "_bak", move the file there, then open
//             (a link or pipe at the name goes to name + "_bad" instead);
//   backup 1: delete the file, then open;
//   other: open only when open is 2 (append).
// open 1: "w+b", 2: "a+b", other: "wb". Returns nullptr on any failure.
FILE* BinFileWrite(const std::string& name, const std::string& ext, short backup, short open);

// Reads a text stream up to and including the next LF (a CR is read past).
// 1 when an LF was read, 0 when the stream ended first.
int streamGetToZ1310(std::istream& in);

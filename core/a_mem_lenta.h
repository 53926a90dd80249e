// ByteLenta: the growable byte buffer with one cursor. Whole files are read
// into it, binary blocks are parsed with typed reads that yield 0 past the end,
// records are built with typed writes that grow the buffer to exactly the size
// needed (or are dropped when they do not fit), and text is edited in it with
// the CR LF line operations, the gap insertion and the cuts.
// Every read and write is bounded by size; nothing touches memory outside the
// buffer whatever the cursor holds.
#pragma once

#include <cstdint>
#include <string>

class ByteLenta {
 public:
  unsigned char* data = nullptr;  // malloc'd, exactly size bytes; null when empty
  uint32_t pos = 0;               // cursor: offset of the next read or write
  int32_t size = 0;               // bytes in the buffer

  ByteLenta() = default;
  ByteLenta(const ByteLenta& o);  // deep copy, cursor 0
  ByteLenta& operator=(const ByteLenta& o);
  ~ByteLenta() { Sbros(); }

  void Sbros();  // free everything; all fields 0
  void MAlloc(int n, int replace);
  void Add(int n);  // room for n more bytes at the cursor
  void HoldSqvMix(const ByteLenta& a, const ByteLenta& b);
  void AddOtherBL(const ByteLenta* other);
  void DeleteTailFrom(int n);  // keep the first n bytes
  int SetLastPos();
  void CopyTo(ByteLenta* dest, int n, int fromStart) const;
  int SaveToFile(const std::string& name, short backup, int n, int fromStart) const;
  void FillRand(int kind, int from, int n);

  // Reads at the cursor: 0 when fewer than the value's bytes remain.
  unsigned char ByteRead(short advance);
  short ShortRead(short advance);
  unsigned short UShortRead(short advance);
  int IntRead(short advance);
  unsigned int UIntRead(short advance);
  float FloRead(short advance);
  double DblRead(short advance);

  // Reads by element index from the start, cursor untouched.
  unsigned char AnByteRead(int i) const;
  short AnShortRead(int i) const;
  unsigned short AnUShortRead(int i) const;
  int AnIntRead(int i) const;
  unsigned int AnUIntRead(int i) const;
  float AnFloRead(int i) const;
  double AnDblRead(int i) const;

  void BlokRead(void* dest, int n, short advance);

  // Writes at the cursor: with grow the buffer first grows as needed, without
  // it a write that does not fit is dropped.
  void ByteWrite(unsigned char v, short grow);
  void ShortWrite(short v, short grow);
  void UShortWrite(unsigned short v, short grow);
  void IntWrite(int v, short grow);
  void UIntWrite(unsigned int v, short grow);
  void FloWrite(float v, short grow);
  void DblWrite(double v, short grow);

  // CR LF line operations.
  int CountEOL(int plusOne) const;
  int SkipToEOL();
  int SetPosToFirstNormCharInLine(int minChar);
  void SdvigLenPlus(int at, int n);   // open a gap of n bytes at `at`
  void SdvigLenMinus(int at, int n);  // delete min(n, at) bytes before `at`
  void CutLenMinus(int at, int n);    // delete n bytes from `at`

 private:
  bool resize(int64_t n);  // exactly n bytes (new bytes zeroed); false when refused
  template <class T>
  T readAt(short advance);
  template <class T>
  T readIndex(int i) const;
  template <class T>
  void writeAt(const T& v, short grow);
};

ByteLenta operator+(const ByteLenta& a, const ByteLenta& b);

// Reads the whole file path + ext into an empty buffer (no data, cursor 0).
// 0 when the buffer is not empty, the path is empty, tag is longer than 4
// characters or the file cannot be read. With check != 0 the result is 1 only
// when the file holds exactly check bytes.
int GetByteLenta(ByteLenta& buf, const std::string& path, const std::string& ext, const std::string& tag, int check);

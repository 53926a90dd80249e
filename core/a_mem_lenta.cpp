#include "core/a_mem_lenta.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "core/a_mem_file.h"
#include "core/log.h"
#include "core/numeric.h"
#include "core/safewrite.h"
#include "core/sysfs.h"

// ---- life and storage ----------------------------------------------------

ByteLenta::ByteLenta(const ByteLenta& o) {
  if (o.data && o.size > 0 && resize(o.size)) std::memcpy(data, o.data, (size_t)o.size);
}

ByteLenta& ByteLenta::operator=(const ByteLenta& o) {
  if (this == &o) return *this;
  Sbros();
  if (o.data && o.size > 0 && resize(o.size)) std::memcpy(data, o.data, (size_t)o.size);
  return *this;
}

void ByteLenta::Sbros() {
  std::free(data);
  data = nullptr;
  pos = 0;
  size = 0;
}

bool ByteLenta::resize(int64_t n) {
  if (n <= 0) {
    Sbros();
    return true;
  }
  if (n > INT32_MAX) return false;
  void* p = std::realloc(data, (size_t)n);
  if (!p) {
    if (n > size) return false;  // growth refused: the buffer stays as it was
    p = data;                    // a refused shrink keeps the larger block
  }
  data = (unsigned char*)p;
  if (n > size) std::memset(data + size, 0, (size_t)(n - size));
  size = (int32_t)n;
  return true;
}

void ByteLenta::MAlloc(int n, int replace) {
  if (replace) Sbros();
  else if (data) return;
  pos = 0;
  size = 0;
  if (n > 0) {
    data = (unsigned char*)std::calloc((size_t)n, 1);
    if (data) size = n;  // a failed allocation leaves an empty buffer
  }
}

void ByteLenta::Add(int n) {
  if (n <= 0) return;
  int64_t need = (int64_t)pos + n;
  if (!data) {
    if (need <= INT32_MAX) MAlloc((int)need, 1);
    return;
  }
  if (need > size) resize(need);
}

void ByteLenta::HoldSqvMix(const ByteLenta& a, const ByteLenta& b) {
  int64_t na = a.data ? a.size : 0, nb = b.data ? b.size : 0;
  ByteLenta mix;
  if (na + nb > 0 && mix.resize(na + nb)) {
    if (na) std::memcpy(mix.data, a.data, (size_t)na);
    if (nb) std::memcpy(mix.data + na, b.data, (size_t)nb);
  }
  // The new contents are complete before the old buffer goes: a or b may be *this.
  Sbros();
  data = mix.data;
  size = mix.size;
  mix.data = nullptr;
  mix.size = 0;
}

ByteLenta operator+(const ByteLenta& a, const ByteLenta& b) {
  ByteLenta r;
  r.HoldSqvMix(a, b);
  return r;
}

void ByteLenta::AddOtherBL(const ByteLenta* other) {
  if (!other || !other->data || other->size < 1) return;
  int32_t old = data ? size : 0, add = other->size;
  if (!resize((int64_t)old + add)) return;
  const unsigned char* src = other == this ? data : other->data;
  std::memcpy(data + old, src, (size_t)add);
}

void ByteLenta::DeleteTailFrom(int n) {
  if (n < 1) {
    Sbros();
    return;
  }
  if (n >= size) return;
  resize(n);
  if (pos >= (uint32_t)size) pos = (uint32_t)(size - 1);
}

int ByteLenta::SetLastPos() {
  if (size < 1) return -1;
  pos = (uint32_t)(size - 1);
  return (int)pos;
}

namespace {
// The byte range of CopyTo and SaveToFile: from 0 or from the cursor; n bytes,
// or everything to the end when n <= 0 or fewer than n remain after the cursor.
bool sourceRange(const ByteLenta& b, int n, int fromStart, int64_t& start, int64_t& count) {
  if (!b.data || b.size < 1) return false;
  start = fromStart ? 0 : (int64_t)b.pos;
  count = n;
  if (n <= 0 || (int64_t)b.size - (int64_t)b.pos < n) count = (int64_t)b.size - start;
  if (start + count > b.size) count = (int64_t)b.size - start;
  return count > 0;
}
}  // namespace

void ByteLenta::CopyTo(ByteLenta* dest, int n, int fromStart) const {
  int64_t start = 0, count = 0;
  if (!dest || !dest->data || !sourceRange(*this, n, fromStart, start, count)) return;
  int64_t room = (int64_t)dest->size - (int64_t)dest->pos;
  if (count > room) count = room;
  if (count > 0) std::memmove(dest->data + dest->pos, data + start, (size_t)count);
}

int ByteLenta::SaveToFile(const std::string& name, short backup, int n, int fromStart) const {
  int64_t start = 0, count = 0;
  if (!data) return 0;
  bool any = sourceRange(*this, n, fromStart, start, count);
  // Backup mode 2, the one writers use, goes through a temporary file so that
  // a failed write leaves the old file in place.
  t_SafeWrite out;
  FILE* f = nullptr;
  if (backup == 2) {
    if (out.Open(name, "")) f = out.Take();
  } else {
    f = BinFileWrite(name, "", backup, 0);
  }
  if (!f) return 0;
  size_t written = any ? std::fwrite(data + start, 1, (size_t)count, f) : 0;
  bool ok = (!any || written == (size_t)count) && SafeFlushOK(f);
  int err = ok ? 0 : errno;
  if (std::fclose(f) != 0 && ok) {
    ok = false;
    err = errno;
  }
  if (backup == 2) {
    errno = err;
    ok = out.Finish(ok) && ok;
  }
  if (!ok) {
    LogInfo("\n ByteLenta: writing \"%s\" failed (%d of %d bytes; %s)\n", name.c_str(), (int)written, (int)count,
            err ? std::strerror(err) : "it could not take its name");
    return 0;
  }
  return (int)written;
}

void ByteLenta::FillRand(int kind, int from, int n) {
  if (kind != 3 || !data) return;
  if (from >= 0 && from < size) pos = (uint32_t)from;
  int64_t rest = (int64_t)size - (int64_t)pos;
  int64_t len = (n < 1 || n > size) ? rest : (n < rest ? n : rest);
  for (; len >= 4; len -= 4) FloWrite(Rand2F(0.0f, 1.0f, 100), 1);
}

// ---- typed reads and writes ----------------------------------------------

template <class T>
T ByteLenta::readAt(short advance) {
  if (!data || (int64_t)pos + (int64_t)sizeof(T) > size) return T(0);
  T v;
  std::memcpy(&v, data + pos, sizeof(T));
  if (advance) pos += sizeof(T);
  return v;
}

template <class T>
T ByteLenta::readIndex(int i) const {
  if (!data || i < 0 || ((int64_t)i + 1) * (int64_t)sizeof(T) > size) return T(0);
  T v;
  std::memcpy(&v, data + (size_t)i * sizeof(T), sizeof(T));
  return v;
}

template <class T>
void ByteLenta::writeAt(const T& v, short grow) {
  if (grow) Add((int)sizeof(T));
  if (!data || (int64_t)pos + (int64_t)sizeof(T) > size) return;
  std::memcpy(data + pos, &v, sizeof(T));
  pos += sizeof(T);
}

unsigned char ByteLenta::ByteRead(short advance) { return readAt<unsigned char>(advance); }
short ByteLenta::ShortRead(short advance) { return readAt<short>(advance); }
unsigned short ByteLenta::UShortRead(short advance) { return readAt<unsigned short>(advance); }
int ByteLenta::IntRead(short advance) { return readAt<int>(advance); }
unsigned int ByteLenta::UIntRead(short advance) { return readAt<unsigned int>(advance); }
float ByteLenta::FloRead(short advance) { return readAt<float>(advance); }
double ByteLenta::DblRead(short advance) { return readAt<double>(advance); }

unsigned char ByteLenta::AnByteRead(int i) const { return readIndex<unsigned char>(i); }
short ByteLenta::AnShortRead(int i) const { return readIndex<short>(i); }
unsigned short ByteLenta::AnUShortRead(int i) const { return readIndex<unsigned short>(i); }
int ByteLenta::AnIntRead(int i) const { return readIndex<int>(i); }
unsigned int ByteLenta::AnUIntRead(int i) const { return readIndex<unsigned int>(i); }
float ByteLenta::AnFloRead(int i) const { return readIndex<float>(i); }
double ByteLenta::AnDblRead(int i) const { return readIndex<double>(i); }

void ByteLenta::BlokRead(void* dest, int n, short advance) {
  if (n <= 0 || !dest || !data || (int64_t)pos + n > size) return;
  std::memcpy(dest, data + pos, (size_t)n);
  if (advance) pos += (uint32_t)n;
}

void ByteLenta::ByteWrite(unsigned char v, short grow) { writeAt(v, grow); }
void ByteLenta::ShortWrite(short v, short grow) { writeAt(v, grow); }
void ByteLenta::UShortWrite(unsigned short v, short grow) { writeAt(v, grow); }
void ByteLenta::IntWrite(int v, short grow) { writeAt(v, grow); }
void ByteLenta::UIntWrite(unsigned int v, short grow) { writeAt(v, grow); }
void ByteLenta::FloWrite(float v, short grow) { writeAt(v, grow); }
void ByteLenta::DblWrite(double v, short grow) { writeAt(v, grow); }

// ---- CR LF line operations -----------------------------------------------

namespace {
inline bool crlfAt(const unsigned char* d, int64_t i, int64_t size) {
  return i + 1 < size && d[i] == 13 && d[i + 1] == 10;
}
}  // namespace

int ByteLenta::CountEOL(int plusOne) const {
  if (!data || size < 1) return 0;
  int n = 0;
  for (int64_t i = 0; i + 1 < size;) {
    if (crlfAt(data, i, size)) {
      n++;
      i += 2;
    } else {
      i++;
    }
  }
  return plusOne ? n + 1 : n;
}

int ByteLenta::SkipToEOL() {
  if (data)
    for (int64_t i = pos; i + 1 < size; i++)
      if (crlfAt(data, i, size)) {
        pos = (uint32_t)(i + 2);
        return 1;
      }
  pos = 0;
  return 0;
}

int ByteLenta::SetPosToFirstNormCharInLine(int minChar) {
  if (data)
    for (int64_t i = pos; i < size; i++) {
      if (crlfAt(data, i, size)) {
        pos = (uint32_t)(i + 2);
        return 0;
      }
      if (data[i] >= minChar) {
        pos = (uint32_t)i;
        return 1;
      }
    }
  pos = 0;
  return 0;
}

void ByteLenta::SdvigLenPlus(int at, int n) {
  if (n <= 0 || at < 0 || at >= size || !data) return;
  int32_t old = size;
  if (!resize((int64_t)size + n)) return;
  std::memmove(data + at + n, data + at, (size_t)(old - at));
}

void ByteLenta::SdvigLenMinus(int at, int n) {
  if (n <= 0 || at < 0 || at >= size || !data) return;
  int k = n < at ? n : at;
  if (k == 0) return;
  std::memmove(data + at - k, data + at, (size_t)(size - at));
  DeleteTailFrom(size - k);
}

void ByteLenta::CutLenMinus(int at, int n) {
  if (n <= 0 || at < 0 || at >= size || !data) return;
  if ((int64_t)at + n >= size) {
    DeleteTailFrom(at);
    return;
  }
  std::memmove(data + at, data + at + n, (size_t)(size - at - n));
  DeleteTailFrom(size - n);
}

// ---- whole-file load -----------------------------------------------------

int GetByteLenta(ByteLenta& buf, const std::string& path, const std::string& ext, const std::string& tag, int check) {
  if (buf.data || buf.pos != 0 || path.empty() || tag.size() > 4) return 0;
  std::string full = ext.empty() ? path : path + ext;
  const char* why = nullptr;
  FILE* f = sysOpenRegular(full, &why);
  if (!f) {
    if (std::strcmp(why, "missing") != 0) LogInfo("\n GetByteLenta: \"%s\" is %s; not read\n", full.c_str(), why);
    return 0;
  }
  long len = -1;
  if (std::fseek(f, 0, SEEK_END) == 0) len = std::ftell(f);
  if (len < 0 || len > INT32_MAX || std::fseek(f, 0, SEEK_SET) != 0) {
    std::fclose(f);
    LogInfo("\n GetByteLenta: cannot take the size of \"%s\"\n", full.c_str());
    return 0;
  }
  if (len > 0) {
    buf.MAlloc((int)len, 0);
    if (!buf.data) {
      std::fclose(f);
      LogInfo("\n GetByteLenta: no memory for \"%s\" (%ld bytes)\n", full.c_str(), len);
      return 0;
    }
    size_t got = std::fread(buf.data, 1, (size_t)len, f);
    if (got != (size_t)len) {
      std::fclose(f);
      buf.Sbros();
      LogInfo("\n GetByteLenta: short read of \"%s\" (%d of %ld bytes)\n", full.c_str(), (int)got, len);
      return 0;
    }
  }
  std::fclose(f);
  if (check != 0) return len == check ? 1 : 0;
  return 1;
}

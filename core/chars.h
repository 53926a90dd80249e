// Fixed character buffers embedded in records and globals (paths, list-file
// names, message texts). Clear() zeroes every byte.
#pragma once

#include <cstring>

template <int N>
struct t_CharN {
  char c[N];
  void Clear() { std::memset(c, 0, N); }
  // Copies at most N-1 characters and always leaves a NUL behind them.
  void Set(const char* s) {
    Clear();
    if (s) std::memcpy(c, s, strnlen(s, N - 1));
  }
  char* operator()() { return c; }
  const char* operator()() const { return c; }
  static constexpr int Size = N;
};

using t_Char256 = t_CharN<256>;
using t_Char128 = t_CharN<128>;
using t_Char64 = t_CharN<64>;
using t_Char32 = t_CharN<32>;

static_assert(sizeof(t_Char256) == 256 && sizeof(t_Char32) == 32, "buffers are plain bytes");

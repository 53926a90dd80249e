// Counts heap allocations through operator new, to prove that a path does not
// allocate. Include it in exactly one file of a program: it replaces the
// global operator new and delete.
#pragma once

#include <atomic>
#include <cstdlib>
#include <new>

inline std::atomic<long> gHeapAllocations{0};

inline long HeapAllocations() { return gHeapAllocations.load(std::memory_order_relaxed); }

void* operator new(std::size_t n) {
  gHeapAllocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(n ? n : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

// Counts every allocation of the process (ours and the libraries') through
// the address sanitizer's hooks while a piece of work runs. Without the
// sanitizer nothing is counted: tests skip themselves (VELMAR_COUNT_ALLOCS).
#pragma once

#include <atomic>
#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime's allocation hooks and heap figure (its header is not
// installed with g++).
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*onMalloc)(const volatile void*, size_t),
                                                         void (*onFree)(const volatile void*));
extern "C" size_t __sanitizer_get_current_allocated_bytes();
extern "C" void __sanitizer_print_stack_trace();
#define VELMAR_COUNT_ALLOCS 1
#else
#include <malloc.h>
#endif

namespace allochooks {

inline std::atomic<long> allocations{0};
inline std::atomic<bool> counting{false};
// Only the thread that runs the work counts: the sound mixer's and the GL
// driver's own threads are not the frame's.
inline thread_local bool workThread = false;

#ifdef VELMAR_COUNT_ALLOCS
// The first allocation of a counted piece of work prints where it was made.
inline void OnMalloc(const volatile void*, size_t) {
  if (!counting || !workThread) return;
  if (allocations++ == 0) {
    workThread = false;  // the report may allocate
    __sanitizer_print_stack_trace();
    workThread = true;
  }
}
inline void OnFree(const volatile void*) {}
#endif

}  // namespace allochooks

// Runs `work` with every allocation counted; the count.
template <class Work>
long Allocations(Work work) {
#ifdef VELMAR_COUNT_ALLOCS
  __sanitizer_install_malloc_and_free_hooks(allochooks::OnMalloc, allochooks::OnFree);
#endif
  allochooks::allocations = 0;
  allochooks::workThread = true;
  allochooks::counting = true;
  work();
  allochooks::counting = false;
  allochooks::workThread = false;
  return allochooks::allocations.load();
}

// The bytes the process (ours and the libraries', the GL driver's included)
// holds allocated on the heap now: what was freed is not counted, wherever
// the allocator keeps it.
inline size_t HeapBytesInUse() {
#ifdef VELMAR_COUNT_ALLOCS
  return __sanitizer_get_current_allocated_bytes();
#else
  const struct mallinfo2 m = mallinfo2();
  return m.uordblks + m.hblkhd;
#endif
}

// Counts every allocation of the process (ours and the libraries') through
// the address sanitizer's hooks while a piece of work runs. Without the
// sanitizer nothing is counted: tests skip themselves (VELMAR_COUNT_ALLOCS).
#pragma once

#include <atomic>
#include <cstddef>

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime's allocation hooks (its header is not installed with g++).
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*onMalloc)(const volatile void*, size_t),
                                                         void (*onFree)(const volatile void*));
#define VELMAR_COUNT_ALLOCS 1
#endif

namespace allochooks {

inline std::atomic<long> allocations{0};
inline std::atomic<bool> counting{false};

#ifdef VELMAR_COUNT_ALLOCS
inline void OnMalloc(const volatile void*, size_t) {
  if (counting) ++allocations;
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
  allochooks::counting = true;
  work();
  allochooks::counting = false;
  return allochooks::allocations.load();
}

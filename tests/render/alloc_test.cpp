// A frame of the render machine allocates nothing. Every allocation of the
// process is counted through the sanitizer's hooks while the queues are filled
// and emptied; the context is released for the counted frames, so that the GL
// calls reach no driver and only our own code can allocate.
#include "tests/render/render_fixture.h"
#include "world/world.h"

#if defined(__SANITIZE_ADDRESS__)
// The sanitizer runtime's allocation hooks (its header is not installed with g++).
extern "C" int __sanitizer_install_malloc_and_free_hooks(void (*onMalloc)(const volatile void*, size_t),
                                                         void (*onFree)(const volatile void*));
#define VELMAR_COUNT_ALLOCS 1
#endif

#include <atomic>

#ifdef VELMAR_COUNT_ALLOCS
namespace {

std::atomic<long> allocations{0};
std::atomic<bool> counting{false};

void OnMalloc(const volatile void*, size_t) {
  if (counting) ++allocations;
}
void OnFree(const volatile void*) {}

void Owner12(Fgr4*, int code, void*, void*, void*, void*) {
  if (code != 12 || MSprNextQuad_Non()) return;
  float q[12], uv[8];
  MSpr_SetQuad(MSpr_q2DV(q, 50, 50, 10, 0), nullptr, MSpr_qTC(uv, 1, 4, 1, 4), nullptr);
}

}  // namespace
#endif

TEST_F(RenderTest, AFrameOfTheRenderMachineAllocatesNothing) {
#ifndef VELMAR_COUNT_ALLOCS
  GTEST_SKIP() << "needs the address sanitizer's allocation hooks";
#else
  RenderOwnerEvent = Owner12;
  vec3 ring[12];
  Crt_CircleGoriz(ring, 12, 30, 1);
  auto frame = [&] {
    RenderM._ResetOnStartNewLap();
    for (int i = 0; i < 400; ++i) RenderM.box.Add(0, 0, -5, 1, 1, 1, 1, 1, 1, 0, -1, 0, -1, 0);
    for (int i = 0; i < 100; ++i) {
      RenderM.quads[i % 5].Add(reinterpret_cast<Fgr4*>(0x10), 0, 0, -1, 0, -1, 0);
      RenderM.mdl[i % 2].Add(reinterpret_cast<Fgr4*>(0x10), 0, 0, 0, 0, -1, 0, -1, 0);
      RenderM.line[i % 4].AddBoxRam(vec3(0), vec3(1), 1, 2, 3, 4);
      RenderM.wire[i % 4].AddChain(ring, nullptr, 12, 1, 2, 3, 4);
      RenderM.r1r2[i % 3].Add(1, 0, 0, -1, 0, -1, 0, reinterpret_cast<Fgr4*>(0x10), 0, nullptr, nullptr, nullptr,
                              nullptr, nullptr, nullptr, nullptr, nullptr);
    }
    RenderM._Run(nullptr);
  };
  frame();  // on the real driver, once
  TestGLRelease();
  frame();
  __sanitizer_install_malloc_and_free_hooks(OnMalloc, OnFree);
  counting = true;
  for (int i = 0; i < 3; ++i) frame();
  counting = false;
  TestGLMakeCurrent();
  EXPECT_EQ(allocations.load(), 0);
  RenderOwnerEvent = Fgr4_Event;
#endif
}

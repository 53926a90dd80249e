#include "objects/land.h"

#include "objects/frame.h"

tw_Land* pTekLand = nullptr;

namespace {
constexpr int kType = 20;
}  // namespace

void tw_Land::Sbros() {
  owner = nullptr;
  for (int32_t& v : ints) v = 0;
}

void tw_Land::OnEvent(int code, void* a, void*, void*, void*) {
  if (!ObjFrame_Enter(owner, kType, code)) return;
  if (code == EV_IS_ACTIVE) ObjFrame_Common(owner, kType, code, a, nullptr);
}

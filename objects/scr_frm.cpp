#include "objects/scr_frm.h"

#include "core/core.h"
#include "objects/frame.h"
#include "world/world.h"

tw_ScrFrm* pTekScrFrm = nullptr;
tw_ScrFrm* pMainScrFrm = nullptr;

namespace {
constexpr int kType = 4;
}

void tw_ScrFrm::Sbros() {
  owner = nullptr;
  angle = 0.0f;
  for (int32_t& v : ints) v = 0;
  for (float& v : floats) v = 0.0f;
}

void tw_ScrFrm::FonC(float r, float g, float b) {
  floats[1] = r;
  floats[2] = g;
  floats[3] = b;
}

void tw_ScrFrm::AddToFile(FILE* f) {
  if (!f) return;
  owner->AddToFile(f);
  FloWrite(angle, f);
  IntWriteMem(&ints[0], &ints[3], f, 300);
  FloWriteMem(&floats[0], &floats[4], f, 300);
}

void tw_ScrFrm::FromFile(FILE* f) {
  if (!f) return;
  owner->FromFile(f);
  FloRead(angle, f);
  IntReadToMem(&ints[0], &ints[3], f, 300);
  FloReadToMem(&floats[0], &floats[4], f, 300);
}

void tw_ScrFrm::OnEvent(int code, void* a, void* b, void* c, void* d) {
  (void)d;
  if (!ObjFrame_Enter(owner, kType, code)) return;
  if (code == EV_CREATE) angle = 1.0f;
  if ((code == EV_SAVE || code == EV_LOAD) && a) {
    FILE* f = *static_cast<FILE**>(a);
    if (code == EV_SAVE) AddToFile(f);
    else FromFile(f);
  }
  ObjFrame_Common(owner, kType, code, a, b);
  if (ObjFrame_WantsCurrent(code, b, c)) pTekScrFrm = this;
}

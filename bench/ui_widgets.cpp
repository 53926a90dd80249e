// The widgets' per-frame and per-key work: the 100 display lines the open
// settings overlay builds every frame, the pointer step of its two lists, and
// the text editor's page parse and one typed character in a large text.
#include <benchmark/benchmark.h>

#include <string>

#include "core/core.h"
#include "shell/shell.h"
#include "ui/ui.h"

namespace {

void Ready() {
  static bool done = false;
  if (done) return;
  done = true;
  org2_Init();
  orgF_Init();
  LoadGeneral_InitTBufs();
  Ekran.W = 1024;
  Ekran.H = 768;
  gOrgAllMenuInit();
  gOrgAllUp();
}

// A text of n lines of about 60 letters with comments, strings and numbers.
void FillText(ByteLenta& b, int lines) {
  std::string text;
  for (int i = 0; i < lines; ++i)
    text += "value_" + std::to_string(i) + " = \"name\" + " + std::to_string(i * 7) + ";  // line comment\r\n";
  b.Sbros();
  b.MAlloc(static_cast<int>(text.size()), 1);
  for (size_t i = 0; i < text.size(); ++i) b.data[i] = static_cast<unsigned char>(text[i]);
}

void OpenEditor(int lines) {
  Ready();
  FillText(masBL[0], lines);
  masPole1[0].ReInit(300, 300, 500, 392, 105);
  masPole1[0].SetBLenta(&masBL[0]);
}

void BM_OverlayPageLines(benchmark::State& state) {
  Ready();
  gOrg2_PartFr0 = 1;
  gOrgF_PartFr0 = 6;
  int shown = 0;
  for (auto _ : state) {
    shown = 0;
    for (int l = 1; l <= 50; ++l) {
      int kind = -1, ro = 0;
      org2_TBuf00Set(gOrg2_PartFr0 * 50 + l, kind, ro);
      shown += kind != -1;
      kind = -1;
      orgF_TBuf00Set(gOrgF_PartFr0 * 50 + l, kind, ro);
      shown += kind != -1;
    }
    benchmark::DoNotOptimize(shown);
  }
  state.counters["lines_shown"] = shown;
}
BENCHMARK(BM_OverlayPageLines);

void BM_OverlayListsStep(benchmark::State& state) {
  Ready();
  int hits = 0;
  for (auto _ : state) {
    gMX = 60;
    gMY = 400;
    hits = org2_li9._Exe2(nullptr, 0) + orgF_li10._Exe2(nullptr, 0);
    benchmark::DoNotOptimize(hits);
  }
  state.counters["lists_hit"] = hits;
}
BENCHMARK(BM_OverlayListsStep);

// The page parse of a 10,000-line text (450 KB) scrolled near its end.
void BM_TextPageParse(benchmark::State& state) {
  OpenEditor(10000);
  tLinesTxt2& p = masPole1[0];
  for (auto _ : state) {
    p.firstLine = 9950;
    p.NewTextFromLenta();
    benchmark::DoNotOptimize(p.lineKind[0]);
  }
  state.counters["page_lines"] = p.page;
}
BENCHMARK(BM_TextPageParse);

// One typed letter and one backspace in a 1,000-line text (45 KB), each
// with the line recount and the page parse that follow a key.
void BM_TextTypeAndBack(benchmark::State& state) {
  OpenEditor(1000);
  tLinesTxt2& p = masPole1[0];
  p.karet = 100;
  for (auto _ : state) {
    a101::PoleText_InputChar('x');
    a101::PoleText_InputChar(8);
    benchmark::DoNotOptimize(p.karet);
  }
  state.counters["text_bytes"] = masBL[0].size;
}
BENCHMARK(BM_TextTypeAndBack);

}  // namespace

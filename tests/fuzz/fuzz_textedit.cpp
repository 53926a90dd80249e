// The text editor on arbitrary files and arbitrary key and pointer sequences.
// The input is a 16-bit text length, the text (written to a file and opened
// as the menu's open command does) and a script of frames: each frame the
// pointer step runs, then one key action as the menu's text-field keys or
// the window procedure's characters perform it. After every frame the text
// and the editor must still agree: the text is never empty, the caret lies in
// it and never between a CR and its LF, the line count is the text's, every
// visible line starts inside the text, and the window stays on screen.
// Every input starts with the editor closed and new, no text, new system
// texts and the program's values as at start-up.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/core.h"
#include "shell/shell.h"
#include "tests/fuzz/fuzz_fresh.h"
#include "tests/fuzz/fuzz_script.h"
#include "tests/fuzz/scratch.h"
#include "ui/ui.h"

namespace {

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

void CheckEditor() {
  const tLinesTxt2& p = masPole1[0];
  const ByteLenta& b = masBL[0];
  if (!p.bl) return;
  Check(b.data && b.size >= 1);
  Check(p.karet >= 0 && p.karet < b.size);
  Check(!(p.karet > 0 && b.data[p.karet - 1] == 13 && b.data[p.karet] == 10));
  Check(p.totalLines == b.CountEOL(1));
  Check(p.firstLine >= 0);
  if (!p.gru) return;
  Check(p.page >= 1 && p.page < p.capacity);
  for (int i = 0; i < p.capacity; ++i) {
    Check(p.lineStart[i] == -1 || (p.lineStart[i] >= 0 && p.lineStart[i] < b.size));
    Check(p.lineKind[i] == -1 || p.lineKind[i] == 1);
    Check(gr_TBuf[p.gru][i].Letters() <= orgT_TBuf_::kCap);
  }
  Check(p.x >= 5 && p.x <= Ekran.W - 5 && p.y >= 5 && p.y <= Ekran.H - 5);
  Check(p.w >= 80 && p.w <= Ekran.W - 10 && p.h >= 84 && p.h <= Ekran.H - 10);
}

// One of the menu's text-field keys, then the page is rebuilt as it does.
void FieldKey(tLinesTxt2& p, int key, FuzzScript& s) {
  switch (key) {
    case 0: p.JumpKaretLine(-1); break;
    case 1: p.JumpKaretLine(1); break;
    case 2: p.MoveKaretka(-1); break;
    case 3: p.MoveKaretka(1); break;
    case 4: p.BL_Del_Kmd(); break;
    case 5: p.MoveKaretHome(1); break;
    case 6: p.MoveKaretEnd(); break;
    case 7: p.TextNextPage(); break;
    case 8: p.TextPrevPage(); break;
    case 9: p.firstLine += s.Small() > 0 ? 1 : -1; break;  // Ctrl with the up and down keys
    default: p.MoveKaretHome(0); break;
  }
  p.Tram11();
  p.NewTextFromLenta();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 2) return 0;
  FuzzEnterScratch();
  FuzzFreshGlobals();
  if (!FuzzFreshTextGroup0(95)) return 0;
  masPole1[0].Sbros(1);
  FuzzRemake(masPole1[0]);
  masBL[0].Sbros();
  glob_PoleTextActive = 0;
  Ekran.W = 800;
  Ekran.H = 600;
  size_t textLen = static_cast<size_t>(data[0] | data[1] << 8);
  if (textLen > size - 2) textLen = size - 2;
  FuzzWrite("f.txt", std::string(reinterpret_cast<const char*>(data + 2), textLen));
  GlobalFileName00.Set("f.txt");
  Test_Pole2_OpenFile();
  tLinesTxt2& p = masPole1[0];
  CheckEditor();
  FuzzScript s{data + 2 + textLen, size - 2 - textLen};
  for (int frame = 0; s.n && frame < 4000; ++frame) {
    glob_PoleTextActive = 0;
    uint8_t op = s.Byte();
    int mx = op & 0x80 ? s.Coord() : 400, my = op & 0x80 ? s.Coord() : 300;
    int pressed = op & 0x40 ? 1 : 0;
    p.KursorIn(mx, my, pressed, op & 0x20 ? 1 : pressed);
    switch (op & 0x1F) {
      case 0: case 1: case 2: case 3: case 4: case 5: case 6: case 7: {
        unsigned c = s.Byte();
        if (op & 4) c = (op & 2) ? 13u : ((op & 1) ? 8u : 9u);  // the editing keys more often
        if (glob_PoleTextActive) a101::PoleText_InputChar(c);
        break;
      }
      default:
        if (p.gru) FieldKey(p, (op & 0x1F) - 8, s);
        break;
    }
    CheckEditor();
  }
  p.Sbros(1);
  masBL[0].Sbros();
  return 0;
}

// The one handler of every panel line click: the menu, the game and editor
// panels, the building list, the editor-object list and the two settings
// overlay lists hand it the clicked line's command id.
#include "core/core.h"
#include "modes/front.h"
#include "modes/mapgen.h"
#include "modes/soundglue.h"
#include "modes/steps.h"
#include "objects/objects.h"
#include "platform/platform.h"
#include "render/render.h"
#include "shell/shell.h"
#include "ui/ui.h"
#include "world/world.h"

namespace {

constexpr int kFirstId = 101, kLastId = 563;
constexpr int kPixBufSide = 512;
const char* const kLandFile = "tmp-land";
const char* const kHeightMap = "testHMap.tga";
// Message-base texts: the caption "Error" and what a failed terrain file line
// says (a failed save over an old file, one with none, a failed load).
constexpr int kMsgError = 5, kMsgSaveLandFailed = 208, kMsgLoadLandFailed = 209, kMsgSaveLandFailedNoOld = 210;

// Ids without an action of their own and without a line of any list.
bool Unassigned(int id) {
  static const int kRanges[][2] = {{131, 140}, {162, 180}, {202, 212}, {234, 252}, {284, 303},
                                   {335, 354}, {384, 405}, {431, 456}, {508, 512}};
  for (const auto& r : kRanges)
    if (id >= r[0] && id <= r[1]) return true;
  return false;
}

void LogUnassigned(int id) {
  static bool logged = false;
  if (logged) return;
  logged = true;
  LogInfo("\n Error LinCase (no case for nom): %d\n", id);
}

// The ground-light map steps through off, copy way and texture way.
void StepPixBufLand() {
  int& v = *o2::SveKvadTex4;
  v = v >= 2 || v < 0 ? 0 : v + 1;
  if (v == 1) {
    SveKvad_PixBufMtdTex_Kill();
    SveKvad_PixBufMtdCopy_Rise(kPixBufSide, kPixBufSide);
  } else if (v == 2) {
    SveKvad_PixBufMtdCopy_Kill();
    SveKvad_PixBufMtdTex_Rise(kPixBufSide, kPixBufSide);
  }
}

// Kills every selected object; the selection then holds nothing.
void KillSelected() {
  const int n = PlayerSelected_Now < kPlayerSelectedLast ? PlayerSelected_Now : kPlayerSelectedLast;
  for (int i = 1; i <= n; ++i)
    if (PlayerSelected_[i]) PlayerSelected_[i]->Kill(1);
  PlayerSelectedReset();
}

// A terrain file line that failed tells the player so; the log says why.
void LandFileResult(int ok, int failMsg) {
  if (!ok) MessageBoxA(nullptr, MsgBase(failMsg), MsgBase(kMsgError), MB_OK | MB_ICONEXCLAMATION);
}

// Save Land: the failure box says that the old file is kept only when one
// stood at the name before the save, by the rule of the safe write's log line.
void SaveLand() {
  const bool hadOld = sysNameTaken(kLandFile);
  LandFileResult(Plit_Save(kLandFile), hadOld ? kMsgSaveLandFailed : kMsgSaveLandFailedNoOld);
}

void EditProperty(int id) {
  if (PlayerSelected_Now <= 0 || !PlayerSelected_[1]) return;
  int number = gEdFgr_PartFr0 * gEdFgr_DynLines + (id - 410);
  int side = 0;
  gEdFgr_GetSpe(side);
  PlayerSelected_[1]->Event(44, &number, &side);
}

}  // namespace

void LinCases::Cases(int id) {
  if (id < kFirstId || id > kLastId || Unassigned(id)) {
    LogUnassigned(id);
    return;
  }
  if (gOrgAll_LinCase(id)) return;
  if (id >= 214 && id <= 218) {
    Camp_DoTehn(id - 213, PlayerBanerID);
    return;
  }
  if (id >= 411 && id <= 430) {
    EditProperty(id);
    return;
  }
  switch (id) {
    case 101: SwapIntFlg(*o2::EngText); break;
    case 103:
      if (*o2::EtapOK) Root_IPPI.Set_ChangeTo(4);
      break;
    case 112:
      if (OpenFileDlg()) Test_Pole2_OpenFile();
      break;
    case 114:
      if (*o2::EtapOK) Root_IPPI.Set_ChangeTo(5);
      break;
    case 115: MapGen02(); break;
    case 116: *o2::NeedExit = 1; break;
    case 142: NewUnit(3, PlayerBanerID); break;
    case 143: NewEnergyBuilding(PlayerBanerID); break;
    case 144: FgrHld.AddWrk(17, 0, 0); break;
    case 145: NewUnit(2, PlayerBanerID); break;
    case 147: NewUnit(3, PlayerBanerID + 1); break;
    case 148: FgrHld.AddWrk(8, 1, 1); break;
    case 149: FgrHld.AddWrk(8, 3, 1); break;
    case 150: NewUnit(2, PlayerBanerID + 1); break;
    case 152: SwapIntFlg(*o2::TestDrawBars); break;
    case 153: StepPixBufLand(); break;
    case 155: KillSelected(); break;
    case 157: PlitHold.InitHMap(kHeightMap); break;
    case 182: SaveLand(); break;
    case 183: LandFileResult(Plit_Load(kLandFile), kMsgLoadLandFailed); break;
    case 185: *o2::PlitBrushSize = *o2::PlitBrushSize == 3 ? 1 : 3; break;
    case 223: TestFly_FromBunker(PlayerBanerID); break;
    case 409: gEdFgr_PartFr0_UpKlik(); break;
    default: break;  // lines without an action
  }
}

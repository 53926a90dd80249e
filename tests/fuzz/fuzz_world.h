// A fresh world for every fuzz input, so that no input leaves anything for
// the next: new pools and a new, empty holder of 11,500 slots, and nothing
// left that points into the old ones or remembers what the last input's
// objects did (current and remembered objects, the selection, the per-frame
// unit lists, queues and lights, the walkability grids, the crater ring, the
// units' shared gun swing and the posts' shared sprite turn, the last results
// of the shared helpers, and what fuzz_fresh.h puts back).
#pragma once

#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/core.h"
#include "objects/objects.h"
#include "render/render.h"
#include "tests/common/lists_lap.h"
#include "tests/fuzz/fuzz_fresh.h"
#include "world/world.h"

// The start of a frame's lap as the game mode makes it: the unit lists, the
// render queues, the sprite arrays and the light lists emptied.
inline void FuzzStartLap() {
  UnitListsStartLap();
  RenderM._ResetOnStartNewLap();
  MSpr_TekV = 0;
  NowIn_masSvetik = 0;
  NowIn_masLandSvetik = 0;
}

// A pool made anew where it stands, the search back at slot 1: each body
// built again on zeroed bytes, as on the fresh pages of the pool's first
// allocation. A body whose bytes are still those it was left with when it
// was last built is that new body already, and is kept: most bodies are
// never handed out, and building them all again would cost each input far
// more than the input's own work.
template <class T>
void FuzzRemakePool(tm_Nab<T>& pool) {
  static std::vector<unsigned char> built;  // the bodies' bytes as last built
  static const T* of = nullptr;             // the bodies they are of
  const size_t size = sizeof(T), bytes = size * static_cast<size_t>(pool.count);
  unsigned char* all = reinterpret_cast<unsigned char*>(pool.bodies);
  const bool known = of == pool.bodies && built.size() == bytes;
  pool.cursor = 1;
  if (known && std::memcmp(all, built.data(), bytes) == 0) return;
  built.resize(bytes);
  for (size_t at = 0; at < bytes; at += size) {
    if (known && std::memcmp(all + at, built.data() + at, size) == 0) continue;
    FuzzRemake(*reinterpret_cast<T*>(all + at));
    std::memcpy(built.data() + at, all + at, size);
  }
  of = pool.bodies;
}

// New pools and a new, empty holder, as at start-up before the object base
// is loaded.
inline void FuzzFreshWorld() {
  FgrHld.Sbros();
  FgrHld.firstScrFrm = -1;
  if (!Fgr4W.Unit.bodies && !Fgr4W.KonfigAll(nullptr)) std::abort();
#define FUZZ_REMAKE_POOL(code, Name, capacity) FuzzRemakePool(Fgr4W.Name);
  VELMAR_OBJECT_TYPES(FUZZ_REMAKE_POOL)
#undef FUZZ_REMAKE_POOL
  if (!FgrHld.Init0(11500)) std::abort();
  pMainScrFrm = nullptr;
#define FUZZ_NO_CURRENT(code, Name, capacity) pTek##Name = nullptr;
  VELMAR_OBJECT_TYPES(FUZZ_NO_CURRENT)
#undef FUZZ_NO_CURRENT
  pGameFotik = pPultFotik = pTopFotik = pSoloFotik = nullptr;
  pSunFlr2 = nullptr;
  p1FgrKomPult = p2FgrKomPult = nullptr;
  p1KomPult = p2KomPult = nullptr;
  globKredi = globTopli = 0;
  PlayerSelectedReset();
  PlayerSelected_[0] = nullptr;
  PlayerSelected_Conv = nullptr;
  Fgr4_Event_LastCallToDeadFgr = 0;
  walkabil_Init();
  masSnarBoomLand_Sbros();
  for (t_Svet& l : masSvetik) FuzzRemake(l);
  for (t_SvetLand& l : masLandSvetik) FuzzRemake(l);
  FuzzStartLap();
  tw_Unit::turretSwing = 0;
  tw_Stolb::rot1 = 0.0f;
  ResLastClimbSign = 0;
  Distan1_LastRes = 0;
  AStExpansions = 0;
  FuzzFreshGlobals();
}

// The same with the two screen frames of a new object base, "Game" the main
// one.
inline void FuzzFreshWorldWithBase() {
  FuzzFreshWorld();
  FgrHld.InitBase();
  SetMainScrFrm(pMainScrFrm);
}

// Ends the run with a line naming the promise that an accepted input broke.
[[noreturn]] inline void FuzzBroken(const char* promise) {
  std::fprintf(stderr, "accepted input breaks a promise: %s\n", promise);
  std::abort();
}

// What every object read from a file promises, for the handles `loaded`:
// none owns a screen frame or the terrain holder, and no link of any field
// reaches an empty slot, so that nothing made there later is reached: each
// record saves the same whether or not the empty slots hold objects.
inline void FuzzLoadedPromises(const std::vector<Fgr4*>& loaded) {
  for (Fgr4* h : loaded)
    for (const Fgr4Rea& l : h->trigs)
      if (l.kind == 1 && l.target && Fgr4_OutlivesLevels(l.target->WrkNom()))
        FuzzBroken("an owned link to a screen frame or the terrain holder");
  auto saved = [&] {
    std::vector<std::vector<unsigned char>> all;
    for (Fgr4* h : loaded) {
      FILE* f = std::tmpfile();
      if (!f) std::abort();
      FILE* pf = f;
      h->Event(EV_SAVE, &pf);
      std::vector<unsigned char> b(static_cast<size_t>(std::ftell(f)));
      std::rewind(f);
      if (std::fread(b.data(), 1, b.size(), f) != b.size()) std::abort();
      std::fclose(f);
      all.push_back(std::move(b));
    }
    return all;
  };
  // A stand-in body in every empty slot: a link's slot number is written
  // for a live target only. The empty slots are filled for the first save,
  // which sees every link as live and so empties none.
  static unsigned char standIn[64];
  std::vector<int> empty;
  for (int s = 1; s < FgrHld.klv; ++s)
    if (!FgrHld.fgrs[s].body) {
      empty.push_back(s);
      FgrHld.fgrs[s].body = standIn;
    }
  const auto filled = saved();
  for (int s : empty) FgrHld.fgrs[s].body = nullptr;
  if (saved() != filled) FuzzBroken("a link, in some field, reaches a slot that holds no object of the file");
}

// The ranges that numbers from the weapon and unit tables and from object
// records are held to where they come in. Every sum, tile, cell or pixel
// coordinate and light radius the objects and the views make of them then
// stays far inside the int range: a unit at its top speed needs months to
// leave the reach of the minimap's pixel coordinates.
#pragma once

#include <cstdint>

#include "core/core.h"
#include "world/mbase1.h"
#include "world/plit.h"

namespace held {

// Speeds, units per second (the world crossed in four seconds), and a unit's
// acceleration, speed gained per millisecond.
constexpr float kSpeedMax = 1000.0f;
constexpr float kAccelMax = 10.0f;
// A unit's radius, world units.
constexpr int32_t kRadiusMax = 400;
// Reaches (sight and weapon ranges): twice the world's side (more than its
// diagonal), in tiles and in world units.
constexpr int32_t kReachTiles = 2 * kPlitSide;
constexpr int32_t kReach = kReachTiles * static_cast<int32_t>(kPlitEdge);
// A price in credits or fuel, and a command post's balances either way.
constexpr int32_t kPriceMax = 1000000;
constexpr int32_t kBalanceMax = 1000000000;
// A position, on each axis either way.
constexpr float kPosMax = 1.0e6f;

// A position brought within kPosMax on each axis.
inline void Pos(vec3& p) {
  for (float* v : {&p.x, &p.y, &p.z}) zn::Tram(*v, -kPosMax, kPosMax);
}

// A placement's position and the zone it is kept in (which would put it
// there) brought within kPosMax.
inline void Place(t_MBase1& m) {
  Pos(m.pos);
  for (float* v : {&m.zoneMinX, &m.zoneMaxX, &m.zoneMinZ, &m.zoneMaxZ}) zn::Tram(*v, -kPosMax, kPosMax);
}

}  // namespace held

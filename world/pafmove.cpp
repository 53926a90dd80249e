#include "world/pafmove.h"

#include <algorithm>
#include <cstring>

#include "ui/ui.h"
#include "world/astar.h"
#include "world/objectsglue.h"

t_PafMove1::t_PafMove1()
    : wayPoint(0.0f), vec2nd(0.0f), w0(0), onPath(0), step(0), count(0), wait(0),
      state(0), zanX(-1), zanZ(-1), krutPov(0), w9(0), cutTail(0) {
  std::memset(kle, 0, sizeof kle);
}

void t_PafMove1::PathStop() {
  onPath = 0;
  state = 0;
}

void t_PafMove1::coordFromOfsKle(int k, vec3& v) const {
  if (!kleOfsOK(k)) return;
  v = vec3(kle[k][0] * 20.0f + 10.0f, 0.0f, kle[k][1] * 20.0f + 10.0f);
}

int t_PafMove1::zanOfsKle(int k, int& layer) const {
  if (!kleOfsOK(k) || onPath == 0) return 1;
  return AStUnWalkable(layer, kle[k][0], kle[k][1]);
}

void t_PafMove1::remMoveZanKle(int k) {
  if (onPath == 0 || !kleOfsOK(k)) {
    zanX = zanZ = -1;
    return;
  }
  zanX = kle[k][0];
  zanZ = kle[k][1];
}

int t_PafMove1::remMoveZanKle_isBlokin(int& layer) {
  if (zanX < 0 || zanZ < 0) return 1;
  int r = AStUnWalkable(layer, zanX, zanZ);
  if (r == 0) zanX = zanZ = -1;
  return r;
}

int t_PafMove1::KrutPovOnPath(int a, int b, int c) const {
  if (c > count - 1) return 0;
  if (!kleOfsOK(a) || !kleOfsOK(b) || !kleOfsOK(c)) return 0;
  return (kle[a][0] == kle[b][0] && kle[b][1] == kle[c][1]) ||
         (kle[a][1] == kle[b][1] && kle[b][0] == kle[c][0]);
}

void t_PafMove1::RePath(int force, int sx, int sz, int tx, int tz, int layer) {
  state = 0;
  int r = FindPath(layer, 0, sx, sz, tx, tz);
  pathStatus[0] = r;
  if (onPath != 0 && r != found) {
    count = std::max(count - 1, 0);
    cutTail = 0;
    return;
  }
  if (!force && onPath != 0 && count - step == pathLength[0] - 1) return;
  onPath = r;
  if (r != found) {
    PathStop();
    return;
  }
  // The store keeps the first 201 cells; the rest is planned again once
  // they are walked.
  int n = std::min(pathLength[0], kCells);
  for (int k = 0; k < n; ++k) {
    kle[k][0] = static_cast<unsigned char>(pathBank[0][2 * k]);
    kle[k][1] = static_cast<unsigned char>(pathBank[0][2 * k + 1]);
  }
  count = n;
  cutTail = pathLength[0] > kCells;
  step = 1;
  if (n == 0) {  // already in the target cell
    PathStop();
    return;
  }
  coordFromOfsKle(0, wayPoint);
}

int t_PafMove1::RootBreak(int sx, int sz, int tx, int tz, int layer, int waitMs) {
  if (state == 2) {
    RePath(1, sx, sz, tx, tz, layer);
    return 1;
  }
  if (onPath == 0 || wait != 0) return 1;
  if (remMoveZanKle_isBlokin(layer) == 0) RePath(0, sx, sz, tx, tz, layer);
  if (state != 0 && count == 2 && zanOfsKle(step, layer)) {
    count -= 1;
    return 1;
  }
  if (state == 0 || count < 3) return 0;
  if (zanOfsKle(step - 1, layer)) {
    wait = waitMs;
    remMoveZanKle(step - 1);
  } else {
    RePath(0, sx, sz, tx, tz, layer);
  }
  return 1;
}

void t_PafMove1::OnToch() {
  if (step < count && kleOfsOK(step)) {
    coordFromOfsKle(step, wayPoint);
    step += 1;
    if (KrutPovOnPath(step - 2, step - 1, step)) krutPov = 2;
    else krutPov = std::max(krutPov - 1, 0);
  } else if (onPath != 0 && cutTail) {
    state = 2;  // the stored part is walked: plan the rest from here
    return;
  } else {
    PathStop();
  }
  if (onPath != 0) state = 1;
}

void t_PafMove1::Upd() {
  if (wait < 0) wait = 0;  // a negative wait would never end
  if (wait != 0 && zn::ToZeroi(wait) && onPath != 0) state = 2;
}

void t_PafMove1::DrawMetk(float r, float g, float b) {
  if (*o2::LandPafBoxes == 0 || onPath == 0) return;
  int n = std::clamp(count, 0, kCells);
  int s = step;
  if (wait != 0) globDraw_Path(0.5f, 0.5f, 0.5f, n, s, kle);
  else globDraw_Path(r, g, b, n, s, kle);
}

void t_PafMove1::AddToFile(FILE* f) {
  if (!f) return;
  std::fwrite(kle, 1, sizeof kle, f);
  const float v[6] = {wayPoint.x, wayPoint.y, wayPoint.z, vec2nd.x, vec2nd.y, vec2nd.z};
  for (float x : v) FloWrite(x, f);
  IntWriteMem(&w0, &cutTail, f, 300);
}

void t_PafMove1::FromFile(FILE* f) {
  if (!f) return;
  if (std::fread(kle, 1, sizeof kle, f) != sizeof kle) std::memset(kle, 0, sizeof kle);
  float v[6] = {};
  for (float& x : v) FloRead(x, f);
  wayPoint = vec3(v[0], v[1], v[2]);
  vec2nd = vec3(v[3], v[4], v[5]);
  IntReadToMem(&w0, &cutTail, f, 300);
  // A record is not trusted to stay within the store.
  count = std::clamp(count, 0, kCells);
  step = std::clamp(step, 0, kCells);
  if (wait < 0) wait = 0;
  if (!walkabAdr(zanX, zanZ)) zanX = zanZ = -1;
  if (state < 0 || state > 2) state = 0;
  krutPov = std::clamp(krutPov, 0, 2);
}

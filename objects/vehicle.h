// What the bodies of the wheeled and the tracked vehicle hold alike beyond
// their own members.
#pragma once

#include "render/genmesh.h"

// The three generated-mesh records of a vehicle body. They belong to the
// body's pool slot: copying a body (as the all-or-nothing record read does)
// leaves each body its own records.
struct t_VehMeshes {
  t_MeshRec m[3];

  t_VehMeshes() = default;
  t_VehMeshes(const t_VehMeshes&) {}
  t_VehMeshes& operator=(const t_VehMeshes&) { return *this; }
  void Sbros() {
    for (t_MeshRec& r : m) r.Sbros();
  }
};

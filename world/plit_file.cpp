// Terrain files and the height map. The record has no header: the corner
// colours (RGB), six bytes per tile, then four float heights for every tile
// whose height byte is 0. Its length follows from the tile bytes, so a record
// is checked whole before anything of it is applied: a short, long or
// otherwise unsound record leaves the terrain as it was.
#include "world/plit.h"

#include <cmath>
#include <cstring>
#include <vector>

#include "render/image0.h"
#include "core/safewrite.h"

namespace {

constexpr int kColourBytes = kPlitCorners * 3;
constexpr int kFreeTileBytes = 16;
constexpr size_t kMaxRecord = t_PlitHold::kRecordFixed + static_cast<size_t>(kPlitTiles) * kFreeTileBytes;
// Free heights beyond this are no terrain any editor makes.
constexpr float kMaxFreeHeight = 100000.0f;

int FreeTilesIn(const uint8_t* tiles) {
  int n = 0;
  for (int i = 0; i < kPlitTiles; ++i) n += tiles[i * 6 + 5] == 0;
  return n;
}

float FloatAt(const uint8_t* p) {
  uint32_t bits = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                  static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
  float v;
  std::memcpy(&v, &bits, 4);
  return v;
}

void PutFloat(uint8_t* p, float v) {
  uint32_t bits;
  std::memcpy(&bits, &v, 4);
  for (int k = 0; k < 4; ++k) p[k] = static_cast<uint8_t>(bits >> (8 * k));
}

}  // namespace

// ---------------------------------------------------------------- tiles

void t_Plit1::ToBytes(uint8_t* b) const {
  b[0] = static_cast<uint8_t>(type);
  b[1] = static_cast<uint8_t>(region);
  b[2] = static_cast<uint8_t>(variant);
  b[3] = static_cast<uint8_t>(rotation);
  b[4] = static_cast<uint8_t>(extra);
  b[5] = hmByte;
}

int t_Plit1::AddToFile(FILE* f) const {
  if (!f) return 0;
  uint8_t b[6];
  ToBytes(b);
  return static_cast<int>(std::fwrite(b, 1, 6, f));
}

void t_Plit1::FromBytes(const uint8_t* b) {
  Sbros();
  type = b[0];
  region = b[1];
  variant = b[2];
  rotation = b[3];
  extra = b[4];
  hmByte = b[5];
}

void t_Plit1::FromFile(FILE* f) {
  uint8_t b[6];
  if (f && std::fread(b, 1, 6, f) == 6) FromBytes(b);
}

// ---------------------------------------------------------------- the record

int t_PlitHold::RecordSize() const {
  int free = 0;
  for (const t_Plit1& t : Plit) free += t.hmByte == 0;
  return kRecordFixed + free * kFreeTileBytes;
}

int t_PlitHold::AddToFile(FILE* f) const {
  if (!f) return 0;
  std::vector<uint8_t> rec(static_cast<size_t>(RecordSize()));
  uint8_t* p = rec.data();
  for (const auto& c : Clr) {
    *p++ = c[0];
    *p++ = c[1];
    *p++ = c[2];
  }
  for (const t_Plit1& t : Plit) {
    t.ToBytes(p);
    p += 6;
  }
  for (int i = 0; i < kPlitTiles; ++i) {
    if (Plit[i].hmByte != 0) continue;
    for (int k = 0; k < 4; ++k, p += 4) PutFloat(p, Vrt[4 * i + k].y);
  }
  return std::fwrite(rec.data(), 1, rec.size(), f) == rec.size();
}

int t_PlitHold::FromFile(FILE* f) {
  if (!f) return 0;
  std::vector<uint8_t> rec(kRecordFixed);
  if (std::fread(rec.data(), 1, rec.size(), f) != rec.size()) {
    LogInfo("\n terrain record: cut short in its colours or tiles; terrain unchanged\n");
    return 0;
  }
  size_t heights = static_cast<size_t>(FreeTilesIn(rec.data() + kColourBytes)) * kFreeTileBytes;
  rec.resize(kRecordFixed + heights);
  if (std::fread(rec.data() + kRecordFixed, 1, heights, f) != heights) {
    LogInfo("\n terrain record: cut short in its heights; terrain unchanged\n");
    return 0;
  }
  return FromRecord(rec.data(), rec.size());
}

int t_PlitHold::FromRecord(const uint8_t* data, size_t size) {
  if (!data || size < static_cast<size_t>(kRecordFixed)) {
    LogInfo("\n terrain record: %d bytes, shorter than its fixed part; terrain unchanged\n",
            static_cast<int>(size));
    return 0;
  }
  const uint8_t* tiles = data + kColourBytes;
  const uint8_t* heights = tiles + kPlitTiles * 6;
  size_t want = kRecordFixed + static_cast<size_t>(FreeTilesIn(tiles)) * kFreeTileBytes;
  if (size != want) {
    LogInfo("\n terrain record: %d bytes where its tiles ask for %d; terrain unchanged\n", static_cast<int>(size),
            static_cast<int>(want));
    return 0;
  }
  for (const uint8_t* p = heights; p < data + size; p += 4) {
    float y = FloatAt(p);
    if (!std::isfinite(y) || std::fabs(y) > kMaxFreeHeight) {
      LogInfo("\n terrain record: a free height out of range; terrain unchanged\n");
      return 0;
    }
  }

  PlitXZ_Init();
  reSbrosPafLay();
  const uint8_t* c = data;
  for (auto& clr : Clr) {
    clr[0] = c[0];
    clr[1] = c[1];
    clr[2] = c[2];
    clr[3] = 255;
    c += 3;
  }
  for (int i = 0; i < kPlitTiles; ++i) Plit[i].FromBytes(tiles + i * 6);
  SetHMapByte();
  const uint8_t* h = heights;
  for (int i = 0; i < kPlitTiles; ++i) {
    if (Plit[i].hmByte != 0) continue;
    vec3* v = &Vrt[4 * i];
    for (int k = 0; k < 4; ++k, h += 4) v[k].y = FloatAt(h);
    // The copies of these corners in the neighbours read before.
    if (int n = NearUp8(i); n >= 0) {
      Vrt[4 * n + 1].y = v[0].y;
      Vrt[4 * n + 2].y = v[3].y;
    }
    if (int n = NearUg7(i); n >= 0) Vrt[4 * n + 2].y = v[0].y;
    if (int n = NearLeft4(i); n >= 0) Vrt[4 * n + 3].y = v[0].y;
  }
  for (int i = 0; i < kPlitTiles; ++i) {
    const t_Plit1& t = Plit[i];
    SetUVSlo2(i, t.type, t.variant, t.rotation, 0);
    FindPlatoStatus(i);
  }
  reUpdatePafLay();
  UpdateVBO(1, 1, 1);
  return 1;
}

void t_PlitHold::SetHMapByte() {
  for (int i = 0; i < kPlitTiles; ++i) {
    int b = Plit[i].hmByte;
    if (b == 0) continue;
    float y = (b - 50) / 2.0f;
    PlitSetY_FrHMap(i, y);
    if (y > 25.0f) {
      for (int k = 0; k < 4; ++k) Clr[4 * i + k][0] = Clr[4 * i + k][1] = 0;
      DirtyClr = 1;
    }
  }
}

int t_PlitHold::InitHMap(const std::string& name) {
  Pix_ pic;
  if (!pic.LoadImg(name, "0", 0)) return 0;
  int bytes = pic.bpp / 8;
  if (pic.width != kPlitSide || pic.height != kPlitSide || (bytes != 3 && bytes != 4) || !pic.pixels) {
    LogInfo("\n height map %s: %d x %d, %d bits; a height map is %d x %d, 24 or 32 bits; ignored\n", name.c_str(),
            pic.width, pic.height, static_cast<int>(pic.bpp), kPlitSide, kPlitSide);
    pic.SbrosPix();
    return 0;
  }
  for (int z = 0; z < kPlitSide; ++z) {
    for (int x = 0; x < kPlitSide; ++x) {
      uint8_t b = pic.pixels[(z * kPlitSide + x) * bytes];
      Plit[z * kPlitSide + x].hmByte = b ? b : 1;
    }
  }
  pic.SbrosPix();
  SetHMapByte();
  reUpdatePafLay();
  return 1;
}

// ---------------------------------------------------------------- files

int Plit_AddToFile(FILE* f) { return PlitHold.AddToFile(f); }
int Plit_FromFile(FILE* f) { return PlitHold.FromFile(f); }

int Plit_Save(const std::string& name) {
  t_SafeWrite out;
  if (!out.Open(name, "")) return 0;
  out.Check(PlitHold.AddToFile(out.f) == 1);
  return out.Close();
}

int Plit_Load(const std::string& name) {
  const char* why = nullptr;
  FILE* f = sysOpenRegular(name, &why);
  if (!f) {
    LogInfo("\n Plit_Load(%s): the file is %s; terrain unchanged\n", name.c_str(), why);
    return 0;
  }
  // One byte more than the longest record tells an overlong file apart.
  std::vector<uint8_t> rec(kMaxRecord + 1);
  size_t got = std::fread(rec.data(), 1, rec.size(), f);
  std::fclose(f);
  if (!PlitHold.FromRecord(rec.data(), got)) {
    LogInfo("\n Plit_Load(%s): not a terrain file; terrain unchanged\n", name.c_str());
    return 0;
  }
  return 1;
}

// The model binary block: one group written as one little-endian file and
// read back from a byte stream without parsing text.
#include "render/models.h"

#include <cstdio>

namespace {

constexpr uint32_t kBlockMagic = 0x00235DC2;

// Bytes left in the stream past its cursor.
int64_t Left(const ByteLenta& b) { return static_cast<int64_t>(b.size) - static_cast<int64_t>(b.pos); }

void WriteMarker(FILE* f, uint8_t a, uint8_t b, uint8_t c, uint8_t d) {
  ByteWrite(a, f);
  ByteWrite(b, f);
  ByteWrite(c, f);
  ByteWrite(d, f);
}

// n elements of `bytes` each from p, or zeros when p is null.
void WriteBlock(FILE* f, const void* p, int n, int bytes) {
  if (n <= 0) return;
  if (p) {
    std::fwrite(p, static_cast<size_t>(bytes), static_cast<size_t>(n), f);
    return;
  }
  for (int64_t i = 0; i < static_cast<int64_t>(n) * bytes; ++i) ByteWrite(0, f);
}

// A raw copy of n bytes that must lie wholly in the stream.
bool CopyOut(ByteLenta& b, void* dest, int64_t n) {
  if (n < 0 || n > Left(b)) return false;
  if (n > 0) b.BlokRead(dest, static_cast<int>(n), 1);
  return true;
}

// Fields 1..12 of one mesh record; false on a record the group cannot hold.
bool ReadMesh(ByteLenta& b, int i, int groupVertices, Mesh0& m) {
  constexpr int kFixed = 4 + 4 + 3 * 4 + 4 + 2 + 2 + 16 + 2 + 2 + 4;
  if (Left(b) < kFixed) return false;
  b.IntRead(1);
  if (b.IntRead(1) != i) return false;
  int first = b.IntRead(1), count = b.IntRead(1), triangles = b.IntRead(1);
  m.scalar = b.FloRead(1);
  m.valA = b.ShortRead(1);
  m.faceFlag = b.ShortRead(1);
  for (int16_t& p : m.pairs) p = b.ShortRead(1);
  int layout = b.ShortRead(1);
  int primitive = b.ShortRead(1);
  b.IntRead(1);
  if (first < 0 || count < 0 || static_cast<int64_t>(first) + count > groupVertices) return false;
  if (layout != Mesh0::kIndexed && layout != Mesh0::kExpanded) return false;
  if (triangles < 0 || triangles > kMdlMaxVertices || static_cast<int64_t>(triangles) * 24 + 8 > Left(b))
    return false;
  m.firstV = first;
  m.klvV = count;
  m.klvTri = triangles;
  m.layout = layout;
  m.primitive = primitive;
  if (!m.SetMainMas()) return false;
  const int64_t bytes = static_cast<int64_t>(triangles) * 12;
  if (!CopyOut(b, m.tri, bytes) || !CopyOut(b, m.face, bytes)) return false;
  if (layout == Mesh0::kIndexed) {
    for (int k = 0; k < 3 * triangles; ++k)
      if (m.tri[k] >= static_cast<uint32_t>(groupVertices)) return false;
    m.Ind_TryStartVBO();
  }
  b.IntRead(1);
  b.IntRead(1);
  return true;
}

}  // namespace

int typeMdlGruVBO::SaveBinBlok1(std::string fileName) {
  // Written beside the old block, which stays in place until the new one is whole.
  t_SafeWrite out;
  if (!out.Open(fileName, "")) return 0;
  FILE* f = out.f;
  IntWrite(1, f);
  UIntWrite(kBlockMagic, f);
  IntWrite(klvMesh, f);
  IntWrite(klvV, f);
  for (int i = 0; i < klvMesh && mMesh; ++i) {
    const Mesh0& m = mMesh[i];
    WriteMarker(f, 0x21, 0x21, 0x21, 0x23);
    IntWrite(i, f);
    IntWrite(m.firstV, f);
    IntWrite(m.klvV, f);
    IntWrite(m.klvTri, f);
    FloWrite(m.scalar, f);
    ShortWrite(m.valA, f);
    ShortWrite(m.faceFlag, f);
    for (int16_t p : m.pairs) ShortWrite(p, f);
    ShortWrite(static_cast<short>(m.layout), f);
    ShortWrite(static_cast<short>(m.primitive), f);
    WriteMarker(f, 0x22, 0x22, 0x22, 0x22);
    WriteBlock(f, m.tri, 3 * m.klvTri, 4);
    WriteBlock(f, m.face, 3 * m.klvTri, 4);
    IntWrite(0, f);
    IntWrite(0, f);
  }
  WriteBlock(f, pos, klvV, 12);
  IntWrite(0, f);
  WriteBlock(f, nrm, klvV, 12);
  IntWrite(0, f);
  WriteBlock(f, uv1, klvV, 8);
  IntWrite(0, f);
  WriteBlock(f, uv2, klvV, 8);
  for (int i = 0; i < 6; ++i) IntWrite(3, f);
  if (out.Close()) return 1;
  LogInfo("\n model block %s: not written; the previous one is kept\n", fileName.c_str());
  return 0;
}

// Every copy is bounded by the stream and every mesh range by the group: a
// block shorter than its counts promise, or a mesh that reaches past the
// vertices, is refused.
int typeMdlGruVBO::LoadBinBlok1(ByteLenta* block) {
  if (!block || !mMesh || !pos) return 0;
  ByteLenta& b = *block;
  for (int i = 0; i < klvMesh; ++i)
    if (!ReadMesh(b, i, klvV, mMesh[i])) return 0;
  const int64_t n = klvV;
  if (!CopyOut(b, pos, n * 12)) return 0;
  b.IntRead(1);
  if (!CopyOut(b, nrm, n * 12)) return 0;
  b.IntRead(1);
  if (!CopyOut(b, uv1, n * 8)) return 0;
  b.IntRead(1);
  if (!CopyOut(b, uv2, n * 8)) return 0;
  UpLoadToVBO();
  return 1;
}

int MdlGVBO_SaveGru(int n) {
  if (n < 0 || n >= kMdlGroups) return 0;
  return MdlGVBO[n].SaveBinBlok1("mdl_" + IntToS(n));
}

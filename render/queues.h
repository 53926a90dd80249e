// Render queues: objects queue their 3D drawing during their draw event and
// the render machine empties the queues once per frame. The bucketed queues
// sort each order at add time into a bucket of equal render-state keys, so a
// pass sets its texture state once per bucket. All storage is fixed.
#pragma once

#include <cstdint>

#include "core/core.h"

class Fgr4;
class t_SvetOGL;

// Owner callbacks of the passes go through this function (Fgr4_Event).
typedef void (*t_OwnerEventFn)(Fgr4* owner, int code, void* a, void* b, void* c, void* d);
extern t_OwnerEventFn RenderOwnerEvent;

// The five render-state key values given to TexMat.
struct t_RsKey {
  int16_t k[5];
  void Set(int k0, int k1, int k2, int k3, int k4);
  bool operator==(const t_RsKey& o) const;
};

// Vertex arrays of a multi-draw pass: pointers first; each array comes from
// its pointer when set, else from its buffer name when non-zero, else is off.
struct t_ExtVrt {
  vec3* pos;
  vec3* nrm;
  uint8_t (*rgba)[4];
  vec2* uv[4];
  unsigned bufPos, bufNrm, bufRgba, bufUv[4];
  void Sbros();
};

struct Box01_rec {
  t_RsKey key;
  float cx, cy, cz, hx, hy, hz, r, g, b;
  Box01_rec* next;
  void Sbros() { next = nullptr; }
};

struct Quads1_rec {
  t_RsKey key;
  Fgr4* owner;
  uint16_t param;
  Quads1_rec* next;
  void Sbros();
  static void SetRStates(Quads1_rec* head, int twoD);
};

struct FModels1_rec {
  t_RsKey key;
  int16_t extraKey;
  int16_t group;
  Fgr4* owner;
  uint16_t subId;
  FModels1_rec* next;
  void Sbros();
  static void SetRStates(FModels1_rec* head);
};

struct RStEx1_rec {
  t_RsKey key;
  int16_t secondId;
  int16_t drawMode;
  t_SvetOGL* lights[8];
  Fgr4* owner;
  uint16_t variant;
  RStEx1_rec* next;
  void Sbros();
  static void SetFinPartRenderStates(RStEx1_rec* head);
};

// The storage of a bucketed queue: records 1..Cap (record 0 unused), heads
// 1..Buckets (head 0 unused) and the count. Each bucket is a list through the
// records' next pointers, newest first.
template <typename Rec, int Cap, int Buckets>
class tzkz_Bucketed {
 public:
  static constexpr int kCap = Cap, kBuckets = Buckets;
  tzkz_Bucketed() : count(0) {
    for (Rec& r : recs) r.Sbros();
    for (Rec*& h : heads) h = nullptr;
  }
  void Reset() {
    for (int i = 1; i <= count; ++i) recs[i].Sbros();
    count = 0;
    for (Rec*& h : heads) h = nullptr;
  }
  int gNow() const { return count; }
  void Adv(int bucket, int rec) {
    recs[rec].next = heads[bucket];
    heads[bucket] = &recs[rec];
  }
  const Rec* Head(int bucket) const { return heads[bucket]; }

 protected:
  // Takes the next record (the caller has tested the capacity).
  Rec& Take() { return recs[++count]; }
  // Links the newest record into the first bucket whose head accepts it, else
  // into the first empty bucket; 0 when every bucket holds another key (the
  // record stays counted and is never drawn).
  template <typename Same>
  int Place(Same same) {
    int bucket = 0;
    for (int b = 1; b <= Buckets && !bucket; ++b)
      if (heads[b] && same(heads[b])) bucket = b;
    for (int b = 1; b <= Buckets && !bucket; ++b)
      if (!heads[b]) bucket = b;
    if (!bucket) return 0;
    Adv(bucket, count);
    return 1;
  }
  Rec recs[Cap + 1];
  Rec* heads[Buckets + 1];
  int count;
};

class tzkz_Box01 : public tzkz_Bucketed<Box01_rec, 400, 50> {
 public:
  int Add(float cx, float cy, float cz, float hx, float hy, float hz, float r, float g, float b, int k0, int k1,
          int k2, int k3, int k4);
  void Run();
  bool zkzFilterSame(const Box01_rec* head, const t_RsKey& key) const;
};

class tzkz_Quads : public tzkz_Bucketed<Quads1_rec, 2500, 18> {
 public:
  tzkz_Quads() : enable(1) {}
  int Add(Fgr4* owner, uint16_t param, int k0, int k1, int k2, int k3, int k4);
  void Run(int twoD);
  bool zkzFilterSame(const Quads1_rec* head, const t_RsKey& key) const;
  int enable;  // 0 refuses every order; reloaded by the render machine
};

class tzkz_FModels : public tzkz_Bucketed<FModels1_rec, 2000, 50> {
 public:
  int Add(Fgr4* owner, uint16_t subId, int group, int extraKey, int k0, int k1, int k2, int k3, int k4);
  void Run(int ram);
  bool zkzFilterSame(const FModels1_rec* head, int group, int extraKey, const t_RsKey& key) const;
};

class tzkz_R1R2 : public tzkz_Bucketed<RStEx1_rec, 2000, 50> {
 public:
  int Add(int drawMode, int secondId, int k0, int k1, int k2, int k3, int k4, Fgr4* owner, uint16_t variant,
          t_SvetOGL* l0, t_SvetOGL* l1, t_SvetOGL* l2, t_SvetOGL* l3, t_SvetOGL* l4, t_SvetOGL* l5,
          t_SvetOGL* l6, t_SvetOGL* l7);
  void Run(unsigned primitive, t_ExtVrt* arrays);
  bool zkzFilterSame(const RStEx1_rec* head, const RStEx1_rec& rec);
  bool zkzFSv(const RStEx1_rec* head, t_SvetOGL* light);

 private:
  int freeLights = 0;
};

class tzkz_Lines1 {
 public:
  static constexpr int kCap = 16000;
  tzkz_Lines1() : count(0) {}
  void Reset() { count = 0; }
  int gNow() const { return count; }
  // One segment with a colour at each end; refused past the capacity.
  int Add(vec3 a, vec3 b, uint8_t ra, uint8_t ga, uint8_t ba, uint8_t aa, uint8_t rb, uint8_t gb, uint8_t bb,
          uint8_t ab);
  int AddBoxRam(vec3 centre, vec3 half, uint8_t r, uint8_t g, uint8_t b, uint8_t a);
  int AddSpikeRam(vec3 centre, vec3 half, uint8_t r, uint8_t g, uint8_t b, uint8_t a);
  void Run();

 private:
  vec3 pos[kCap];
  uint8_t rgba[kCap][4];
  int count;
};

class tzkz_Wires1 {
 public:
  static constexpr int kCap = 5100;
  tzkz_Wires1() : count(0) {}
  void Reset() { count = 0; }
  int gNow() const { return count; }
  int AddChain(vec3* points, uint8_t (*colours)[4], int n, uint8_t r, uint8_t g, uint8_t b, uint8_t a);
  void Run();

 private:
  void Put(vec3 p, const uint8_t* c);
  vec3 pos[kCap];
  uint8_t rgba[kCap][4];
  int count;
};

void RM_AlfMask_Begin(float threshold, int noCull);
void RM_AlfMask_End();
void gl_UniMultiDraw(t_ExtVrt* arrays, int drawMode, unsigned primitive, int n);

// Per-pass arrays of the multi-draw queues.
constexpr int kMultiDrawMax = 9500;
extern int tmpPrimF[kMultiDrawMax];
extern int tmpPrimC[kMultiDrawMax];
extern const void* indSbr[kMultiDrawMax];

// The type part of an object's record in the object base, written and read by
// one description per type (a member template Record(io) that names the values
// in file order), so that writer and reader cannot drift apart.
//
// Reading is all or nothing: the values go into a copy of the body, and only a
// record read whole whose values pass the type's checks replaces the body. A
// refused record is logged and frees the body's slot; the holder then sees the
// load fail and keeps nothing of the object.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "core/core.h"

class Fgr4;
class t_MBase1;
class t_PafMove1;

// Runs of at most this many values (the object base's limit).
constexpr int kRecRunMax = 300;

// A run of n 32-bit members of T, from `first` to `last`, lies without gaps.
#define OBJ_RECORD_RUN(T, first, last, n) \
  static_assert(offsetof(T, last) - offsetof(T, first) == ((n) - 1) * 4, #T ": " #first ".." #last " is one run")

class t_RecWrite {
 public:
  explicit t_RecWrite(FILE* f) : f_(f) {}
  void Int(int32_t& v) { bytes_ += IntWrite(v, f_); }
  void Flo(float& v) { bytes_ += FloWrite(v, f_); }
  void Dbl(double& v) { bytes_ += FloWrite(static_cast<float>(v), f_); }  // narrowed to a float
  void Vec(vec3& v);
  void Ints(int32_t* first, int32_t* last);
  void Flos(float* first, float* last);
  void Link(Fgr4*& link);  // its level slot number, 0 for none
  void Place(t_MBase1& m);
  void Paf(t_PafMove1& p);  // a mover's path
  void Check(bool) {}
  int Bytes() const { return bytes_; }

 private:
  FILE* f_;
  int bytes_ = 0;
};

class t_RecRead {
 public:
  explicit t_RecRead(FILE* f) : f_(f) {}
  // Floats must be finite; a value that cannot be read whole fails the record.
  void Int(int32_t& v) { ok_ = ok_ && IntRead(v, f_); }
  void Flo(float& v);
  void Dbl(double& v);  // widened from a float
  void Vec(vec3& v);
  void Ints(int32_t* first, int32_t* last);
  void Flos(float* first, float* last);
  // 0 none, else a slot of the holder; the link is null where the slot
  // holds nothing the file may reach.
  void Link(Fgr4*& link);
  // A placement whose floats are all finite; its position and zone are
  // held within held::kPosMax.
  void Place(t_MBase1& m);
  // A mover's path, read whole, its points finite.
  void Paf(t_PafMove1& p);
  // A condition the values read must meet.
  void Check(bool c) { ok_ = ok_ && c; }
  bool Ok() const { return ok_; }

 private:
  FILE* f_;
  bool ok_ = true;
};

// Writes the handle part and then the type part of a body; `part` is the
// piece of the body that describes its record (the body itself, or a member
// when the body holds things that cannot be copied).
template <class T, class Part>
int ObjRecord_SavePart(T& body, Part& part, FILE* f) {
  if (!f || !body.owner) return 0;
  int bytes = body.owner->AddToFile(f);
  t_RecWrite out(f);
  part.Record(out);
  return bytes + out.Bytes();
}

template <class T>
int ObjRecord_Save(T& body, FILE* f) {
  return ObjRecord_SavePart(body, body, f);
}

// Logs a refused record and frees the body's slot.
void ObjRecord_Refused(const char* typeName, Fgr4* owner);

// Reads the handle part and then the type part of a body, all or nothing:
// 1 when the record was taken (or there was no file), 0 when it was refused
// and the body's slot freed. A body taken holds no sound channel.
template <class T, class Part>
int ObjRecord_LoadPart(T& body, Part& part, FILE* f, const char* typeName) {
  if (!f || !body.owner) return 1;
  body.owner->FromFile(f);
  Part copy = part;
  t_RecRead in(f);
  copy.Record(in);
  if (!in.Ok()) {
    ObjRecord_Refused(typeName, body.owner);
    body.Sbros();
    return 0;
  }
  // A sound channel named by the record was the saving run's.
  if constexpr (requires { copy.soundChannel; }) copy.soundChannel = -1;
  part = copy;
  return 1;
}

template <class T>
int ObjRecord_Load(T& body, FILE* f, const char* typeName) {
  return ObjRecord_LoadPart(body, body, f, typeName);
}

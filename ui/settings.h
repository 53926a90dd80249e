// The settings registry: every tuning value, switch and run-time status value of
// the program lives in one of two fixed tables, org2n (integers) and orgFn
// (floats), addressed by id. Code reads and writes a named setting through its
// constant reference: *o2::NeedExit = 1 writes org2n[3].
#pragma once

#include <istream>
#include <string>

#include "ui/org_names.h"  // generated: o2::, o3::, name, read-only and clamp tables

void org2_Init();  // every int setting := 0
void orgF_Init();  // every float setting := 0

// 1 when the int (float) setting id is read-only or outside 1..436 (1..406).
int org2_ReadOut(int id);
int orgF_ReadOut(int id);

// Applies the editor clamp of that setting, if it has one.
void org2_PrrInt(int id);
void orgF_PrrFlo(int id);

int org2n_EngText();
int org2n_UseQueryPF();
int SavePersonSet(const char* text);

// Loading: the text files (two passes, the second wins) and the binary cache.
// orgUniStaZnaFrFiles: 1 when the text files were read (the cache is then
// rewritten), else the result of reading the cache. orgReadRecForInit reads one
// record after its opening "//==" line (1 when it stored a value, -1 when a
// value could not be read and the record was skipped). orgUniStaZnaSaveBin:
// 1 when the cache was written, else 0 with the previous cache kept.
int orgUniStaZnaFrFiles(std::string path);
int orgReadRecForInit(std::istream& in, std::string& line);
int orgUniStaZnaSaveBin();
int orgUniStaZnaFrBin();

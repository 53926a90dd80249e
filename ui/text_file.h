// Whole text files read as Windows text mode did: a CR directly before an LF
// is dropped, every other byte is kept.
#pragma once

#include <string>

bool ReadTextFile(const char* name, std::string& out);
bool ReadFileBytes(const char* name, std::string& out);  // every byte as it stands
void DropCrBeforeLf(const char* data, size_t n, std::string& out);

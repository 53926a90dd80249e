// File-system services over the C++ standard library and POSIX: copy, move
// (refusing an existing target), delete, directory creation, the working
// directory and free disk space. Each returns 1 on success and 0 on failure
// and never throws.
#pragma once

#include <cstdint>
#include <string>

int sysFileExists(const std::string& path);  // a regular file or anything that opens for reading
int sysCopyFile(const std::string& from, const std::string& to, int failIfExists);
int sysMoveFile(const std::string& from, const std::string& to);  // fails when `to` exists
int sysDeleteFile(const std::string& path);
int sysCreateDirectory(const std::string& path);  // 1 also when it already exists as a directory
int sysGetCurrentDirectory(std::string& out);
int sysSetCurrentDirectory(const std::string& path);
// Bytes free to the caller, total bytes and total free bytes of the disk holding `dir`.
int sysDiskSpace(const std::string& dir, uint64_t& freeToCaller, uint64_t& total, uint64_t& totalFree);

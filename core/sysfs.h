// File-system services over the C++ standard library and POSIX: copy, move
// (refusing an existing target), delete, directory creation, the working
// directory and free disk space. Each returns 1 on success and 0 on failure
// (the copy, the move and the delete with errno telling why) and never throws.
#pragma once

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>

int sysFileExists(const std::string& path);  // a regular file or anything that opens for reading

// Data files are read only when they are regular files: a pipe or a device
// named as one would block the reader, a directory is no file at all.
// sysNotRegularFile: null for a regular file, else what the path is instead
// ("missing", "a link to nothing", "a directory", "not a regular file").
const char* sysNotRegularFile(const std::string& path);
// Opens a regular file for binary reading; null otherwise, with errno set
// (why, when given, receives the cause: the answer above, or "unreadable").
FILE* sysOpenRegular(const std::string& path, const char** why = nullptr);
// The same for a stream (binary mode: the caller drops the CR of CR LF).
bool sysOpenRegular(std::ifstream& in, const std::string& path, const char** why = nullptr);
// What stands at a name, the name itself looked at: a link is not followed
// and nothing is opened, so a pipe there cannot block. Null when nothing
// does, else "a directory", "a regular file", "a pipe", "a link",
// "a link to nothing" or "not a regular file" (a device, a socket).
const char* sysWhatIsAt(const std::string& path);
// Whether something other than a directory stands at a name: a file, a pipe
// or a link, dangling or not.
int sysNameTaken(const std::string& path);
// Opens a file for writing without trusting what stands at its name: a link
// there is never followed, and a pipe or a device neither blocks the caller
// nor receives the data. mode is that of fopen:
//   "wb", "w+b": whatever stands at the name (a file, a link, a pipe; not a
//                directory) is removed and a new empty file is created
//                exclusively;
//   "ab", "a+b", "a": appends to a regular file, created when missing;
//   "r+b": updates an existing regular file.
// Null on failure, with errno set; why, when given, receives the cause
// ("a directory", "not a regular file", "a link", or the system's text).
FILE* sysOpenWrite(const std::string& path, const char* mode, const char** why = nullptr);
// The temporary name a file is written under until it is whole and takes
// its own name: "<path>_new".
std::string sysTempName(const std::string& path);
// Copies a regular file. The copy is made as "<to>_new" (created anew, like
// sysOpenWrite's "wb") and takes the name `to` only when it is complete and
// its data are on the disk: a
// link, pipe or file standing at `to` is then replaced (or, with
// failIfExists, left alone and the copy refused), never written through; a
// copy that fails leaves `to` as it was and removes its partial file.
int sysCopyFile(const std::string& from, const std::string& to, int failIfExists);
// Renames what stands at `from` (a link as itself); fails when anything,
// even a dangling link, stands at `to`.
int sysMoveFile(const std::string& from, const std::string& to);
int sysDeleteFile(const std::string& path);
int sysCreateDirectory(const std::string& path);  // 1 also when it already exists as a directory
int sysGetCurrentDirectory(std::string& out);
int sysSetCurrentDirectory(const std::string& path);
// Bytes free to the caller, total bytes and total free bytes of the disk holding `dir`.
int sysDiskSpace(const std::string& dir, uint64_t& freeToCaller, uint64_t& total, uint64_t& totalFree);

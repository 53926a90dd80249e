// Reads a text file whole, dropping the CR of every CR LF as a text-mode read does.
#pragma once

#include <cstddef>
#include <string>

// false when the file is not a regular file, cannot be opened or holds more
// than maxBytes bytes.
bool ReadTextFileDropCR(const char* path, std::string& text, size_t maxBytes = static_cast<size_t>(-1));

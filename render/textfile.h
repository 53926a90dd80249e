// Reads a text file whole, dropping the CR of every CR LF as a text-mode read does.
#pragma once

#include <string>

bool ReadTextFileDropCR(const char* path, std::string& text);

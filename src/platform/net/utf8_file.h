#pragma once
// Files named by UTF-8 paths, as the console programs read them from their arguments. Windows
// opens a narrow name in the ANSI code page, so there the name is widened first.
#include <cstdio>
#include <string>

// The file opened for writing (created or emptied); nullptr when it cannot be.
std::FILE* OpenForWriting(const std::string& utf8Path);
// The file opened for reading its bytes as they are; nullptr when it cannot be.
std::FILE* OpenForReading(const std::string& utf8Path);

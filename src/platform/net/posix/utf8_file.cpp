#include "platform/net/utf8_file.h"

std::FILE* OpenForWriting(const std::string& utf8Path)
{
    return std::fopen(utf8Path.c_str(), "w");
}

std::FILE* OpenForReading(const std::string& utf8Path)
{
    return std::fopen(utf8Path.c_str(), "rb");
}

#include "platform/net/utf8_file.h"

#include <windows.h>

namespace {

std::FILE* Open(const std::string& utf8Path, const wchar_t* mode)
{
    const int size = static_cast<int>(utf8Path.size());
    const int chars = MultiByteToWideChar(CP_UTF8, 0, utf8Path.data(), size, nullptr, 0);
    if (chars <= 0)
        return nullptr;
    std::wstring wide(static_cast<size_t>(chars), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8Path.data(), size, wide.data(), chars);
    return _wfopen(wide.c_str(), mode);
}

} // namespace

std::FILE* OpenForWriting(const std::string& utf8Path)
{
    return Open(utf8Path, L"w");
}

std::FILE* OpenForReading(const std::string& utf8Path)
{
    return Open(utf8Path, L"rb");
}

#pragma once
// A text file saved as UTF-16 (a spreadsheet's "Unicode text"), little- or big-endian with its
// byte order mark, read as the UTF-8 the rest of the program takes. A file without such a mark
// is left as it is.
#include <string>
#include <string_view>

enum class FileTextStatus
{
    Ok,
    BadUtf16 // a UTF-16 file with an odd length or an unpaired surrogate
};

struct FileText
{
    FileTextStatus status = FileTextStatus::Ok;
    std::string utf8;
};

FileText Utf8OfFileText(std::string_view bytes);

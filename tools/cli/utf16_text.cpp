#include "utf16_text.h"

#include <QString>

std::u16string Utf16Of(const std::string& utf8)
{
    return QString::fromStdString(utf8).toStdU16String();
}

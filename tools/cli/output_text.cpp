#include "output_text.h"

#include "platform/net/standard_text.h"

void PrintText(const std::string& text)
{
    WriteStandardText(stdout, text);
}

void PrintNotice(const std::string& text)
{
    WriteStandardText(stderr, "camtivo-cli: " + text + "\n");
}

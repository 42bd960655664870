#include "secret_line.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

} // namespace

SecretLine SecretLineOf(std::string_view bytes)
{
    if (bytes.empty())
        return {SecretLineStatus::Empty, {}};
    if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        bytes.remove_prefix(kByteOrderMark.size());
    std::string_view line = bytes.substr(0, bytes.find('\n'));
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    if (line.size() > kMaxSecretBytes)
        return {SecretLineStatus::TooLong, {}};
    return {SecretLineStatus::Ok, std::string(line)};
}

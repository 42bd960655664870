#include "option_texts.h"

#include "cli/core/stored_text.h"

#include <QString>
#include <optional>

namespace {

struct OptionText
{
    const char* flag;
    std::optional<std::string> utf8;
    TextKind kind;
};

std::optional<std::string> Utf8Of(const std::optional<std::u16string>& text)
{
    if (!text)
        return std::nullopt;
    return QString::fromStdU16String(*text).toStdString();
}

} // namespace

std::string CheckOptionTexts(const CliOptions& options)
{
    const SettingsChange& c = options.change;
    const OptionText texts[] = {
        {"--login", options.login, TextKind::Secret},
        {"--password", options.password, TextKind::Secret},
        {"--name", Utf8Of(c.name), TextKind::Plain},
        {"--description", Utf8Of(c.description), TextKind::Plain},
        {"--ssid", Utf8Of(c.wireless.ssid), TextKind::Plain},
        {"--wep-passphrase", Utf8Of(c.wireless.wepPassphrase), TextKind::Secret},
        {"--wpa-passphrase", Utf8Of(c.wireless.wpaPassphrase), TextKind::Secret},
    };
    for (const auto& [flag, utf8, kind] : texts) {
        if (!utf8)
            continue;
        if (std::string refusal = StoredTextRefusal(*utf8, kind); !refusal.empty())
            return "invalid value for " + std::string(flag) + ": " + refusal;
    }
    return {};
}

#pragma once
// The rules of the wireless pages, apart from their controls: wired or wireless mode, network
// name and channel, and the security page's types, checks, key generation and how its fields
// are written into a camera record. The pages and the command-line front end both go through
// these, so the same input gives the same record bytes everywhere.
#include "device/core/device_info.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// ---- Wired or wireless, network name, channel ----

inline constexpr size_t kSsidChars = 32; // what the network-name edit accepts
inline constexpr int kChannelCount = 11;

void WriteWirelessMode(bool wired, DeviceInfo& info);
// At most 33 bytes of the narrow text are kept, the rest of the field is cleared.
void WriteSsid(std::u16string_view ssid, DeviceInfo& info);
// Index 0-10 of the channel list stores channels 1-11; no selection (-1) stores 0.
void WriteChannel(int channelIndex, DeviceInfo& info);

// ---- Security ----

// The security-type list's index; the order of the skin's "SECURITY TYPE" lines fixes it.
enum class SecurityType
{
    Unselected = -1,
    None = 0,
    Wep64 = 1,
    Wep128 = 2,
    Wpa = 3
};

constexpr bool IsWepType(SecurityType type)
{
    return type == SecurityType::Wep64 || type == SecurityType::Wep128;
}

inline constexpr size_t kWpaPassphraseMinChars = 8;
inline constexpr size_t kWpaPassphraseChars = 63;
inline constexpr size_t kWep64PassphraseChars = 63;
inline constexpr size_t kWep128PassphraseChars = 16;
inline constexpr size_t kStoredWepPassphraseChars = 16;
inline constexpr size_t kKeyTextChars = 64; // read from the key edit before parsing
inline constexpr size_t kWep64KeyChars = 10;
inline constexpr size_t kWep128KeyChars = 26;

// Language-pack strings of the security page.
inline constexpr int kMsgSecurityButton = 51401;
inline constexpr int kMsgWpaPassphraseLength = 51402;
inline constexpr int kMsgWep128KeyLength = 51403;
inline constexpr int kMsgWep64KeyLength = 51404;
inline constexpr int kMsgWepKeyNotHex = 51405;

inline constexpr char kWepTextBlock[] = "WEP TEXT";
inline constexpr char kWpaTextBlock[] = "WPA TEXT";

// What the edits of a type accept: the passphrase (WEP or WPA edit) and the WEP key, in
// characters; 0 where the type leaves the limit as it was.
struct SecurityLimits
{
    size_t passphraseChars = 0;
    size_t keyChars = 0;
};
SecurityLimits LimitsOf(SecurityType type);
// "WPA TEXT" for WPA, "WEP TEXT" for every other type and for no selection.
const char* TextBlockOf(SecurityType type);

// The type a record shows: security set -> none; else SecMode set -> WPA; else bWep 1 -> 64-bit;
// anything else -> 128-bit.
SecurityType SecurityTypeOf(const DeviceInfo& info);
// The stored key as the key edit shows it: 10 digits of slot 1 for 64-bit, 26 for any other.
std::string StoredKeyText(SecurityType type, const DeviceInfo& info);

// Generates the WEP key from a passphrase (its first 64 narrow bytes) into the record at once
// and returns the key text for the key edit. 64-bit writes the first 5 bytes of all four key
// slots; every other type writes 13 bytes into slot 1. An empty passphrase writes nothing and
// returns nothing: the key edit keeps its text and is unlocked.
std::optional<std::string> GenerateWepKey(SecurityType type, std::u16string_view passphrase,
                                          DeviceInfo& info);

// The security page's fields as texts.
struct SecurityTexts
{
    std::u16string key;           // the WEP key edit, shown or hidden
    std::u16string wepPassphrase; // the WEP passphrase edit
    std::u16string wpaPassphrase; // the WPA passphrase edit
};

enum class SecurityField
{
    None,
    Key,
    WpaPassphrase
};

struct SecurityCheck
{
    SecurityField field = SecurityField::None;
    int message = 0;
    bool Passed() const { return field == SecurityField::None; }
};

// The check of Next and Back: 10 key characters for 64-bit, 26 for 128-bit, all of them
// hexadecimal digits (a pasted key may hold others); 8 to 63 passphrase characters for WPA; no
// security and no selection always pass.
SecurityCheck CheckSecurityFields(SecurityType type, const SecurityTexts& texts);

// Writes the page into the record: the type's flags, the whole key area cleared and the key
// edit parsed by the record's bWep (5 or 13 bytes, also for WPA, where the edit is hidden and
// a short text yields 0xEF bytes), the WEP passphrase cut to 16 characters and the WPA
// passphrase to 63.
void WriteSecurityFields(SecurityType type, const SecurityTexts& texts, DeviceInfo& info);

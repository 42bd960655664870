#pragma once
// How the search page words a camera's details: the firmware version in the format of the
// protocol variant the camera answered, the MAC address, dotted addresses, the index of the
// security-kind text and the address of the camera's own web page.
#include <array>
#include <cstdint>
#include <span>
#include <string>

class CameraRecord;

namespace camera_text {

// "0.00" for version 0; "V%x.%x.%x" for a camera that answered the full query; otherwise the
// hexadecimal word with a dot after its first digit, cut to two digits after the dot.
std::string FirmwareVersion(uint16_t version, uint16_t answeredCommand);

// Six bytes as "%02x:%02x:%02x:%02x:%02x:%02x".
std::string MacText(std::span<const uint8_t, 6> mac);

// Four bytes in network order as "a.b.c.d".
std::string DottedQuad(std::span<const uint8_t, 4> address);

// The settings that choose the security-kind text.
struct SecurityFields
{
    uint16_t deviceType = 0;
    uint8_t security = 0; // 1 = no wireless security
    uint8_t secMode = 0;  // non-zero = WPA
    uint8_t wep = 0;      // WEP key size: 1 = 64-bit, 2 = 128-bit; 0 = none on older types
};

// Index of the security-kind text: 0 none, 1 WEP 64-bit, 2 WEP 128-bit, 3 WPA.
int SecurityKindIndex(const SecurityFields& fields);

// "http://a.b.c.d", or "http://a.b.c.d:port" when the camera's web server uses its own port.
std::string WebAddress(std::span<const uint8_t, 4> address, bool portSet, uint16_t port);

// Everything the search page shows of one record, as wide text.
struct CameraDetails
{
    std::u16string firmware;
    std::u16string mac;
    std::u16string name;
    std::u16string ip;
    std::u16string mask;
    std::u16string gateway;
    std::u16string ssid; // at most 34 characters
    std::u16string channel;
    std::u16string date;
    std::u16string time;
    int securityIndex = 0;
};

CameraDetails DetailsOf(const CameraRecord& camera);

// The record's web page address (see WebAddress).
std::string WebAddressOf(const CameraRecord& camera);

} // namespace camera_text

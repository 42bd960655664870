#pragma once
// MD5 message digest (RFC 1321), used to make 128-bit WEP keys from a passphrase. The program
// carries its own so that the Qt-free rules need nothing beyond the standard library.
#include <array>
#include <cstdint>
#include <span>
#include <string_view>

using Md5Digest = std::array<uint8_t, 16>;

Md5Digest Md5(std::span<const uint8_t> bytes);
Md5Digest Md5(std::string_view text);

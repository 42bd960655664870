#pragma once
// Modal results and message-box answers (IDOK, IDCANCEL, ...), numbered as the message boxes
// have always numbered them, and the unsigned type their flags are kept in.
#include <cstdint>

using UINT = uint32_t;

// Results of a modal run.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

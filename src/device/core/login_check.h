#pragma once
// The local login check: the typed name and password are compared with those the camera gave
// in its discovery reply. How much of them exists depends on the protocol variant it answered.
#include <cstdint>
#include <string>

class CameraRecord;

struct LoginLimits
{
    int nameChars;
    int passwordChars;
};

// 32 and 64 characters for a camera that answered the full query, else 20 and 8.
LoginLimits LoginLimitsFor(uint16_t answeredCommand);

// Exact, case-sensitive match; an empty name is refused even when the expected one is empty.
bool LoginAccepted(const std::u16string& name, const std::u16string& password,
                   const std::u16string& expectedName, const std::u16string& expectedPassword);

// The login name and password the camera disclosed, cut to what the variant it answered
// carries (the first 20 and 8 bytes of the compact layouts), as wide text.
struct ExpectedLogin
{
    std::u16string name;
    std::u16string password;
};

ExpectedLogin ExpectedLoginOf(const CameraRecord& camera);

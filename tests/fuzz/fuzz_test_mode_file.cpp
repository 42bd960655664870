// The test-mode file reader on arbitrary bytes: decoding, section search and every key's
// conversion, then the writer's formatting of whatever was read and a second read of it.
#include "app/core/test_mode_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    CameraList cameras;
    ParseTestFileText(DecodeTestFileText(std::span<const uint8_t>(data, size)), cameras);
    CameraList again;
    ParseTestFileText(DecodeTestFileText(EncodeTestFileText(FormatTestFileText(cameras))), again);
    return 0;
}

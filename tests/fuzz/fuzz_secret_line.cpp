// A secret's line from arbitrary bytes: never longer than the limit, never holding a line end.
#include "cli/core/secret_line.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const SecretLine line = SecretLineOf(std::string_view(reinterpret_cast<const char*>(data), size));
    if (line.status != SecretLineStatus::Ok && !line.text.empty())
        std::abort();
    if (line.text.size() > kMaxSecretBytes || line.text.find('\n') != std::string::npos ||
        (size == 0) != (line.status == SecretLineStatus::Empty))
        std::abort();
    return 0;
}

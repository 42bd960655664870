// A secret's line from arbitrary bytes: within the limit, without a line end, empty only when
// refused or given so.
#include "cli/core/secret_line.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const SecretLine line = SecretLineOf(std::string_view(reinterpret_cast<const char*>(data), size));
    if (line.text.size() > kMaxSecretBytes || line.text.find('\n') != std::string::npos ||
        (line.status != SecretLineStatus::Ok && !line.text.empty()))
        std::abort();
    return 0;
}

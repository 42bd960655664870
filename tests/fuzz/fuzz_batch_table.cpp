// The batch file parser on arbitrary bytes: splitting, the header and row checks and the
// UTF-8 and code page checks of every cell.
#include "cli/core/batch_table.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const BatchTable table = ParseBatchTable(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const BatchRow& row : table.rows)
        (void)table.Value(row, "mac");
    return 0;
}

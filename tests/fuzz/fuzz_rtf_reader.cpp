// Licence files from arbitrary bytes: the reader must stay inside its input and never make
// more document than the bytes could describe.
#include "platform/core/rtf_reader.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const RtfDocument doc = ReadRtf(std::string_view(reinterpret_cast<const char*>(data), size));
    if (doc.status == RtfStatus::NotRtf && !doc.paragraphs.empty())
        std::abort();
    // Every character and every paragraph break costs at least one input byte.
    size_t made = 0;
    for (const RtfParagraph& paragraph : doc.paragraphs) {
        ++made;
        for (const RtfRun& run : paragraph.runs) {
            if (run.text.empty())
                std::abort();
            made += run.text.size();
        }
    }
    if (made > size + 1)
        std::abort();
    return 0;
}

// libFuzzer entry: any bytes either open as a package whose members all extract to their declared
// sizes, or fail with the engine's own error.
#include "core/editor_exception.h"
#include "formats/zip/zip_stream_reader.h"

#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        const velmo::formats::ZIPStreamReader reader(std::span<const uint8_t>(data, size));
        for (const velmo::formats::ZIPFileEntry& entry : reader.files()) {
            std::vector<uint8_t> content;
            try {
                reader.extract(entry, content);
            } catch (const velmo::core::EditorException&) {
                if (!content.empty())
                    std::abort(); // a failed extraction must leave the target as it was
                continue;
            }
            if (content.size() != entry.originalSize)
                std::abort();
        }
    } catch (const velmo::core::EditorException&) {
    }
    return 0;
}

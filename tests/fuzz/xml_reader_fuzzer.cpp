// libFuzzer entry: any bytes either read as XML with balanced elements within the depth limit, or
// fail with the engine's own error.
#include "core/editor_exception.h"
#include "formats/xml/xml_reader.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    try {
        velmo::formats::XmlReader reader(std::span<const uint8_t>(data, size));
        int32_t openElements = 0;
        while (reader.read()) {
            if (reader.kind() == velmo::formats::XmlNodeKind::StartElement)
                ++openElements;
            else if (reader.kind() == velmo::formats::XmlNodeKind::EndElement)
                --openElements;
            if (openElements < 0 || openElements > velmo::formats::XmlReader::kMaxDepth)
                std::abort();
        }
        if (openElements != 0)
            std::abort();
    } catch (const velmo::core::EditorException&) {
    }
    return 0;
}

#pragma once

#include <cstdint>

namespace velmo::model {

/// The file formats a document can be read from and written to.
enum class DocumentFormat : uint8_t {
    Undefined = 0,
    PlainText = 1,
    Rtf = 2,
    Html = 3,
    OpenXml = 4,
    Doc = 5,
};

} // namespace velmo::model

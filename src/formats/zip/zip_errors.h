#pragma once

#include "core/editor_exception.h"

#include <string>

namespace velmo::formats {

/// A package that cannot be read as it stands: damaged structure, a failed inflate, a CRC
/// mismatch, a size that lies, or a package beyond the reader's limits.
class PackedStreamReaderError : public core::EditorException {
public:
    explicit PackedStreamReaderError(const std::string& message) : core::EditorException(message) {}
};

/// A member packed with a method other than stored (0) and deflate (8).
class ZIPUnsupportedCompressionMethodError : public core::EditorException {
public:
    explicit ZIPUnsupportedCompressionMethodError(const std::string& message) : core::EditorException(message) {}
};

} // namespace velmo::formats

#pragma once

#include <cstdint>

namespace velmo::model {

/// Whether a kind of content or formatting may be used in a document.
enum class DocumentCapability : uint8_t { Default, Disabled, Enabled, Hidden };

[[nodiscard]] constexpr bool isCapabilityAllowed(DocumentCapability capability) noexcept
{
    return capability == DocumentCapability::Default || capability == DocumentCapability::Enabled;
}

/// What the host lets users change; a formatting change that is not allowed is ignored.
struct DocumentCapabilitiesOptions {
    DocumentCapability characterFormatting = DocumentCapability::Default;
    DocumentCapability paragraphFormatting = DocumentCapability::Default;
    DocumentCapability characterStyle = DocumentCapability::Default;
    DocumentCapability paragraphStyle = DocumentCapability::Default;
    DocumentCapability inlinePictures = DocumentCapability::Default;
    DocumentCapability floatingObjects = DocumentCapability::Default;
    DocumentCapability bookmarks = DocumentCapability::Default;
    DocumentCapability hyperlinks = DocumentCapability::Default;
};

} // namespace velmo::model

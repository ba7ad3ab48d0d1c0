#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace velmo::platform {

/// Fetches what a URI names, for pictures linked from a document. Called from worker threads: an
/// implementation must be safe to use from several threads at once.
class IUriStreamService {
public:
    virtual ~IUriStreamService() = default;
    /// The bytes behind `uri`; nullopt when the scheme is not served, the resource cannot be read, it
    /// is larger than the service accepts, or `cancelled` became true while reading. Never throws.
    [[nodiscard]] virtual std::optional<std::vector<uint8_t>> open(std::u16string_view uri,
                                                                   const std::atomic<bool>& cancelled) const = 0;
};

} // namespace velmo::platform

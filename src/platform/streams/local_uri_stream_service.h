#pragma once

#include "platform/uri_stream_service.h"

#include <cstdint>

namespace velmo::platform {

/// Serves the two URI schemes whose content is on this machine: "data:" (base64 or percent-encoded)
/// and "file:" (a local path, host empty or "localhost"). Every other scheme gets nothing, so a
/// picture linked from the web stays a placeholder. Holds no state; one instance serves all threads.
class LocalUriStreamService final : public IUriStreamService {
public:
    /// Largest resource served; anything larger gets nothing.
    static constexpr int64_t kMaxResourceSize = int64_t{256} << 20;

    [[nodiscard]] std::optional<std::vector<uint8_t>> open(std::u16string_view uri,
                                                           const std::atomic<bool>& cancelled) const override;
};

/// The bytes of a "data:" URI; nullopt when it is malformed.
[[nodiscard]] std::optional<std::vector<uint8_t>> decodeDataUri(std::string_view uri);
/// The local path a "file:" URI names (UTF-8); nullopt when it names another host or is malformed.
[[nodiscard]] std::optional<std::string> filePathOfUri(std::string_view uri);

} // namespace velmo::platform

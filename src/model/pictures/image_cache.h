#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

namespace velmo::model {

class OfficeImage;

/// The pictures of one document, each held once. Pictures are keyed by a checksum of their bytes
/// (CRC-32), but a key only narrows the search: two pictures are one only when their bytes are equal,
/// so two different pictures whose checksums collide are both kept and never taken for each other.
/// The cache owns its pictures until it is cleared or destroyed; references only point at them.
class ImageCache {
public:
    /// The key of a picture; by default its CRC-32. Tests put in a weaker one to force collisions.
    using KeyFunction = std::function<uint32_t(const OfficeImage&)>;

    ImageCache();
    explicit ImageCache(KeyFunction keyFunction);
    ~ImageCache();
    ImageCache(const ImageCache&) = delete;
    ImageCache& operator=(const ImageCache&) = delete;

    /// The cached picture equal to `image`, or `image` itself, taken into the cache, when there is none.
    /// In the first case `image` is freed.
    OfficeImage& add(std::unique_ptr<OfficeImage> image);
    /// The cached picture equal to `image`; null when there is none.
    [[nodiscard]] OfficeImage* findEqual(const OfficeImage& image) const;
    /// Whether this very picture is in the cache.
    [[nodiscard]] bool contains(const OfficeImage* image) const;
    /// The key of a cached picture; -1 when the picture is not in the cache.
    [[nodiscard]] int64_t keyOf(const OfficeImage* image) const;
    [[nodiscard]] uint32_t keyFor(const OfficeImage& image) const { return keyFunction_(image); }
    /// Number of pictures held.
    [[nodiscard]] int32_t count() const noexcept { return count_; }
    /// Calls `visit` for every picture, in no particular order.
    void forEach(const std::function<void(const OfficeImage&)>& visit) const;
    void clear();

private:
    KeyFunction keyFunction_;
    std::unordered_map<uint32_t, std::vector<std::unique_ptr<OfficeImage>>> entries_; // usually one per key
    int32_t count_ = 0;
};

} // namespace velmo::model

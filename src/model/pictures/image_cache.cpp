#include "model/pictures/image_cache.h"

#include "model/pictures/office_image.h"

#include <algorithm>

namespace velmo::model {

ImageCache::ImageCache() : ImageCache([](const OfficeImage& image) { return image.crc32(); }) {}

ImageCache::ImageCache(KeyFunction keyFunction) : keyFunction_(std::move(keyFunction)) {}

ImageCache::~ImageCache() = default;

OfficeImage& ImageCache::add(std::unique_ptr<OfficeImage> image)
{
    auto& bucket = entries_[keyFunction_(*image)];
    for (const auto& cached : bucket) {
        if (cached->hasSameContent(*image))
            return *cached;
    }
    bucket.push_back(std::move(image));
    ++count_;
    return *bucket.back();
}

OfficeImage* ImageCache::findEqual(const OfficeImage& image) const
{
    const auto bucket = entries_.find(keyFunction_(image));
    if (bucket == entries_.end())
        return nullptr;
    for (const auto& cached : bucket->second) {
        if (cached->hasSameContent(image))
            return cached.get();
    }
    return nullptr;
}

bool ImageCache::contains(const OfficeImage* image) const
{
    return keyOf(image) >= 0;
}

int64_t ImageCache::keyOf(const OfficeImage* image) const
{
    if (!image)
        return -1;
    const auto bucket = entries_.find(keyFunction_(*image));
    if (bucket == entries_.end())
        return -1;
    const bool found = std::ranges::any_of(bucket->second, [image](const auto& cached) { return cached.get() == image; });
    return found ? int64_t{bucket->first} : -1;
}

void ImageCache::forEach(const std::function<void(const OfficeImage&)>& visit) const
{
    for (const auto& [key, bucket] : entries_) {
        for (const auto& image : bucket)
            visit(*image);
    }
}

void ImageCache::clear()
{
    entries_.clear();
    count_ = 0;
}

} // namespace velmo::model

#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace velmo::model {

class DocumentImages;
class OfficeImage;
class OfficeImageReference;

/// The part of a fetch that a worker thread touches: the URIs it reads, its cancellation flag, and
/// the picture it decoded, handed over under the mutex when it is done.
struct UriLoadJob {
    explicit UriLoadJob(std::vector<std::u16string> uriList) : uris(std::move(uriList)) {}

    const std::vector<std::u16string> uris;
    std::atomic<bool> cancelled{false};
    std::mutex mutex;
    std::condition_variable finished;
    bool done = false;                  // guarded by mutex
    std::unique_ptr<OfficeImage> image; // guarded by mutex; null when nothing decodable was fetched
};

/// One linked picture and every reference to it (their updater). Lives on the document's thread:
/// it starts the fetch, and when the worker is done the document's image service calls complete(),
/// which switches every registered reference from the placeholder to the real picture, once.
class UriImageLoad {
public:
    UriImageLoad(DocumentImages& images, std::vector<std::u16string> uris) : images_(images), uris_(std::move(uris)) {}
    UriImageLoad(const UriImageLoad&) = delete;
    UriImageLoad& operator=(const UriImageLoad&) = delete;

    [[nodiscard]] const std::vector<std::u16string>& uris() const noexcept { return uris_; }
    [[nodiscard]] DocumentImages& images() const noexcept { return images_; }
    void registerReference(OfficeImageReference& reference);
    void unregisterReference(OfficeImageReference& reference) noexcept;

    /// Hands the fetch to a worker; `job` must be this load's.
    void setJob(std::shared_ptr<UriLoadJob> job) { job_ = std::move(job); }
    [[nodiscard]] bool isPending() const noexcept { return job_ != nullptr; }
    /// Whether the worker has finished (the result waits for complete()).
    [[nodiscard]] bool isJobDone() const;
    /// Waits for the worker until `deadline`; true when it has finished.
    bool waitUntil(std::chrono::steady_clock::time_point deadline) const;
    /// Takes the worker's result (or `image` for a fetch made on this thread) and switches the
    /// references to it. Without a picture everything stays at the placeholder.
    void complete();
    void complete(std::unique_ptr<OfficeImage> image);
    /// Stops a fetch that has not finished; its result will be ignored.
    void cancel() noexcept;

private:
    DocumentImages& images_; // owns the loads it started and outlives every reference
    std::vector<std::u16string> uris_;
    std::vector<OfficeImageReference*> references_; // each unregisters before it dies
    std::shared_ptr<UriLoadJob> job_;               // shared with the worker; null when not pending
};

} // namespace velmo::model

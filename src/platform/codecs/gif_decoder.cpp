#include "platform/codecs/gif_decoder.h"

#include "platform/codecs/codecs_internal.h"

#include <gif_lib.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

namespace velmo::platform {
namespace {

constexpr std::string_view kGif = "GIF";
constexpr int kGraphicsControlMinLength = 4;

struct GifSource {
    std::span<const uint8_t> bytes;
    size_t offset = 0;
};

int readFromMemory(GifFileType* gif, GifByteType* out, int length)
{
    auto* source = static_cast<GifSource*>(gif->UserData);
    const size_t available = std::min(static_cast<size_t>(std::max(length, 0)), source->bytes.size() - source->offset);
    std::memcpy(out, source->bytes.data() + source->offset, available);
    source->offset += available;
    return static_cast<int>(available);
}

[[noreturn]] void throwGifError(int error)
{
    if (error == D_GIF_ERR_READ_FAILED || error == D_GIF_ERR_EOF_TOO_SOON)
        throwInvalidImage(kGif, "the data ends early");
    const char* description = GifErrorString(error);
    throwInvalidImage(kGif, description != nullptr ? description : "the data is corrupt");
}

struct GifCloser {
    void operator()(GifFileType* gif) const noexcept
    {
        int error = 0;
        DGifCloseFile(gif, &error);
    }
};

/// An open GIF positioned at its first frame, whose descriptor and colours giflib has read.
class GifFirstFrame {
public:
    explicit GifFirstFrame(std::span<const uint8_t> bytes) : source_{bytes}
    {
        int error = 0;
        gif_.reset(DGifOpen(&source_, readFromMemory, &error));
        if (gif_ == nullptr)
            throwGifError(error);
        seekFirstFrame();
        const GifImageDesc& frame = gif_->Image;
        checkImageSize(kGif, frame.Width, frame.Height);
        const bool screenIsEmpty = gif_->SWidth <= 0 || gif_->SHeight <= 0;
        canvasWidth_ = screenIsEmpty ? frame.Width : gif_->SWidth;
        canvasHeight_ = screenIsEmpty ? frame.Height : gif_->SHeight;
        checkImageSize(kGif, canvasWidth_, canvasHeight_);
        if (screenIsEmpty) {
            left_ = 0;
            top_ = 0;
        } else {
            left_ = frame.Left;
            top_ = frame.Top;
        }
    }
    GifFirstFrame(const GifFirstFrame&) = delete;
    GifFirstFrame& operator=(const GifFirstFrame&) = delete;

    [[nodiscard]] ImageSize canvasSize() const noexcept { return {canvasWidth_, canvasHeight_}; }

    /// The frame's pixels on a transparent canvas; reads the rest of the frame's data.
    [[nodiscard]] RgbaImage decode()
    {
        const GifImageDesc& frame = gif_->Image;
        const ColorMapObject* colors = frame.ColorMap != nullptr ? frame.ColorMap : gif_->SColorMap;
        if (colors == nullptr || colors->Colors == nullptr)
            throwInvalidImage(kGif, "the picture has no colour table");
        RgbaImage image = makeTransparentImage(canvasWidth_, canvasHeight_, {});
        std::vector<GifPixelType> line(static_cast<size_t>(frame.Width));
        for (const int row : rowOrder(frame.Height, frame.Interlace)) {
            if (DGifGetLine(gif_.get(), line.data(), frame.Width) == GIF_ERROR)
                throwGifError(gif_->Error);
            const int64_t y = int64_t{top_} + row;
            if (y >= canvasHeight_)
                continue;
            for (int column = 0; column < frame.Width; ++column) {
                const int64_t x = int64_t{left_} + column;
                const GifPixelType index = line[static_cast<size_t>(column)];
                if (x >= canvasWidth_ || (transparentIndex_ && *transparentIndex_ == index))
                    continue;
                uint8_t* pixel = image.pixels.data() + (static_cast<size_t>(y) * static_cast<size_t>(canvasWidth_) + static_cast<size_t>(x)) * 4;
                if (index < colors->ColorCount) {
                    const GifColorType& color = colors->Colors[index];
                    pixel[0] = color.Red;
                    pixel[1] = color.Green;
                    pixel[2] = color.Blue;
                }
                pixel[3] = 255;
            }
        }
        return image;
    }

private:
    /// Skips extensions up to the first image descriptor, keeping the transparent colour its graphic
    /// control extension names.
    void seekFirstFrame()
    {
        for (;;) {
            GifRecordType type = UNDEFINED_RECORD_TYPE;
            if (DGifGetRecordType(gif_.get(), &type) == GIF_ERROR)
                throwGifError(gif_->Error);
            if (type == IMAGE_DESC_RECORD_TYPE) {
                if (DGifGetImageDesc(gif_.get()) == GIF_ERROR)
                    throwGifError(gif_->Error);
                return;
            }
            if (type == TERMINATE_RECORD_TYPE)
                throwInvalidImage(kGif, "the file holds no picture");
            if (type == EXTENSION_RECORD_TYPE)
                readExtension();
        }
    }

    void readExtension()
    {
        int code = 0;
        GifByteType* block = nullptr;
        if (DGifGetExtension(gif_.get(), &code, &block) == GIF_ERROR)
            throwGifError(gif_->Error);
        if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr && block[0] >= kGraphicsControlMinLength) {
            transparentIndex_.reset();
            if ((block[1] & 0x01) != 0)
                transparentIndex_ = block[4];
        }
        while (block != nullptr) {
            if (DGifGetExtensionNext(gif_.get(), &block) == GIF_ERROR)
                throwGifError(gif_->Error);
        }
    }

    /// Rows in the order the data stores them: interlaced frames store every eighth row from 0, every
    /// eighth from 4, every fourth from 2, then every second from 1.
    static std::vector<int> rowOrder(int height, bool interlaced)
    {
        std::vector<int> rows;
        rows.reserve(static_cast<size_t>(height));
        if (!interlaced) {
            for (int row = 0; row < height; ++row)
                rows.push_back(row);
            return rows;
        }
        constexpr std::array<std::pair<int, int>, 4> kPasses = {{{0, 8}, {4, 8}, {2, 4}, {1, 2}}};
        for (const auto& [start, step] : kPasses) {
            for (int row = start; row < height; row += step)
                rows.push_back(row);
        }
        return rows;
    }

    GifSource source_;
    std::unique_ptr<GifFileType, GifCloser> gif_;
    std::optional<GifPixelType> transparentIndex_;
    int32_t canvasWidth_ = 0;
    int32_t canvasHeight_ = 0;
    int32_t left_ = 0;
    int32_t top_ = 0;
};

} // namespace

ImageInfo readGifInfo(std::span<const uint8_t> bytes)
{
    const GifFirstFrame frame(bytes);
    ImageInfo info;
    info.format = OfficeImageFormat::Gif;
    info.sizeInPixels = frame.canvasSize();
    return info;
}

RgbaImage decodeGif(std::span<const uint8_t> bytes)
{
    GifFirstFrame frame(bytes);
    return frame.decode();
}

} // namespace velmo::platform

#include "platform/image_fixtures.h"

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

#include <gif_lib.h>
#include <jpeglib.h>
#include <zlib.h>

namespace velmo::testing {
namespace {

void putBigEndian32(Bytes& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

void putLittleEndian16(Bytes& out, uint32_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void putLittleEndian32(Bytes& out, uint32_t value)
{
    putLittleEndian16(out, value & 0xFFFF);
    putLittleEndian16(out, value >> 16);
}

void putPngChunk(Bytes& out, const char (&type)[5], const Bytes& data)
{
    putBigEndian32(out, static_cast<uint32_t>(data.size()));
    const size_t typeStart = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0, out.data() + typeStart, static_cast<uInt>(out.size() - typeStart));
    putBigEndian32(out, static_cast<uint32_t>(crc));
}

Bytes pngHeader(uint32_t width, uint32_t height, uint8_t colorType, bool interlaced)
{
    Bytes header;
    putBigEndian32(header, width);
    putBigEndian32(header, height);
    header.push_back(8); // bit depth
    header.push_back(colorType);
    header.push_back(0); // deflate
    header.push_back(0); // adaptive filtering
    header.push_back(interlaced ? 1 : 0);
    return header;
}

Bytes deflate(const Bytes& raw)
{
    uLongf size = compressBound(static_cast<uLong>(raw.size()));
    Bytes out(size);
    if (compress(out.data(), &size, raw.data(), static_cast<uLong>(raw.size())) != Z_OK)
        throw std::runtime_error("zlib failed");
    out.resize(size);
    return out;
}

Bytes pngFile(const Bytes& header, const std::vector<std::pair<const char*, Bytes>>& chunks, const Bytes& rawRows)
{
    Bytes png = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    putPngChunk(png, "IHDR", header);
    for (const auto& [type, data] : chunks) {
        char name[5] = {type[0], type[1], type[2], type[3], 0};
        putPngChunk(png, name, data);
    }
    putPngChunk(png, "IDAT", deflate(rawRows));
    putPngChunk(png, "IEND", {});
    return png;
}

/// Rows with filter byte 0, pass by pass for Adam7.
Bytes pngRows(const platform::RgbaImage& image, bool interlaced)
{
    struct Pass {
        int x, y, dx, dy;
    };
    const std::vector<Pass> passes = interlaced
        ? std::vector<Pass>{{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4}, {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}}
        : std::vector<Pass>{{0, 0, 1, 1}};
    Bytes raw;
    for (const Pass& pass : passes) {
        if (pass.x >= image.width || pass.y >= image.height)
            continue;
        for (int y = pass.y; y < image.height; y += pass.dy) {
            raw.push_back(0);
            for (int x = pass.x; x < image.width; x += pass.dx) {
                const uint8_t* pixel = image.pixels.data() + (static_cast<size_t>(y) * image.width + x) * 4;
                raw.insert(raw.end(), pixel, pixel + 4);
            }
        }
    }
    return raw;
}

} // namespace

platform::RgbaImage patternImage(int32_t width, int32_t height)
{
    platform::RgbaImage image;
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<size_t>(width) * height * 4);
    for (int32_t y = 0; y < height; ++y) {
        for (int32_t x = 0; x < width; ++x) {
            uint8_t* pixel = image.pixels.data() + (static_cast<size_t>(y) * width + x) * 4;
            pixel[0] = static_cast<uint8_t>(x * 255 / std::max(1, width - 1));
            pixel[1] = static_cast<uint8_t>(y * 255 / std::max(1, height - 1));
            pixel[2] = static_cast<uint8_t>((x + y) * 37);
            pixel[3] = static_cast<uint8_t>(x % 4 == 0 ? 128 : 255);
        }
    }
    return image;
}

Bytes makePng(const platform::RgbaImage& image, const PngOptions& options)
{
    std::vector<std::pair<const char*, Bytes>> chunks;
    if (options.pixelsPerMeterX && options.pixelsPerMeterY) {
        Bytes physical;
        putBigEndian32(physical, *options.pixelsPerMeterX);
        putBigEndian32(physical, *options.pixelsPerMeterY);
        physical.push_back(options.densityUnit);
        chunks.emplace_back("pHYs", physical);
    }
    return pngFile(pngHeader(static_cast<uint32_t>(image.width), static_cast<uint32_t>(image.height), 6, options.interlaced),
                   chunks, pngRows(image, options.interlaced));
}

Bytes makePngHeaderOnly(uint32_t width, uint32_t height)
{
    return pngFile(pngHeader(width, height, 6, false), {}, Bytes(16, 0));
}

Bytes makePalettePng(int32_t width, int32_t height, const std::vector<uint32_t>& rgbaColors,
                     const std::vector<uint8_t>& indexes)
{
    Bytes palette;
    Bytes transparency;
    for (const uint32_t color : rgbaColors) {
        palette.push_back(static_cast<uint8_t>(color >> 24));
        palette.push_back(static_cast<uint8_t>(color >> 16));
        palette.push_back(static_cast<uint8_t>(color >> 8));
        transparency.push_back(static_cast<uint8_t>(color));
    }
    Bytes raw;
    for (int32_t y = 0; y < height; ++y) {
        raw.push_back(0);
        raw.insert(raw.end(), indexes.begin() + y * width, indexes.begin() + (y + 1) * width);
    }
    return pngFile(pngHeader(static_cast<uint32_t>(width), static_cast<uint32_t>(height), 3, false),
                   {{"PLTE", palette}, {"tRNS", transparency}}, raw);
}

Bytes makeJpeg(const platform::RgbaImage& image, const JpegOptions& options)
{
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* output = nullptr;
    unsigned long outputSize = 0;
    jpeg_mem_dest(&info, &output, &outputSize);
    info.image_width = static_cast<JDIMENSION>(image.width);
    info.image_height = static_cast<JDIMENSION>(image.height);
    info.input_components = options.cmyk ? 4 : 3;
    info.in_color_space = options.cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    if (options.progressive)
        jpeg_simple_progression(&info);
    info.write_JFIF_header = options.writeJfif ? TRUE : FALSE;
    info.density_unit = options.densityUnit;
    info.X_density = options.densityX;
    info.Y_density = options.densityY;
    jpeg_start_compress(&info, TRUE);
    if (options.exifResolution) {
        // "Exif\0\0", then a little-endian TIFF header and one directory of three entries.
        Bytes exif = {'E', 'x', 'i', 'f', 0, 0, 'I', 'I', 42, 0};
        putLittleEndian32(exif, 8);
        putLittleEndian16(exif, 3);
        const uint32_t rationals = 8 + 2 + 3 * 12 + 4;
        const auto entry = [&](uint16_t tag, uint16_t type, uint32_t value) {
            putLittleEndian16(exif, tag);
            putLittleEndian16(exif, type);
            putLittleEndian32(exif, 1);
            putLittleEndian32(exif, value);
        };
        entry(0x011A, 5, rationals);
        entry(0x011B, 5, rationals + 8);
        entry(0x0128, 3, options.exifUnit);
        putLittleEndian32(exif, 0);
        putLittleEndian32(exif, options.exifResolution->first);
        putLittleEndian32(exif, 1);
        putLittleEndian32(exif, options.exifResolution->second);
        putLittleEndian32(exif, 1);
        jpeg_write_marker(&info, JPEG_APP0 + 1, exif.data(), static_cast<unsigned>(exif.size()));
    }
    Bytes row(static_cast<size_t>(image.width) * info.input_components);
    while (info.next_scanline < info.image_height) {
        const uint8_t* source = image.pixels.data() + static_cast<size_t>(info.next_scanline) * image.width * 4;
        for (int x = 0; x < image.width; ++x) {
            for (int channel = 0; channel < info.input_components; ++channel)
                row[x * info.input_components + channel] = channel < 3 ? source[x * 4 + channel] : 255;
        }
        JSAMPROW rowPointer = row.data();
        jpeg_write_scanlines(&info, &rowPointer, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    Bytes jpeg(output, output + outputSize);
    std::free(output);
    return jpeg;
}

namespace {

int appendGifBytes(GifFileType* gif, const GifByteType* data, int length)
{
    auto* out = static_cast<Bytes*>(gif->UserData);
    out->insert(out->end(), data, data + length);
    return length;
}

} // namespace

Bytes makeGif(int width, int height, const std::vector<uint32_t>& rgbColors, const std::vector<uint8_t>& indexes,
              const GifOptions& options)
{
    Bytes out;
    int error = 0;
    GifFileType* gif = EGifOpen(&out, appendGifBytes, &error);
    int colorCount = 2;
    while (colorCount < static_cast<int>(rgbColors.size()))
        colorCount *= 2;
    std::vector<GifColorType> colors(static_cast<size_t>(colorCount));
    for (size_t i = 0; i < rgbColors.size(); ++i)
        colors[i] = {static_cast<GifByteType>(rgbColors[i] >> 16), static_cast<GifByteType>(rgbColors[i] >> 8),
                     static_cast<GifByteType>(rgbColors[i])};
    ColorMapObject* colorMap = GifMakeMapObject(colorCount, colors.data());
    EGifSetGifVersion(gif, true);
    EGifPutScreenDesc(gif, options.screenWidth > 0 ? options.screenWidth : width,
                      options.screenHeight > 0 ? options.screenHeight : height, 8, 0, colorMap);
    if (options.transparentIndex) {
        const GifByteType control[4] = {0x01, 0, 0, *options.transparentIndex};
        EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, control);
    }
    EGifPutImageDesc(gif, options.left, options.top, width, height, options.interlaced, nullptr);
    std::vector<int> rows;
    if (options.interlaced) {
        for (const auto& [start, step] : std::vector<std::pair<int, int>>{{0, 8}, {4, 8}, {2, 4}, {1, 2}}) {
            for (int row = start; row < height; row += step)
                rows.push_back(row);
        }
    } else {
        for (int row = 0; row < height; ++row)
            rows.push_back(row);
    }
    for (const int row : rows) {
        std::vector<GifPixelType> line(indexes.begin() + row * width, indexes.begin() + (row + 1) * width);
        EGifPutLine(gif, line.data(), width);
    }
    EGifCloseFile(gif, &error);
    GifFreeMapObject(colorMap);
    return out;
}

Bytes makeTiff(const platform::RgbaImage& image, const TiffOptions& options)
{
    Bytes out;
    const auto put16 = [&](uint32_t value) {
        if (options.bigEndian) {
            out.push_back(static_cast<uint8_t>(value >> 8));
            out.push_back(static_cast<uint8_t>(value));
        } else {
            putLittleEndian16(out, value);
        }
    };
    const auto put32 = [&](uint32_t value) {
        if (options.bigEndian) {
            putBigEndian32(out, value);
        } else {
            putLittleEndian32(out, value);
        }
    };
    struct Entry {
        uint16_t tag;
        uint16_t type; // 3 short, 4 long, 5 rational
        uint32_t count;
        uint32_t value; // a short sits in the first two bytes
    };
    const uint32_t pixelBytes = static_cast<uint32_t>(image.width * image.height * 3);
    std::vector<Entry> entries = {
        {256, 4, 1, static_cast<uint32_t>(image.width)},
        {257, 4, 1, static_cast<uint32_t>(image.height)},
        {258, 3, 3, 0}, // bits per sample: offset filled below
        {259, 3, 1, 1},
        {262, 3, 1, 2},
        {273, 4, 1, 0}, // strip offset: filled below
        {277, 3, 1, 3},
        {278, 4, 1, static_cast<uint32_t>(image.height)},
        {279, 4, 1, pixelBytes},
    };
    if (options.resolution) {
        entries.push_back({282, 5, 1, 0});
        entries.push_back({283, 5, 1, 0});
        entries.push_back({296, 3, 1, options.resolutionUnit});
    }
    const uint32_t directorySize = 2 + static_cast<uint32_t>(entries.size()) * 12 + 4;
    const uint32_t bitsOffset = 8 + directorySize;
    const uint32_t resolutionOffset = bitsOffset + 6;
    const uint32_t stripOffset = resolutionOffset + 16;
    for (Entry& entry : entries) {
        if (entry.tag == 258)
            entry.value = bitsOffset;
        if (entry.tag == 273)
            entry.value = stripOffset;
        if (entry.tag == 282)
            entry.value = resolutionOffset;
        if (entry.tag == 283)
            entry.value = resolutionOffset + 8;
    }
    out.insert(out.end(), options.bigEndian ? std::initializer_list<uint8_t>{'M', 'M', 0, 42}
                                            : std::initializer_list<uint8_t>{'I', 'I', 42, 0});
    put32(8);
    put16(static_cast<uint32_t>(entries.size()));
    for (const Entry& entry : entries) {
        put16(entry.tag);
        put16(entry.type);
        put32(entry.count);
        if (entry.type == 3 && entry.count == 1) {
            put16(entry.value);
            put16(0);
        } else {
            put32(entry.value);
        }
    }
    put32(0);
    put16(8);
    put16(8);
    put16(8);
    const std::pair<uint32_t, uint32_t> resolution = options.resolution.value_or(std::pair<uint32_t, uint32_t>{0, 0});
    put32(resolution.first);
    put32(1);
    put32(resolution.second);
    put32(1);
    for (size_t i = 0; i < image.pixels.size(); i += 4)
        out.insert(out.end(), image.pixels.begin() + static_cast<std::ptrdiff_t>(i),
                   image.pixels.begin() + static_cast<std::ptrdiff_t>(i) + 3);
    return out;
}

Bytes makeBmp(int32_t width, int32_t height, uint16_t bitCount, uint32_t compression, const std::vector<uint32_t>& colors,
              const Bytes& pixelData, const BmpOptions& options, const std::vector<uint32_t>& bitMasks)
{
    Bytes info;
    putLittleEndian32(info, 40);
    putLittleEndian32(info, static_cast<uint32_t>(width));
    putLittleEndian32(info, static_cast<uint32_t>(options.topDown ? -height : height));
    putLittleEndian16(info, 1);
    putLittleEndian16(info, bitCount);
    putLittleEndian32(info, compression);
    putLittleEndian32(info, static_cast<uint32_t>(pixelData.size()));
    putLittleEndian32(info, static_cast<uint32_t>(options.pixelsPerMeterX));
    putLittleEndian32(info, static_cast<uint32_t>(options.pixelsPerMeterY));
    putLittleEndian32(info, static_cast<uint32_t>(colors.size()));
    putLittleEndian32(info, 0);
    for (const uint32_t mask : bitMasks)
        putLittleEndian32(info, mask);
    for (const uint32_t color : colors)
        putLittleEndian32(info, color);
    Bytes out;
    if (!options.bare) {
        out = {'B', 'M'};
        putLittleEndian32(out, static_cast<uint32_t>(14 + info.size() + pixelData.size()));
        putLittleEndian32(out, 0);
        putLittleEndian32(out, static_cast<uint32_t>(14 + info.size()));
    }
    out.insert(out.end(), info.begin(), info.end());
    out.insert(out.end(), pixelData.begin(), pixelData.end());
    return out;
}

Bytes makeBmp24(const platform::RgbaImage& image, const BmpOptions& options)
{
    const size_t stride = (static_cast<size_t>(image.width) * 3 + 3) / 4 * 4;
    Bytes pixels(stride * image.height, 0);
    for (int32_t row = 0; row < image.height; ++row) {
        const int32_t y = options.topDown ? row : image.height - 1 - row;
        for (int32_t x = 0; x < image.width; ++x) {
            const uint8_t* source = image.pixels.data() + (static_cast<size_t>(y) * image.width + x) * 4;
            uint8_t* target = pixels.data() + row * stride + x * 3;
            target[0] = source[2];
            target[1] = source[1];
            target[2] = source[0];
        }
    }
    return makeBmp(image.width, image.height, 24, 0, {}, pixels, options);
}

Bytes makeIcon(const std::vector<IconEntry>& entries)
{
    Bytes out;
    putLittleEndian16(out, 0);
    putLittleEndian16(out, 1);
    putLittleEndian16(out, static_cast<uint32_t>(entries.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(entries.size());
    for (const IconEntry& entry : entries) {
        out.push_back(entry.width);
        out.push_back(entry.height);
        out.push_back(0);
        out.push_back(0);
        putLittleEndian16(out, 1);
        putLittleEndian16(out, entry.bitCount);
        putLittleEndian32(out, static_cast<uint32_t>(entry.data.size()));
        putLittleEndian32(out, offset);
        offset += static_cast<uint32_t>(entry.data.size());
    }
    for (const IconEntry& entry : entries)
        out.insert(out.end(), entry.data.begin(), entry.data.end());
    return out;
}

Bytes makeIconDib32(const platform::RgbaImage& image)
{
    Bytes pixels;
    for (int32_t row = 0; row < image.height; ++row) {
        const int32_t y = image.height - 1 - row;
        for (int32_t x = 0; x < image.width; ++x) {
            const uint8_t* source = image.pixels.data() + (static_cast<size_t>(y) * image.width + x) * 4;
            pixels.insert(pixels.end(), {source[2], source[1], source[0], source[3]});
        }
    }
    const size_t maskStride = (static_cast<size_t>(image.width) + 31) / 32 * 4;
    pixels.resize(pixels.size() + maskStride * image.height, 0);
    Bytes dib = makeBmp(image.width, image.height * 2, 32, 0, {}, pixels, {.bare = true});
    return dib;
}

Bytes makeIconDib1(int32_t width, int32_t height, const std::vector<bool>& white, const std::vector<bool>& transparent)
{
    const size_t stride = (static_cast<size_t>(width) + 31) / 32 * 4;
    Bytes pixels(stride * height * 2, 0);
    for (int32_t row = 0; row < height; ++row) {
        const int32_t y = height - 1 - row;
        for (int32_t x = 0; x < width; ++x) {
            const uint8_t bit = static_cast<uint8_t>(0x80 >> (x % 8));
            if (white[static_cast<size_t>(y * width + x)])
                pixels[row * stride + x / 8] |= bit;
            if (transparent[static_cast<size_t>(y * width + x)])
                pixels[(height + row) * stride + x / 8] |= bit;
        }
    }
    return makeBmp(width, height * 2, 1, 0, {0xFF000000, 0xFFFFFFFF}, pixels, {.bare = true});
}

Bytes makeWmf(const WmfOptions& options)
{
    Bytes out;
    if (options.placeableBounds) {
        putLittleEndian32(out, 0x9AC6CDD7);
        putLittleEndian16(out, 0);
        for (const int16_t value : *options.placeableBounds)
            putLittleEndian16(out, static_cast<uint16_t>(value));
        putLittleEndian16(out, options.unitsPerInch);
        putLittleEndian32(out, 0);
        uint16_t checksum = 0;
        for (size_t i = 0; i < 20; i += 2)
            checksum ^= static_cast<uint16_t>(out[i] | out[i + 1] << 8);
        putLittleEndian16(out, checksum);
    }
    Bytes records;
    if (options.mapMode) {
        putLittleEndian32(records, 4);
        putLittleEndian16(records, 0x0103);
        putLittleEndian16(records, *options.mapMode);
    }
    if (options.windowExtent) {
        putLittleEndian32(records, 5);
        putLittleEndian16(records, 0x020C);
        putLittleEndian16(records, static_cast<uint16_t>(options.windowExtent->second));
        putLittleEndian16(records, static_cast<uint16_t>(options.windowExtent->first));
    }
    if (options.endRecord) {
        putLittleEndian32(records, 3);
        putLittleEndian16(records, 0);
    }
    putLittleEndian16(out, 1);
    putLittleEndian16(out, 9);
    putLittleEndian16(out, 0x0300);
    putLittleEndian32(out, static_cast<uint32_t>((18 + records.size()) / 2));
    putLittleEndian16(out, 0);
    putLittleEndian32(out, 5);
    putLittleEndian16(out, 0);
    out.insert(out.end(), records.begin(), records.end());
    return out;
}

Bytes makeEmf(const EmfOptions& options)
{
    Bytes records;
    if (options.windowExtent) {
        putLittleEndian32(records, 9);
        putLittleEndian32(records, 16);
        putLittleEndian32(records, static_cast<uint32_t>(options.windowExtent->first));
        putLittleEndian32(records, static_cast<uint32_t>(options.windowExtent->second));
    }
    if (options.endRecord) {
        putLittleEndian32(records, 14);
        putLittleEndian32(records, 20);
        putLittleEndian32(records, 0);
        putLittleEndian32(records, 16);
        putLittleEndian32(records, 20);
    }
    Bytes out;
    putLittleEndian32(out, 1);
    putLittleEndian32(out, 88);
    for (const int32_t value : options.bounds)
        putLittleEndian32(out, static_cast<uint32_t>(value));
    for (const int32_t value : options.frame)
        putLittleEndian32(out, static_cast<uint32_t>(value));
    putLittleEndian32(out, 0x464D4520);
    putLittleEndian32(out, 0x10000);
    putLittleEndian32(out, static_cast<uint32_t>(88 + records.size()));
    putLittleEndian32(out, options.windowExtent ? 3 : 2);
    putLittleEndian16(out, 1);
    putLittleEndian16(out, 0);
    putLittleEndian32(out, 0);
    putLittleEndian32(out, 0);
    putLittleEndian32(out, 0);
    for (const int32_t value : options.devicePixels)
        putLittleEndian32(out, static_cast<uint32_t>(value));
    for (const int32_t value : options.deviceMillimeters)
        putLittleEndian32(out, static_cast<uint32_t>(value));
    out.insert(out.end(), records.begin(), records.end());
    return out;
}

} // namespace velmo::testing

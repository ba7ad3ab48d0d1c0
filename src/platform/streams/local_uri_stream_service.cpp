#include "platform/streams/local_uri_stream_service.h"

#include "core/editor_exception.h"
#include "core/file_io.h"
#include "core/hex_digit.h"
#include "core/unicode_text.h"

#include <openssl/evp.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <memory>

namespace velmo::platform {

namespace {

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

/// "%XX" escapes replaced by their byte; nullopt for a broken escape.
std::optional<std::string> percentDecode(std::string_view text)
{
    std::string result;
    result.reserve(text.size());
    for (size_t index = 0; index < text.size(); ++index) {
        if (text[index] != '%') {
            result.push_back(text[index]);
            continue;
        }
        if (index + 2 >= text.size())
            return std::nullopt;
        const int high = core::hexDigitValue(text[index + 1]);
        const int low = core::hexDigitValue(text[index + 2]);
        if (high < 0 || low < 0)
            return std::nullopt;
        result.push_back(static_cast<char>(high * 16 + low));
        index += 2;
    }
    return result;
}

/// Base64 through OpenSSL's decoder, which skips line breaks and checks the padding.
std::optional<std::vector<uint8_t>> decodeBase64(std::string_view text)
{
    std::string compact;
    compact.reserve(text.size());
    for (const char character : text) {
        if (!std::isspace(static_cast<unsigned char>(character)))
            compact.push_back(character);
    }
    const std::unique_ptr<EVP_ENCODE_CTX, decltype(&EVP_ENCODE_CTX_free)> context(EVP_ENCODE_CTX_new(), EVP_ENCODE_CTX_free);
    if (!context)
        return std::nullopt;
    EVP_DecodeInit(context.get());
    std::vector<uint8_t> result(compact.size() / 4 * 3 + 3);
    int written = 0;
    int total = 0;
    constexpr size_t kPiece = 1 << 16; // the decoder takes an int length
    for (size_t offset = 0; offset < compact.size(); offset += kPiece) {
        const size_t length = std::min(kPiece, compact.size() - offset);
        if (EVP_DecodeUpdate(context.get(), result.data() + total, &written,
                             reinterpret_cast<const unsigned char*>(compact.data() + offset), static_cast<int>(length)) < 0)
            return std::nullopt;
        total += written;
    }
    if (EVP_DecodeFinal(context.get(), result.data() + total, &written) < 0)
        return std::nullopt;
    total += written;
    result.resize(static_cast<size_t>(total));
    return result;
}

} // namespace

std::optional<std::vector<uint8_t>> decodeDataUri(std::string_view uri)
{
    if (!startsWithIgnoringCase(uri, "data:"))
        return std::nullopt;
    const size_t comma = uri.find(',');
    if (comma == std::string_view::npos)
        return std::nullopt;
    const std::string_view header = uri.substr(5, comma - 5);
    const std::optional<std::string> payload = percentDecode(uri.substr(comma + 1));
    if (!payload)
        return std::nullopt;
    const bool isBase64 = header.size() >= 7 && startsWithIgnoringCase(header.substr(header.size() - 7), ";base64");
    if (isBase64)
        return decodeBase64(*payload);
    return std::vector<uint8_t>(payload->begin(), payload->end());
}

std::optional<std::string> filePathOfUri(std::string_view uri)
{
    if (!startsWithIgnoringCase(uri, "file:"))
        return std::nullopt;
    std::string_view rest = uri.substr(5);
    if (rest.starts_with("//")) {
        rest.remove_prefix(2);
        const size_t slash = rest.find('/');
        if (slash == std::string_view::npos)
            return std::nullopt;
        const std::string_view host = rest.substr(0, slash);
        const bool isLocal = host.empty() || (host.size() == 9 && startsWithIgnoringCase(host, "localhost"));
        if (!isLocal)
            return std::nullopt;
        rest.remove_prefix(slash);
    }
    if (!rest.starts_with("/"))
        return std::nullopt;
    const size_t query = rest.find_first_of("?#");
    std::optional<std::string> path = percentDecode(rest.substr(0, query));
    if (!path || path->find('\0') != std::string::npos)
        return std::nullopt;
    return path;
}

std::optional<std::vector<uint8_t>> LocalUriStreamService::open(std::u16string_view uri, const std::atomic<bool>& cancelled) const
{
    if (cancelled.load())
        return std::nullopt;
    try {
        const std::string text = core::utf16ToUtf8(uri);
        if (startsWithIgnoringCase(text, "data:")) {
            if (static_cast<int64_t>(text.size()) > kMaxResourceSize * 2)
                return std::nullopt;
            return decodeDataUri(text);
        }
        const std::optional<std::string> path = filePathOfUri(text);
        if (!path)
            return std::nullopt;
        std::error_code error;
        const auto size = std::filesystem::file_size(std::filesystem::path(*path), error);
        if (error || size > static_cast<uintmax_t>(kMaxResourceSize))
            return std::nullopt;
        return core::readFile(*path);
    } catch (const core::EditorException&) {
        return std::nullopt;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

} // namespace velmo::platform

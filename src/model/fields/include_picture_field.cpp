#include "model/fields/include_picture_field.h"

#include "core/editor_exception.h"
#include "core/unicode_text.h"
#include "model/document_model.h"
#include "model/fields/field_result_model.h"
#include "model/piece_table.h"
#include "model/pictures/document_images.h"
#include "model/pictures/office_image.h"
#include "model/pictures/office_image_reference.h"
#include "model/pictures/picture_editing.h"
#include "platform/uri_stream_service.h"

#include <algorithm>
#include <atomic>

namespace velmo::model {

namespace {

bool startsWithFileScheme(std::u16string_view name) noexcept
{
    if (name.size() < 5 || name[4] != u':')
        return false;
    return std::equal(name.begin(), name.begin() + 4, u"file", [](char16_t a, char16_t b) { return (a | 0x20) == b; });
}

/// Whether the name starts with a URI scheme of two or more characters ("http:", "data:").
bool hasOtherScheme(std::u16string_view name) noexcept
{
    const size_t colon = name.find(u':');
    if (colon == std::u16string_view::npos || colon < 2)
        return false;
    return std::all_of(name.begin(), name.begin() + static_cast<std::ptrdiff_t>(colon), [](char16_t c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || (c >= u'0' && c <= u'9') || c == u'+' ||
               c == u'-' || c == u'.';
    });
}

std::u16string collapseDoubledBackslashes(std::u16string_view name)
{
    std::u16string result;
    for (size_t index = 0; index < name.size(); ++index) {
        result.push_back(name[index]);
        if (name[index] == u'\\' && index + 1 < name.size() && name[index + 1] == u'\\')
            ++index;
    }
    return result;
}

/// A local path as a "file:" address: the characters that mean something in an address escaped.
std::u16string fileUriOfPath(std::u16string_view path)
{
    static constexpr char16_t kHex[] = u"0123456789ABCDEF";
    std::u16string result = u"file://";
    for (const char16_t character : path) {
        if (character == u'%' || character == u'?' || character == u'#' || character < 0x20) {
            result.push_back(u'%');
            result.push_back(kHex[character >> 4 & 0xF]);
            result.push_back(kHex[character & 0xF]);
        } else {
            result.push_back(character);
        }
    }
    return result;
}

std::u16string folderOf(std::u16string_view fileName)
{
    const size_t slash = fileName.find_last_of(u"/\\");
    return slash == std::u16string_view::npos ? std::u16string() : std::u16string(fileName.substr(0, slash));
}

} // namespace

UpdateFieldOperationTypes IncludePictureField::allowedUpdateTypes(const std::optional<FieldUpdateOnLoadOptions>&) const
{
    if (!instructions().hasSwitch(u"\\d"))
        return {UpdateFieldOperationType::Normal};
    // Loading a document never reads the files it links to.
    UpdateFieldOperationTypes types = UpdateFieldOperationTypes::all();
    types.remove(UpdateFieldOperationType::Load);
    return types;
}

std::vector<std::u16string> IncludePictureField::fileUris(std::u16string_view folder) const
{
    const std::u16string name = instructions().argumentText(0);
    std::vector<std::u16string> result;
    const auto add = [&result](std::u16string uri) {
        if (std::find(result.begin(), result.end(), uri) == result.end())
            result.push_back(std::move(uri));
    };
    if (name.empty())
        return result;
    if (startsWithFileScheme(name)) {
        add(name);
        return result;
    }
    if (hasOtherScheme(name))
        return result;
    for (std::u16string path : {name, collapseDoubledBackslashes(name)}) {
        std::replace(path.begin(), path.end(), u'\\', u'/'); // this system separates folders with slashes
        if (!path.starts_with(u'/')) {
            if (folder.empty())
                continue;
            path = std::u16string(folder) + u"/" + path;
        }
        add(fileUriOfPath(path));
    }
    return result;
}

CalculatedFieldValue IncludePictureField::getCalculatedValue(const FieldCalculationContext& context)
{
    const DocumentModel& documentModel = context.documentModel();
    const DocumentFieldServices& services = documentModel.fieldServices();
    const std::u16string& fileName = documentModel.saveOptions().currentFileName;
    const std::u16string folder = fileName.empty() ? services.programFolder : folderOf(fileName);
    const std::atomic<bool> cancelled{false};
    for (const std::u16string& uri : fileUris(folder)) {
        if (!services.uriStreamService)
            break;
        const std::optional<std::vector<uint8_t>> bytes = services.uriStreamService->open(uri, cancelled);
        if (!bytes)
            continue;
        std::unique_ptr<DocumentModel> result = createFieldResultModel(documentModel);
        std::unique_ptr<OfficeImageReference> image = result->images().createImage(*bytes);
        if (!image->image().loadError().empty())
            continue;
        insertInlinePicture(result->mainPieceTable(), DocumentLogPosition(0), *image);
        return CalculatedFieldValue(std::move(result));
    }
    throw core::EditorException::invalidValue(core::utf16ToUtf8(instructions().argumentText(0)), "INCLUDEPICTURE");
}

} // namespace velmo::model

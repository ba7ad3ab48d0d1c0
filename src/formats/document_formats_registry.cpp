#include "formats/document_formats_registry.h"

#include "formats/docx/open_xml_format.h"
#include "formats/plain_text_format.h"

#include <algorithm>
#include <mutex>

namespace velmo::formats {

namespace {

struct Registry {
    std::vector<std::unique_ptr<IImportFileFormat>> importFormats;
    std::vector<std::unique_ptr<IExportFileFormat>> exportFormats;
};

Registry& registry()
{
    static Registry instance;
    return instance;
}

template <typename Entry>
const Entry* findFormat(const std::vector<std::unique_ptr<Entry>>& entries, model::DocumentFormat format)
{
    for (const auto& entry : entries) {
        if (entry->format() == format)
            return entry.get();
    }
    return nullptr;
}

template <typename Entry>
model::DocumentFormat formatByExtension(const std::vector<std::unique_ptr<Entry>>& entries, std::u16string_view fileName)
{
    const std::u16string extension = fileExtensionOf(fileName);
    if (extension.empty())
        return model::DocumentFormat::Undefined;
    for (const auto& entry : entries) {
        if (entry->filter().hasExtension(extension))
            return entry->format();
    }
    return model::DocumentFormat::Undefined;
}

} // namespace

std::u16string fileExtensionOf(std::u16string_view fileName)
{
    const size_t slash = fileName.find_last_of(u"/\\");
    const size_t dot = fileName.find_last_of(u'.');
    if (dot == std::u16string_view::npos || (slash != std::u16string_view::npos && dot < slash))
        return {};
    std::u16string extension(fileName.substr(dot + 1));
    for (char16_t& character : extension) {
        if (character >= u'A' && character <= u'Z')
            character = static_cast<char16_t>(character - u'A' + u'a');
    }
    return extension;
}

void DocumentFormatsRegistry::registerBuiltInFormats()
{
    static std::once_flag once;
    std::call_once(once, [] {
        registerImportFormat(std::make_unique<PlainTextImportFormat>());
        registerExportFormat(std::make_unique<PlainTextExportFormat>());
        registerImportFormat(std::make_unique<OpenXmlImportFormat>());
        registerExportFormat(std::make_unique<OpenXmlExportFormat>());
    });
}

void DocumentFormatsRegistry::registerImportFormat(std::unique_ptr<IImportFileFormat> format)
{
    if (!findFormat(registry().importFormats, format->format()))
        registry().importFormats.push_back(std::move(format));
}

void DocumentFormatsRegistry::registerExportFormat(std::unique_ptr<IExportFileFormat> format)
{
    if (!findFormat(registry().exportFormats, format->format()))
        registry().exportFormats.push_back(std::move(format));
}

void DocumentFormatsRegistry::unregisterImportFormat(model::DocumentFormat format)
{
    std::erase_if(registry().importFormats, [format](const auto& entry) { return entry->format() == format; });
}

void DocumentFormatsRegistry::unregisterExportFormat(model::DocumentFormat format)
{
    std::erase_if(registry().exportFormats, [format](const auto& entry) { return entry->format() == format; });
}

const IImportFileFormat* DocumentFormatsRegistry::importFormat(model::DocumentFormat format)
{
    return findFormat(registry().importFormats, format);
}

const IExportFileFormat* DocumentFormatsRegistry::exportFormat(model::DocumentFormat format)
{
    return findFormat(registry().exportFormats, format);
}

bool DocumentFormatsRegistry::isFormatSupported(model::DocumentFormat format)
{
    return importFormat(format) || exportFormat(format);
}

std::u16string DocumentFormatsRegistry::fileExtension(model::DocumentFormat format)
{
    if (const IExportFileFormat* exporter = exportFormat(format); exporter && !exporter->filter().extensions.empty())
        return exporter->filter().extensions.front();
    if (const IImportFileFormat* importer = importFormat(format); importer && !importer->filter().extensions.empty())
        return importer->filter().extensions.front();
    return {};
}

const std::vector<std::unique_ptr<IImportFileFormat>>& DocumentFormatsRegistry::importFormats()
{
    return registry().importFormats;
}

const std::vector<std::unique_ptr<IExportFileFormat>>& DocumentFormatsRegistry::exportFormats()
{
    return registry().exportFormats;
}

std::vector<FileDialogFilter> DocumentFormatsRegistry::openDialogFilters()
{
    std::vector<FileDialogFilter> filters;
    filters.push_back(FileDialogFilter{u"All Files", {u"*"}});
    FileDialogFilter supported{u"All Files", {}};
    for (const auto& importer : importFormats()) {
        for (const std::u16string& extension : importer->filter().extensions) {
            if (!supported.hasExtension(extension))
                supported.extensions.push_back(extension);
        }
    }
    filters.push_back(std::move(supported));
    for (const auto& importer : importFormats()) {
        if (!importer->filter().extensions.empty())
            filters.push_back(importer->filter());
    }
    return filters;
}

std::vector<FileDialogFilter> DocumentFormatsRegistry::saveDialogFilters()
{
    std::vector<FileDialogFilter> filters;
    for (const auto& exporter : exportFormats()) {
        if (!exporter->filter().extensions.empty())
            filters.push_back(exporter->filter());
    }
    return filters;
}

int32_t DocumentFormatsRegistry::preselectedSaveFilter(model::DocumentFormat currentFormat, model::DocumentFormat defaultFormat)
{
    const model::DocumentFormat wanted = currentFormat == model::DocumentFormat::Undefined ? defaultFormat : currentFormat;
    int32_t filter = 0;
    for (const auto& exporter : exportFormats()) {
        if (exporter->filter().extensions.empty())
            continue;
        if (exporter->format() == wanted)
            return filter;
        ++filter;
    }
    return 0;
}

model::DocumentFormat DocumentFormatsRegistry::importFormatByExtension(std::u16string_view fileName)
{
    return formatByExtension(importFormats(), fileName);
}

model::DocumentFormat DocumentFormatsRegistry::chooseImportFormat(std::u16string_view fileName, int32_t selectedFilter)
{
    const model::DocumentFormat byExtension = importFormatByExtension(fileName);
    if (byExtension != model::DocumentFormat::Undefined)
        return byExtension;
    // The two "All Files" entries come first and select no reader.
    constexpr int32_t kFirstReaderFilter = 2;
    std::vector<const IImportFileFormat*> withFilters;
    for (const auto& importer : importFormats()) {
        if (!importer->filter().extensions.empty())
            withFilters.push_back(importer.get());
    }
    const int32_t reader = selectedFilter - kFirstReaderFilter;
    if (reader >= 0 && reader < static_cast<int32_t>(withFilters.size()))
        return withFilters[static_cast<size_t>(reader)]->format();
    return importFormat(model::DocumentFormat::PlainText) ? model::DocumentFormat::PlainText : model::DocumentFormat::Undefined;
}

model::DocumentFormat DocumentFormatsRegistry::chooseExportFormat(std::u16string_view fileName, int32_t selectedFilter)
{
    const model::DocumentFormat byExtension = formatByExtension(exportFormats(), fileName);
    if (byExtension != model::DocumentFormat::Undefined)
        return byExtension;
    std::vector<const IExportFileFormat*> withFilters;
    for (const auto& exporter : exportFormats()) {
        if (!exporter->filter().extensions.empty())
            withFilters.push_back(exporter.get());
    }
    if (selectedFilter >= 0 && selectedFilter < static_cast<int32_t>(withFilters.size()))
        return withFilters[static_cast<size_t>(selectedFilter)]->format();
    return model::DocumentFormat::Undefined;
}

std::vector<DocumentFormatRating> DocumentFormatsRegistry::rateFormats(std::span<const uint8_t> bytes,
                                                                      std::u16string_view fileName,
                                                                      model::DocumentFormat excluded)
{
    std::vector<DocumentFormatRating> ratings;
    if (bytes.empty())
        return ratings;
    for (const auto& importer : importFormats()) {
        if (importer->format() == excluded)
            continue;
        const int32_t rate = importer->rate(bytes, fileName);
        if (rate > 0)
            ratings.push_back(DocumentFormatRating{importer->format(), rate});
    }
    std::stable_sort(ratings.begin(), ratings.end(),
                     [](const DocumentFormatRating& a, const DocumentFormatRating& b) { return a.rate > b.rate; });
    return ratings;
}

} // namespace velmo::formats

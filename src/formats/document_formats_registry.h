#pragma once

#include "formats/document_exporter_options.h"
#include "formats/document_importer_options.h"
#include "formats/file_dialog_filter.h"
#include "model/document_format.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace velmo::model {
class DocumentModel;
}

namespace velmo::formats {

class DocumentModelExporter;
class DocumentModelImporter;

/// A format that can be read: its filter, its reader, and how sure it is that bytes are its own.
class IImportFileFormat {
public:
    virtual ~IImportFileFormat() = default;
    [[nodiscard]] virtual model::DocumentFormat format() const noexcept = 0;
    [[nodiscard]] virtual FileDialogFilter filter() const = 0;
    [[nodiscard]] virtual std::unique_ptr<DocumentModelImporter> createImporter(model::DocumentModel& documentModel,
                                                                               const DocumentImporterOptions& options) const = 0;
    /// 0 when the bytes are not of this format; higher is surer. `fileName` may be empty.
    [[nodiscard]] virtual int32_t rate(std::span<const uint8_t> bytes, std::u16string_view fileName) const = 0;
};

/// A format that can be written.
class IExportFileFormat {
public:
    virtual ~IExportFileFormat() = default;
    [[nodiscard]] virtual model::DocumentFormat format() const noexcept = 0;
    [[nodiscard]] virtual FileDialogFilter filter() const = 0;
    [[nodiscard]] virtual std::unique_ptr<DocumentModelExporter> createExporter(const model::DocumentModel& documentModel,
                                                                               const DocumentExporterOptions& options) const = 0;
    [[nodiscard]] virtual bool supportsEncryption() const noexcept { return false; }
};

/// A format and how sure its reader is that some bytes are in it.
struct DocumentFormatRating {
    model::DocumentFormat format = model::DocumentFormat::Undefined;
    int32_t rate = 0;
};

/// The process-wide list of readers and writers, in registration order. Filled once at start-up
/// (registerBuiltInFormats) and read-only afterwards.
class DocumentFormatsRegistry {
public:
    /// Registers every built-in format once: plain text first, then the others.
    static void registerBuiltInFormats();
    /// A second registration of the same format is ignored.
    static void registerImportFormat(std::unique_ptr<IImportFileFormat> format);
    static void registerExportFormat(std::unique_ptr<IExportFileFormat> format);
    static void unregisterImportFormat(model::DocumentFormat format);
    static void unregisterExportFormat(model::DocumentFormat format);

    [[nodiscard]] static const IImportFileFormat* importFormat(model::DocumentFormat format);
    [[nodiscard]] static const IExportFileFormat* exportFormat(model::DocumentFormat format);
    [[nodiscard]] static bool isFormatSupported(model::DocumentFormat format);
    /// The first extension of the format's filter; empty when none.
    [[nodiscard]] static std::u16string fileExtension(model::DocumentFormat format);
    [[nodiscard]] static const std::vector<std::unique_ptr<IImportFileFormat>>& importFormats();
    [[nodiscard]] static const std::vector<std::unique_ptr<IExportFileFormat>>& exportFormats();

    /// The open dialog's filters: "All Files", all supported files, then one per reader.
    [[nodiscard]] static std::vector<FileDialogFilter> openDialogFilters();
    /// The save dialog's filters: one per writer.
    [[nodiscard]] static std::vector<FileDialogFilter> saveDialogFilters();
    /// Which save-dialog filter starts selected: the current format's, or the default format's
    /// when the document has none yet; the first filter when neither has one.
    [[nodiscard]] static int32_t preselectedSaveFilter(model::DocumentFormat currentFormat, model::DocumentFormat defaultFormat);
    /// The reader the file's extension (case-insensitive) names; Undefined when none does.
    [[nodiscard]] static model::DocumentFormat importFormatByExtension(std::u16string_view fileName);
    /// The reader for a file: by its extension (case-insensitive), else by the chosen open-dialog
    /// filter (an index into openDialogFilters(), -1 for none), else plain text.
    [[nodiscard]] static model::DocumentFormat chooseImportFormat(std::u16string_view fileName, int32_t selectedFilter = -1);
    /// The writer for a file: by its extension, else by the chosen save-dialog filter; Undefined when neither.
    [[nodiscard]] static model::DocumentFormat chooseExportFormat(std::u16string_view fileName, int32_t selectedFilter = -1);
    /// Every reader's rating of the bytes, surest first, zero ratings dropped; `excluded` is not asked.
    [[nodiscard]] static std::vector<DocumentFormatRating> rateFormats(std::span<const uint8_t> bytes, std::u16string_view fileName,
                                                                      model::DocumentFormat excluded = model::DocumentFormat::Undefined);
};

/// The extension of a file name, lower-cased, without its dot; empty when none.
[[nodiscard]] std::u16string fileExtensionOf(std::u16string_view fileName);

} // namespace velmo::formats

#include "tools/velmo_commands.h"

#include "core/editor_exception.h"
#include "core/encoding.h"
#include "core/unicode_text.h"
#include "formats/document_file_service.h"
#include "formats/document_formats_registry.h"
#include "model/document_dump.h"
#include "model/document_model.h"
#include "model/fields/field_updater.h"
#include "model/piece_table.h"
#include "platform/codecs/standard_image_codec.h"

#include <charconv>
#include <optional>
#include <ostream>

namespace velmo::tools {

namespace {

constexpr const char* kUsage =
    "Usage:\n"
    "  velmo convert IN OUT [--to FORMAT] [--encoding CODEPAGE] [--from-encoding CODEPAGE]\n"
    "                [--update-fields]\n"
    "      Reads IN and writes OUT. The formats follow the file extensions (txt, docx; docm,\n"
    "      dotx and dotm are read as docx); --to names the output format by its extension.\n"
    "      Text is written as UTF-8 with a byte order mark unless --encoding gives another\n"
    "      Windows code page number (1252, 1250, 65001...).\n"
    "      --from-encoding reads a text input in that code page instead of detecting it.\n"
    "      --update-fields recalculates every field (tables of contents, dates, formulas...)\n"
    "      after reading, as the editor's update-all-fields does.\n"
    "  velmo dump FILE [--from-encoding CODEPAGE] [--update-fields]\n"
    "      Prints the document model of FILE: sections, paragraphs and runs.\n"
    "  velmo --help\n"
    "      Prints this text.\n"
    "\n"
    "Exit codes: 0 success, 1 the input could not be read or the output not written, 2 bad usage.\n";

constexpr int kUtf8CodePage = 65001;

/// The codec documents read their pictures with, so that they keep their formats and sizes.
const platform::IImageCodec& imageCodec()
{
    static const platform::StandardImageCodec codec;
    return codec;
}

struct Options {
    std::vector<std::string> positional;
    std::optional<std::string> to;
    std::optional<core::Encoding> encoding;
    std::optional<core::Encoding> fromEncoding;
    bool updateFields = false;
};

class UsageError {
public:
    explicit UsageError(std::string message) : message_(std::move(message)) {}
    [[nodiscard]] const std::string& message() const noexcept { return message_; }

private:
    std::string message_;
};

core::Encoding parseCodePage(const std::string& option, const std::string& value)
{
    int codePage = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), codePage);
    if (error != std::errc() || end != value.data() + value.size())
        throw UsageError(option + " takes a code page number, not '" + value + "'");
    try {
        return core::Encoding::fromCodePage(codePage);
    } catch (const core::EditorException&) {
        throw UsageError("unknown code page " + value);
    }
}

Options parseOptions(const std::vector<std::string>& arguments, size_t first)
{
    Options options;
    for (size_t index = first; index < arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        const auto value = [&]() -> const std::string& {
            if (index + 1 >= arguments.size())
                throw UsageError(argument + " needs a value");
            return arguments[++index];
        };
        if (argument == "--to")
            options.to = value();
        else if (argument == "--encoding")
            options.encoding = parseCodePage(argument, value());
        else if (argument == "--from-encoding")
            options.fromEncoding = parseCodePage(argument, value());
        else if (argument == "--update-fields")
            options.updateFields = true;
        else if (argument.size() > 1 && argument[0] == '-')
            throw UsageError("unknown option " + argument);
        else
            options.positional.push_back(argument);
    }
    return options;
}

void load(model::DocumentModel& document, const std::string& path, const Options& options)
{
    formats::PlainTextDocumentImporterOptions importOptions;
    if (options.fromEncoding) {
        importOptions.encoding = options.fromEncoding;
        importOptions.autoDetectEncoding = false;
    }
    formats::loadDocument(document, path, model::DocumentFormat::Undefined, importOptions);
    if (options.updateFields) {
        for (model::PieceTable* story : document.pieceTables(true))
            model::FieldUpdater(*story).updateFields(model::UpdateFieldOperationType::Normal);
    }
}

ExitCode convert(const Options& options, std::ostream& err)
{
    if (options.positional.size() != 2)
        throw UsageError("convert takes an input and an output file");
    const std::string& input = options.positional[0];
    const std::string& output = options.positional[1];
    const std::u16string outputName = core::utf8ToUtf16(options.to ? "output." + *options.to : output);
    const model::DocumentFormat format = formats::DocumentFormatsRegistry::chooseExportFormat(outputName);
    if (format == model::DocumentFormat::Undefined)
        throw UsageError("no writer for '" + (options.to ? *options.to : output) + "'");
    model::DocumentModel document(nullptr, &imageCodec());
    try {
        load(document, input, options);
    } catch (const core::EditorException& error) {
        err << "velmo: cannot read " << error.what() << "\n";
        return ExitCode::CannotRead;
    }
    formats::PlainTextDocumentExporterOptions exportOptions;
    exportOptions.encoding = options.encoding ? *options.encoding : core::Encoding::fromCodePage(kUtf8CodePage);
    try {
        formats::saveDocument(document, output, format, exportOptions);
    } catch (const core::EditorException& error) {
        err << "velmo: cannot write " << error.what() << "\n";
        return ExitCode::CannotRead;
    }
    return ExitCode::Ok;
}

ExitCode dump(const Options& options, std::ostream& out, std::ostream& err)
{
    if (options.positional.size() != 1)
        throw UsageError("dump takes one file");
    model::DocumentModel document(nullptr, &imageCodec());
    try {
        load(document, options.positional[0], options);
    } catch (const core::EditorException& error) {
        err << "velmo: cannot read " << error.what() << "\n";
        return ExitCode::CannotRead;
    }
    out << model::dumpDocument(document);
    return ExitCode::Ok;
}

} // namespace

ExitCode runVelmo(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err)
{
    formats::DocumentFormatsRegistry::registerBuiltInFormats();
    try {
        if (arguments.empty())
            throw UsageError("no command given");
        const std::string& command = arguments[0];
        if (command == "--help" || command == "-h" || command == "help") {
            out << kUsage;
            return ExitCode::Ok;
        }
        const Options options = parseOptions(arguments, 1);
        if (command == "convert")
            return convert(options, err);
        if (command == "dump")
            return dump(options, out, err);
        throw UsageError("unknown command '" + command + "'");
    } catch (const UsageError& error) {
        err << "velmo: " << error.message() << "\n\n" << kUsage;
        return ExitCode::BadUsage;
    }
}

} // namespace velmo::tools

#include "formats/docx/open_xml_importer.h"

#include "core/editor_exception.h"
#include "formats/docx/open_xml_drawing_reader.h"
#include "formats/docx/open_xml_story_builder.h"
#include "model/content_type.h"
#include "model/document_model.h"
#include "model/piece_table.h"
#include "model/pictures/z_order_manager.h"
#include "model/section.h"

#include <algorithm>
#include <array>

namespace velmo::formats {

namespace {

constexpr std::array<uint8_t, 8> kCompoundFileSignature{0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};

/// An OLE compound file with an "EncryptionInfo" stream: how office applications store a
/// password-protected package.
bool isEncryptedPackage(std::span<const uint8_t> bytes)
{
    if (bytes.size() < kCompoundFileSignature.size() || !std::equal(kCompoundFileSignature.begin(), kCompoundFileSignature.end(), bytes.begin()))
        return false;
    static constexpr char16_t kStreamName[] = u"EncryptionInfo";
    std::array<uint8_t, 28> pattern{};
    for (size_t index = 0; index < 14; ++index)
        pattern[index * 2] = static_cast<uint8_t>(kStreamName[index]);
    return std::search(bytes.begin(), bytes.end(), pattern.begin(), pattern.end()) != bytes.end();
}

[[noreturn]] void throwNotAPackage()
{
    throw core::EditorException::invalidValue("MemoryStream", "stream");
}

} // namespace

OpenXmlImporter::OpenXmlImporter(model::DocumentModel& documentModel, OpenXmlDocumentImporterOptions options)
    : DocumentModelImporter(documentModel), options_(std::move(options)), attributes_(options_.ignoreParseErrors),
      properties_(attributes_, styleIds_, documentModel.cache())
{
}

OpenXmlImporter::~OpenXmlImporter() = default;

OpenXmlParagraphProperties OpenXmlImporter::emptyParagraphProperties() const
{
    // Records start from the caches' empty items, so that equal formatting gets equal indices.
    const model::DocumentCache& cache = documentModel_.cache();
    OpenXmlParagraphProperties properties;
    properties.formatting = cache.paragraphFormattingCache()[model::DocumentCache::kEmptyPropertiesIndex];
    properties.markFormatting = cache.characterFormattingCache()[model::DocumentCache::kEmptyPropertiesIndex];
    return properties;
}

void OpenXmlImporter::importContent(std::span<const uint8_t> bytes)
{
    documentModel_.beginSetContent();
    try {
        importPackage(bytes);
    } catch (...) {
        documentModel_.endSetContent(model::DocumentModelChangeType::LoadNewDocument, false);
        throw;
    }
    documentModel_.endSetContent(model::DocumentModelChangeType::LoadNewDocument, options_.updateFields, options_.fieldUpdateOnLoad);
}

std::optional<std::string> OpenXmlImporter::findRelatedPart(std::string_view typeWord, std::string_view defaultFileName) const
{
    const OpenXmlRelation* relation = mainRelations_.findByType(typeWord);
    if (relation && relation->isExternal())
        return std::nullopt;
    std::string name = OpenXmlPackage::resolveTarget(relation, rootFolder_, defaultFileName);
    if (!package_->hasPart(name))
        return std::nullopt;
    return name;
}

std::unique_ptr<XmlReader> OpenXmlImporter::openPart(const std::string& name, std::string_view rootName, std::vector<uint8_t>& storage,
                                                     bool required) const
{
    std::optional<std::vector<uint8_t>> bytes = package_->readPart(name);
    if (!bytes)
        return nullptr;
    storage = std::move(*bytes);
    auto reader = std::make_unique<XmlReader>(std::span<const uint8_t>(storage));
    // XML errors propagate wherever they are: the parser may find an error at the end of the
    // part before it reports the root, and a damaged part must not pass for an absent one.
    while (reader->read()) {
        if (reader->kind() == XmlNodeKind::StartElement)
            break;
    }
    if (reader->kind() != XmlNodeKind::StartElement || reader->localName() != rootName || !isWordElement(*reader)) {
        if (required)
            throwNotAPackage();
        return nullptr;
    }
    return reader;
}

void OpenXmlImporter::importPackage(std::span<const uint8_t> bytes)
{
    package_ = std::make_unique<OpenXmlPackage>(bytes);
    const auto readTextBox = [this](XmlReader& reader, model::PieceTable& pieceTable) { readTextBoxStory(reader, pieceTable); };
    drawings_ = std::make_unique<OpenXmlDrawingReader>(documentModel_, attributes_, *package_, readTextBox);
    const OpenXmlRelationCollection packageRelations = package_->readRelations("");
    const OpenXmlRelation* mainRelation = packageRelations.findByType("officeDocument");
    mainPartName_ = OpenXmlPackage::resolveTarget(mainRelation, "", "document.xml");
    if (!package_->hasPart(mainPartName_)) {
        if (isEncryptedPackage(bytes))
            throw core::EditorException(std::string(kEncryptedFilesNotSupportedMessage));
        throwNotAPackage();
    }
    rootFolder_ = std::string(OpenXmlPackage::folderOf(mainPartName_));
    mainRelations_ = package_->readRelations(mainPartName_);
    enterPart(mainRelations_, mainPartName_);

    std::vector<uint8_t> storage;
    if (const std::optional<std::string> settings = findRelatedPart("settings", "settings.xml")) {
        if (std::unique_ptr<XmlReader> reader = openPart(*settings, "settings", storage))
            readSettings(*reader);
    }
    if (const std::optional<std::string> styles = findRelatedPart("styles", "styles.xml")) {
        if (std::unique_ptr<XmlReader> reader = openPart(*styles, "styles", storage))
            readStyles(*reader);
    }
    importNumbering();

    std::unique_ptr<XmlReader> reader = openPart(mainPartName_, "document", storage, true);
    OpenXmlStoryBuilder story(documentModel_.mainPieceTable());
    forEachChildElement(*reader, [&] {
        if (!isWordElement(*reader)) {
            reader->skipSubtree();
        } else if (reader->localName() == "body") {
            readBlockContent(*reader, story);
        } else if (reader->localName() == "background") {
            if (const std::optional<model::AlphaColor> color = attributes_.color(*reader, "color"))
                documentModel_.changeDocumentInfo([&](model::DocumentInfo& info) { info.pageBackColor = *color; });
            reader->skipSubtree();
        } else {
            reader->skipSubtree();
        }
    });
    story.finish();
    reader.reset();

    importNotes("footnotes", "footnotes", "footnote", model::RunKind::FootNote);
    importNotes("endnotes", "endnotes", "endnote", model::RunKind::EndNote);
    importSections();
    insertAlternativeFormatChunks();
    drawings_->clear();
    model::normalizeZOrder(documentModel_);
    // Effective formatting worked out while the text went in knew neither the tables (which join
    // their stories at the end) nor their styles.
    documentModel_.resetFormattingCaches();
}

void OpenXmlImporter::importSections()
{
    const int32_t count = documentModel_.sectionCount();
    for (int32_t index = 0; index < count; ++index) {
        OpenXmlSectionProperties properties = OpenXmlSectionProperties::defaults(documentModel_.cache());
        if (index == count - 1 && !sections_.empty())
            properties = sections_.back();
        else if (static_cast<size_t>(index) < sections_.size())
            properties = sections_[static_cast<size_t>(index)];
        model::Section& section = documentModel_.section(SectionIndex(index));
        section.changeMargins([&](model::MarginsInfo& margins) { margins = properties.margins; });
        section.changePage([&](model::PageInfo& page) { page = properties.page; });
        section.changeColumns([&](model::ColumnsInfo& columns) { columns = properties.columns; });
        section.changeGeneralSettings([&](model::GeneralSectionInfo& general) { general = properties.general; });
        section.changePageNumbering([&](model::PageNumberingInfo& numbering) { numbering = properties.pageNumbering; });
        section.changeLineNumbering([&](model::LineNumberingInfo& numbering) { numbering = properties.lineNumbering; });
        section.changeFootNote([&](model::FootNoteInfo& note) { note = properties.footNote; });
        section.changeEndNote([&](model::FootNoteInfo& note) { note = properties.endNote; });

        // What a section does not name it shows as the section before it does.
        if (index > 0) {
            const model::Section& previous = documentModel_.section(SectionIndex(index - 1));
            for (const model::ContentTypeKind kind : {model::ContentTypeKind::Header, model::ContentTypeKind::Footer}) {
                for (const model::HeaderFooterType type : {model::HeaderFooterType::First, model::HeaderFooterType::Odd, model::HeaderFooterType::Even})
                    section.setHeaderFooterCore(kind, type, previous.headerFooter(kind, type));
            }
        }
        for (const OpenXmlHeaderFooterReference& reference : properties.headersFooters) {
            model::SectionHeaderFooterBase* story = nullptr;
            importHeaderFooter(reference, story);
            if (story)
                section.setHeaderFooterCore(reference.kind, reference.type, story);
        }
    }
}

void OpenXmlImporter::importHeaderFooter(const OpenXmlHeaderFooterReference& reference, model::SectionHeaderFooterBase*& target)
{
    const OpenXmlRelation* relation = mainRelations_.findById(reference.relationId);
    if (!relation || relation->isExternal())
        return;
    const std::string partName = OpenXmlPackage::resolveTarget(relation, rootFolder_, "");
    if (const auto found = headerFooterParts_.find(partName); found != headerFooterParts_.end()) {
        target = found->second;
        return;
    }
    const bool isHeader = reference.kind == model::ContentTypeKind::Header;
    std::vector<uint8_t> storage;
    std::unique_ptr<XmlReader> reader = openPart(partName, isHeader ? "hdr" : "ftr", storage);
    if (!reader)
        return;
    model::SectionHeaderFooterBase& story = documentModel_.createHeaderFooter(reference.kind, reference.type);
    const OpenXmlRelationCollection relations = package_->readRelations(partName);
    enterPart(relations, partName);
    OpenXmlStoryBuilder builder(story.pieceTable());
    readBlockContent(*reader, builder);
    builder.finish();
    enterPart(mainRelations_, mainPartName_);
    headerFooterParts_.emplace(partName, &story);
    target = &story;
}

void OpenXmlImporter::importNotes(std::string_view typeWord, std::string_view rootName, std::string_view noteName, model::RunKind kind)
{
    std::map<std::string, int32_t>& ids = kind == model::RunKind::FootNote ? footNoteIds_ : endNoteIds_;
    if (ids.empty())
        return;
    const std::optional<std::string> part = findRelatedPart(typeWord, std::string(rootName) + ".xml");
    if (!part)
        return;
    std::vector<uint8_t> storage;
    std::unique_ptr<XmlReader> reader = openPart(*part, rootName, storage);
    if (!reader)
        return;
    const OpenXmlRelationCollection relations = package_->readRelations(*part);
    enterPart(relations, *part);
    forEachChildElement(*reader, [&] {
        const auto found = reader->localName() == noteName ? ids.find(std::string(OpenXmlAttributes::text(*reader, "id").value_or("")))
                                                            : ids.end();
        if (found == ids.end()) {
            reader->skipSubtree();
            return;
        }
        model::NoteContentTypeBase& note = kind == model::RunKind::FootNote
                                               ? static_cast<model::NoteContentTypeBase&>(documentModel_.footNote(found->second))
                                               : documentModel_.endNote(found->second);
        ids.erase(found); // a second note with the same id adds nothing
        OpenXmlStoryBuilder builder(note.pieceTable());
        readBlockContent(*reader, builder);
        builder.finish();
    });
    enterPart(mainRelations_, mainPartName_);
}

void OpenXmlImporter::enterPart(const OpenXmlRelationCollection& relations, std::string_view partName)
{
    currentRelations_ = &relations;
    drawings_->setPart(relations, partName);
}

} // namespace velmo::formats

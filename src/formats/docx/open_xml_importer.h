#pragma once

#include "core/positions.h"
#include "formats/docx/open_xml_attributes.h"
#include "formats/docx/open_xml_package.h"
#include "formats/docx/open_xml_property_reader.h"
#include "formats/docx/open_xml_reading.h"
#include "formats/document_importer_options.h"
#include "formats/document_model_importer.h"
#include "model/run_base.h"
#include "model/style_base.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace velmo::model {
class PieceTable;
class SectionHeaderFooterBase;
}

namespace velmo::formats {

class OpenXmlDrawingReader;
class OpenXmlStoryBuilder;
struct OpenXmlParagraphEnd;

/// Settings of the word-processing package reader.
struct OpenXmlDocumentImporterOptions : DocumentImporterOptions {
    /// A value that cannot be parsed is skipped (that value only) instead of failing the load.
    bool ignoreParseErrors = true;
};

/// Reads a word-processing package (DOCX) into a document: settings, styles, the main document
/// with its sections, tables, headers and footers, and the notes it refers to. Unknown elements
/// are skipped with their content. Damaged containers, XML that is not well formed anywhere in a
/// part that is read, and a missing main document raise errors; the caller then keeps nothing.
class OpenXmlImporter final : public DocumentModelImporter {
public:
    OpenXmlImporter(model::DocumentModel& documentModel, OpenXmlDocumentImporterOptions options);
    ~OpenXmlImporter() override;

    void importContent(std::span<const uint8_t> bytes) override;

    /// Alternative-format chunks nest at most this deep (a chunk that is a package with chunks of
    /// its own); deeper ones are left out.
    static constexpr int32_t kMaxChunkNestingLevel = 8;
    /// Chunks read at most in one load, nested ones included.
    static constexpr int32_t kMaxChunks = 1'000;

private:
    /// One part being read: its name and relations.
    struct PartContext {
        std::string name;
        OpenXmlRelationCollection relations;
    };

    // Package level (open_xml_importer.cpp).
    void importPackage(std::span<const uint8_t> bytes);
    /// A part the main document relates to by type, or the default file in the main part's folder.
    [[nodiscard]] std::optional<std::string> findRelatedPart(std::string_view typeWord, std::string_view defaultFileName) const;
    /// Reads a part and positions a reader on its root element; none when the part is absent or
    /// has another root (for a `required` part that is the not-a-package error). XML errors
    /// propagate. The bytes are kept in `storage`.
    [[nodiscard]] std::unique_ptr<XmlReader> openPart(const std::string& name, std::string_view rootName,
                                                      std::vector<uint8_t>& storage, bool required = false) const;
    void importSections();
    void importHeaderFooter(const OpenXmlHeaderFooterReference& reference, model::SectionHeaderFooterBase*& target);
    void importNotes(std::string_view typeWord, std::string_view rootName, std::string_view noteName, model::RunKind kind);
    /// Makes the relations of the part `partName` the ones its content is read with.
    void enterPart(const OpenXmlRelationCollection& relations, std::string_view partName);

    [[nodiscard]] OpenXmlParagraphProperties emptyParagraphProperties() const;

    // Settings and styles (open_xml_settings_reader.cpp, open_xml_styles_reader.cpp).
    void readSettings(XmlReader& reader);
    void readStyles(XmlReader& reader);
    /// A style's references to other styles, resolved once every style is known.
    struct StyleLinks {
        model::StyleType type;
        int32_t index;
        std::string basedOn;
        std::string next;
    };
    /// Styles read at most: word processors keep a few thousand, and each costs time to link.
    static constexpr int32_t kMaxStyles = 10'000;
    void readStyle(XmlReader& reader, std::vector<StyleLinks>& links);
    void readDocumentDefaults(XmlReader& reader, model::CharacterFormattingBase& characterDefaults,
                              model::ParagraphFormattingBase& paragraphDefaults);
    void resolveStyleLinks(const std::vector<StyleLinks>& links);

    // Numbering (open_xml_numbering_reader.cpp).
    /// Makes the lists of the numbering part, if any, and gives the styles read before the lists
    /// they name.
    void importNumbering();
    /// The list a paragraph's "numPr" puts it in; a "numId" of 0 over a style's list takes that
    /// list away together with the indents it gave.
    void applyParagraphNumbering(OpenXmlParagraphProperties& properties, OpenXmlParagraphEnd& end) const;

    // Alternative-format chunks (open_xml_alternative_format_chunks.cpp).
    /// Notes the part an "altChunk" names and where its content goes.
    void recordAlternativeFormatChunk(XmlReader& reader, OpenXmlStoryBuilder& story);
    /// Reads each recorded chunk with the reader of its format and inserts its content, last first.
    void insertAlternativeFormatChunks();
    /// Reads a chunk's part into `fragment`; false when its format has no reader or it is damaged.
    bool readAlternativeFormatChunk(const std::string& partName, model::DocumentModel& fragment);

    // Story content (open_xml_content_reader.cpp).
    /// The children of "body", "hdr", "ftr", a note or a cell: paragraphs, tables and wrappers.
    void readBlockContent(XmlReader& reader, OpenXmlStoryBuilder& story);
    void readBlockElement(XmlReader& reader, OpenXmlStoryBuilder& story);
    void readParagraph(XmlReader& reader, OpenXmlStoryBuilder& story);
    void readParagraphContent(XmlReader& reader, OpenXmlStoryBuilder& story);
    void readRun(XmlReader& reader, OpenXmlStoryBuilder& story);
    void readRunContent(XmlReader& reader, OpenXmlStoryBuilder& story, int32_t propertiesIndex, int32_t styleIndex);
    void readHyperlink(XmlReader& reader, OpenXmlStoryBuilder& story);
    void readSimpleField(XmlReader& reader, OpenXmlStoryBuilder& story);
    void readNoteReference(XmlReader& reader, OpenXmlStoryBuilder& story, model::RunKind kind);
    /// "bookmarkStart" and "bookmarkEnd" (open_xml_bookmark_reader.cpp); false for other elements.
    bool readBookmarkMark(XmlReader& reader, OpenXmlStoryBuilder& story);
    void readTable(XmlReader& reader, OpenXmlStoryBuilder& story);
    /// A child of "tbl" other than its properties: rows, and wrappers around rows.
    void readTableContent(XmlReader& reader, OpenXmlStoryBuilder& story, OpenXmlTableProperties& table);
    void readTableRow(XmlReader& reader, OpenXmlStoryBuilder& story);
    /// A child of "tr" other than its properties: cells, and wrappers around cells.
    void readRowContent(XmlReader& reader, OpenXmlStoryBuilder& story, const std::function<void()>& startRow);
    void readTableCell(XmlReader& reader, OpenXmlStoryBuilder& story);
    /// Inserts text read from a "t" or "instrText": line ends become line breaks, other control
    /// characters are dropped.
    void insertRunText(OpenXmlStoryBuilder& story, std::u16string text);
    /// The content of a text box ("txbxContent") into its story.
    void readTextBoxStory(XmlReader& reader, model::PieceTable& pieceTable);

    OpenXmlDocumentImporterOptions options_;
    OpenXmlAttributes attributes_;
    OpenXmlStyleIds styleIds_;
    /// Style names to indices by kind, and how many styles the styles part gave.
    std::unordered_map<std::u16string, int32_t> paragraphStyleNames_;
    std::unordered_map<std::u16string, int32_t> characterStyleNames_;
    std::unordered_map<std::u16string, int32_t> tableStyleNames_;
    int32_t stylesRead_ = 0;
    OpenXmlPropertyReader properties_;
    std::unique_ptr<OpenXmlPackage> package_;
    std::string mainPartName_;
    std::string rootFolder_;
    OpenXmlRelationCollection mainRelations_;
    /// The relations of the part being read (the main part, a header or footer).
    const OpenXmlRelationCollection* currentRelations_ = nullptr;
    /// Pictures, floating objects and text boxes of the part being read.
    std::unique_ptr<OpenXmlDrawingReader> drawings_;
    /// Section properties in section order, as the body gives them.
    std::vector<OpenXmlSectionProperties> sections_;
    /// Notes referenced from the main story: XML id to the model's note index, per kind.
    std::map<std::string, int32_t> footNoteIds_;
    std::map<std::string, int32_t> endNoteIds_;
    /// Headers and footers already read, by part name, so sections that share a part share the story.
    std::unordered_map<std::string, model::SectionHeaderFooterBase*> headerFooterParts_;
    /// Lists by "numId": the index of the list instance made for it.
    std::unordered_map<int32_t, int32_t> numberingListIndices_;
    /// What styles say about lists, kept until the lists are read: paragraph styles by index
    /// with their "numPr", numbering styles by index with their "numId".
    std::vector<std::pair<int32_t, OpenXmlNumberingReference>> paragraphStyleNumbering_;
    std::vector<std::pair<int32_t, int32_t>> numberingStyleNumberingIds_;
    /// A chunk found in a story: the package part it is in and where its content goes.
    struct AlternativeFormatChunk {
        std::string partName;
        model::PieceTable* pieceTable;
        DocumentLogPosition logPosition;
    };
    std::vector<AlternativeFormatChunk> chunks_;
    /// How deep in chunks this package is (0 for the file itself), and the chunks the whole load
    /// may still read (shared with the readers of nested chunks; it outlives them).
    int32_t chunkNestingLevel_ = 0;
    int32_t ownChunkBudget_ = kMaxChunks;
    int32_t* chunkBudget_ = &ownChunkBudget_;
};

} // namespace velmo::formats

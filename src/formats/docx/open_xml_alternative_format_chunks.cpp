// Alternative-format chunks ("altChunk"): parts of the package in another format (a web page, a
// plain text, another word-processing package) whose content belongs where the element stands.
#include "core/editor_exception.h"
#include "core/unicode_text.h"
#include "formats/document_formats_registry.h"
#include "formats/docx/open_xml_importer.h"
#include "formats/docx/open_xml_story_builder.h"
#include "formats/zip/zip_member_name.h"
#include "model/document_model.h"
#include "model/insert_content_command.h"
#include "model/pictures/document_images.h"
#include "model/piece_table.h"
#include "model/tables/table_cells_manager.h"

namespace velmo::formats {

namespace {

/// Takes the empty paragraph that held a chunk's place away, unless it must stay: as the last
/// paragraph of its story or cell, or before a table.
void removePlaceholderParagraph(model::PieceTable& pieceTable, DocumentLogPosition logPosition)
{
    const ParagraphIndex index = pieceTable.findParagraphIndex(logPosition);
    if (index.value() + 1 >= pieceTable.paragraphCount() || pieceTable.paragraph(index).length() != 1)
        return;
    const model::TableCellsManager& cells = pieceTable.tableCellsManager();
    if (cells.cell(index) != cells.cell(index + 1))
        return;
    pieceTable.deleteContent(logPosition, 1);
}

} // namespace

void OpenXmlImporter::recordAlternativeFormatChunk(XmlReader& reader, OpenXmlStoryBuilder& story)
{
    const std::optional<std::string_view> id = OpenXmlAttributes::relationId(reader);
    reader.skipSubtree();
    // Chunks nested too deep, or beyond what one load reads, are left out.
    if (chunkNestingLevel_ >= kMaxChunkNestingLevel || static_cast<int32_t>(chunks_.size()) >= kMaxChunks)
        return;
    const OpenXmlRelation* relation = id ? currentRelations_->findById(*id) : nullptr;
    // Only parts of this package are read: never a file or address outside it.
    if (!relation || relation->isExternal())
        return;
    // Targets are taken from the main part's folder, where the parts with stories are.
    const std::string partName = resolveMemberName(OpenXmlPackage::resolveTarget(relation, rootFolder_, ""));
    if (partName.empty() || partName == ".." || partName.starts_with("../") || !package_->hasPart(partName))
        return;
    chunks_.push_back({partName, &story.pieceTable(), story.insertPlaceholderParagraph()});
}

bool OpenXmlImporter::readAlternativeFormatChunk(const std::string& partName, model::DocumentModel& fragment)
{
    const model::DocumentFormat format = DocumentFormatsRegistry::importFormatByExtension(core::utf8ToUtf16(partName));
    const IImportFileFormat* importFormat = DocumentFormatsRegistry::importFormat(format);
    // A chunk in a format without a reader (web archives, until web pages can be read) is left
    // out; the rest of the document stands.
    if (!importFormat)
        return false;
    const std::optional<std::vector<uint8_t>> bytes = package_->readPart(partName);
    if (!bytes)
        return false;
    try {
        if (format == model::DocumentFormat::OpenXml) {
            OpenXmlImporter nested(fragment, options_);
            nested.chunkNestingLevel_ = chunkNestingLevel_ + 1;
            nested.chunkBudget_ = chunkBudget_;
            nested.importContent(*bytes);
        } else {
            PlainTextDocumentImporterOptions fragmentOptions;
            static_cast<DocumentImporterOptions&>(fragmentOptions) = options_;
            importFormat->createImporter(fragment, fragmentOptions)->importContent(*bytes);
        }
    } catch (const core::EditorException&) {
        // A damaged chunk is left out like one that cannot be read.
        return false;
    }
    return true;
}

void OpenXmlImporter::insertAlternativeFormatChunks()
{
    // Last first, so that the positions of the earlier ones in the same story stay where they were.
    for (auto chunk = chunks_.rbegin(); chunk != chunks_.rend(); ++chunk) {
        DocumentLogPosition placeholder = chunk->logPosition;
        model::DocumentModel fragment(nullptr, documentModel_.images().codec());
        fragment.setUseFontSubstitution(false);
        if (*chunkBudget_ > 0) {
            --*chunkBudget_;
            if (readAlternativeFormatChunk(chunk->partName, fragment)) {
                // The chunk's last paragraph keeps its formatting, unless it is an empty one that
                // merely ends the chunk.
                const model::PieceTable& content = fragment.mainPieceTable();
                model::InsertContentFlags flags;
                flags.copyLastParagraph = content.paragraph(ParagraphIndex(content.paragraphCount() - 1)).length() > 1;
                flags.suppressCopySectionProperties = true;
                flags.suppressFieldsUpdate = true; // the fields of the whole document are updated at its end
                model::PieceTableInsertContentConvertedToDocumentModelCommand command(
                    *chunk->pieceTable, chunk->logPosition, fragment, model::InsertOptions::KeepSourceFormatting, flags);
                command.execute();
                placeholder = command.insertedEnd();
            }
        }
        removePlaceholderParagraph(*chunk->pieceTable, placeholder);
    }
    chunks_.clear();
}

} // namespace velmo::formats

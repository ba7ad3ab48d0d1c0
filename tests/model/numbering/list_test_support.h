#pragma once

#include "model/document_model.h"
#include "model/numbering/default_numbering_list_helper.h"
#include "model/numbering/document_numbering.h"
#include "model/piece_table.h"

#include <memory>
#include <random>
#include <string>
#include <vector>

namespace velmo::model {

/// Appends paragraphs "p0", "p1"... to the end of the main story, which starts empty, so that
/// it holds `count` of them.
inline void writeParagraphs(DocumentModel& document, int32_t count)
{
    PieceTable& story = document.mainPieceTable();
    for (int32_t index = 0; index < count; ++index) {
        if (index > 0)
            story.insertParagraph(story.documentEndLogPosition());
        const std::string text = "p" + std::to_string(index);
        story.insertText(story.documentEndLogPosition(), std::u16string(text.begin(), text.end()));
    }
}

/// Adds a list instance on abstract list `abstractIndex` and returns its index.
inline int32_t addListInstance(DocumentModel& document, int32_t abstractIndex)
{
    auto list = std::make_unique<NumberingList>(abstractIndex);
    list->setId(document.numbering().generateNewNumberingListId());
    return document.numbering().addNumberingListUsingHistory(std::move(list));
}

/// Adds the default multilevel list ("1.", "1.1.", ... indented 360, 792, ... twips) and one
/// instance of it; returns the instance's index.
inline int32_t addMultiLevelList(DocumentModel& document)
{
    std::mt19937 random(7);
    return addListInstance(document, DefaultNumberingListHelper(random).insertDefaultMultiLevelNumberingList(document));
}

/// The number text of every paragraph of the main story, asked in story order.
inline std::vector<std::u16string> numberTexts(const DocumentModel& document)
{
    const PieceTable& story = document.mainPieceTable();
    std::vector<std::u16string> texts;
    for (int32_t index = 0; index < story.paragraphCount(); ++index)
        texts.push_back(story.paragraph(ParagraphIndex(index)).numberingListText());
    return texts;
}

} // namespace velmo::model

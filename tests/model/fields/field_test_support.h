#pragma once

#include "model/document_model.h"
#include "model/fields/field.h"
#include "model/fields/field_collection.h"
#include "model/fields/field_scanner.h"
#include "model/piece_table.h"
#include "model/runs.h"

#include <string>
#include <string_view>

namespace velmo::model {

/// Appends content written with field marks to the end of a story: "{" starts a code, "|" ends it,
/// "}" ends the result, "\n" ends a paragraph; every mark is inserted as a run of its own, the way a
/// reader writes them, so fields come into being as their result ends arrive.
inline void appendFieldMarkup(PieceTable& story, std::u16string_view markup)
{
    InputPosition position = story.createInputPosition(story.documentEndLogPosition());
    std::u16string text;
    const auto flush = [&] {
        if (!text.empty())
            story.insertText(position, text);
        text.clear();
    };
    for (const char16_t character : markup) {
        switch (character) {
        case u'{': flush(); story.insertObjectRun(position, RunKind::FieldCodeStart); break;
        case u'|': flush(); story.insertObjectRun(position, RunKind::FieldCodeEnd); break;
        case u'}': flush(); story.insertObjectRun(position, RunKind::FieldResultEnd); break;
        case u'\n': flush(); story.insertParagraph(position); break;
        default: text.push_back(character); break;
        }
    }
    flush();
}

/// What the story shows: results instead of codes, without the last paragraph mark.
inline std::u16string shownText(const PieceTable& story)
{
    return visibleText(story, RunIndex(0), RunIndex(story.runCount() - 2));
}

} // namespace velmo::model

#pragma once

// A document with a picture of every kind, for the tests of the DOCX writer.

#include "model/document_model.h"
#include "model/piece_table.h"
#include "model/pictures/floating_object_anchor_run.h"
#include "model/pictures/picture_editing.h"
#include "model/pictures/picture_test_support.h"
#include "model/pictures/text_box_content_type.h"
#include "model/pictures/text_box_floating_object_content.h"
#include "model/pictures/z_order_manager.h"

namespace velmo::formats::testing {

/// A document with every kind of drawing, made through the model's editing API.
inline void buildDrawingDocument(model::DocumentModel& document)
{
    model::PieceTable& main = document.mainPieceTable();
    main.insertText(DocumentLogPosition(0), u"Pictures");
    const auto blue = model::pngPicture(document, 40, 20);
    const auto red = model::pngPicture(document, 8, 8, 72, 0xFF0000FF);
    model::insertInlinePicture(main, DocumentLogPosition(3), *blue, 50, 75);
    model::FloatingObjectAnchorRun& picture = model::insertFloatingPicture(main, DocumentLogPosition(0), *red, 150);
    picture.floatingObject().changeProperties([](model::FloatingObjectFormatting& f) {
        f.set(&model::FloatingObjectInfo::textWrapType, model::FloatingObjectTextWrapType::Through, model::UseFloatingObjectOption::UseTextWrapType);
        f.set(&model::FloatingObjectInfo::horizontalPositionAlignment, model::ShapeHorizontalAlignment::None,
              model::UseFloatingObjectOption::UseHorizontalPositionAlignment);
        f.set(&model::FloatingObjectInfo::percentOffset, model::Point{12000, 0}, model::UseFloatingObjectOption::UsePercentOffset);
        f.set(&model::FloatingObjectInfo::relativeHeight, model::FloatingObjectRelativeHeight{50000, model::FloatingObjectRelativeFromVertical::TopMargin},
              model::UseFloatingObjectOption::UseRelativeHeight);
    });
    picture.floatingObject().changeShape([](model::ShapeFormatting& f) {
        f.set(&model::ShapeInfo::rotation, 1800000, model::UsedShapeOption::UseRotation);
        f.set(&model::ShapeInfo::outlineWidth, 15, model::UsedShapeOption::UseOutlineWidth);
    });
    main.insertParagraph(main.documentEndLogPosition());
    model::FloatingObjectAnchorRun& box = model::insertTextBox(main, main.documentEndLogPosition());
    auto& content = static_cast<model::TextBoxFloatingObjectContent&>(box.content());
    model::PieceTable& story = content.textBox().pieceTable();
    story.insertText(DocumentLogPosition(0), u"In the box");
    story.insertParagraph(story.documentEndLogPosition());
    model::insertInlinePicture(story, story.documentEndLogPosition(), *red);
    box.setName(u"Sidebar");
    content.changeProperties([](model::TextBoxFormatting& f) {
        f.set(&model::TextBoxInfo::verticalAlignment, model::VerticalAlignment::Bottom, model::UseTextBoxOption::UseVerticalAlignment);
        f.set(&model::TextBoxInfo::leftMargin, 288, model::UseTextBoxOption::UseLeftMargin);
    });
    model::normalizeZOrder(document);
}

} // namespace velmo::formats::testing

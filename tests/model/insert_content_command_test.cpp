// Inserting another document's content: its fields come over whole, links with their records,
// and are updated as pasted fields within the same undo step.
#include "model/insert_content_command.h"

#include "model/document_history.h"
#include "model/document_model_copy_manager.h"
#include "model/fields/field_test_support.h"
#include "model/model_test_support.h"

#include <gtest/gtest.h>

namespace velmo::model {
namespace {

DocumentLogPosition at(int32_t position)
{
    return DocumentLogPosition(position);
}

class InsertContentFieldsTest : public ::testing::Test {
protected:
    InsertContentFieldsTest()
    {
        appendFieldMarkup(fragment_.mainPieceTable(), u"x{HYPERLINK a.htm|site}y{DOCVARIABLE v|old}{DATE \\@ yyyy|d}");
        HyperlinkInfo visited{u"", u"a.htm", u"", u"", true};
        fragment_.mainPieceTable().insertHyperlinkInfo(0, visited);
        target_.variables().add(u"v", u"target's");
        target_.mainPieceTable().insertText(at(0), u"<>");
        target_.history().clear();
    }
    PieceTable& target() { return target_.mainPieceTable(); }
    void insert(InsertContentFlags flags = {})
    {
        PieceTableInsertContentConvertedToDocumentModelCommand(target(), at(1), fragment_, InsertOptions::MatchDestinationFormatting, flags)
            .execute();
    }

    DocumentModel fragment_;
    DocumentModel target_;
};

TEST_F(InsertContentFieldsTest, PastedFieldsAreUpdatedInTheSameStep)
{
    const std::string before = dumpDocument(target_);
    insert();
    EXPECT_EQ(shownText(target()), u"<xsitey" u"target'sd>");
    // The link's record came along and the update read the same one from the code.
    ASSERT_TRUE(target().isHyperlinkField(0));
    EXPECT_EQ(target().hyperlinkInfo(0).navigateUri, u"a.htm");
    EXPECT_EQ(target_.history().count(), 1);
    expectSound(target_);
    target_.history().undo();
    EXPECT_EQ(dumpDocument(target_), before);
}

TEST_F(InsertContentFieldsTest, WithoutUpdatesTheFieldsAndRecordsComeAsTheyAre)
{
    for (const bool optionOff : {true, false}) {
        SCOPED_TRACE(optionOff);
        DocumentModel target;
        target.variables().add(u"v", u"target's");
        target.fieldOptions().updateFieldsOnPaste = !optionOff;
        InsertContentFlags flags;
        flags.suppressFieldsUpdate = !optionOff;
        PieceTableInsertContentConvertedToDocumentModelCommand(target.mainPieceTable(), at(0), fragment_,
                                                               InsertOptions::MatchDestinationFormatting, flags)
            .execute();
        EXPECT_EQ(shownText(target.mainPieceTable()), u"xsiteyoldd");
        EXPECT_EQ(target.mainPieceTable().hyperlinkInfo(0), (HyperlinkInfo{u"", u"a.htm", u"", u"", true}));
        expectSound(target);
    }
}

TEST_F(InsertContentFieldsTest, ALinkCopiedInPartIsText)
{
    DocumentModelCopyManager copier(fragment_.mainPieceTable(), target(), at(1), InsertOptions::MatchDestinationFormatting);
    copier.copyRange(at(3), 24); // from inside the link's code to inside the variable's code
    EXPECT_EQ(target().storyText(), u"<YPERLINK a.htmsitey" u"DO>\r");
    EXPECT_EQ(target().fields().count(), 0);
    EXPECT_EQ(target().hyperlinkInfos().count(), 0);
    expectSound(target_);
}

} // namespace
} // namespace velmo::model

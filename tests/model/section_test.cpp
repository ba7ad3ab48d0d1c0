#include "model/section.h"

#include "model/document_history.h"
#include "model/document_model.h"
#include "model/piece_table.h"
#include "model/section_headers_footers.h"
#include "model_test_support.h"
#include "model/document_dump.h"
#include "support/golden.h"

#include <gtest/gtest.h>

namespace velmo::model {
namespace {

TEST(SectionTest, ANewDocumentHasTheDefaultPageSetup)
{
    DocumentModel document;
    const Section& section = document.section(SectionIndex(0));
    EXPECT_EQ(section.page(), (PageInfo{12240, 15840, false, PaperKind::Letter}));
    const MarginsInfo& margins = section.margins();
    EXPECT_EQ(margins.left, 1700);
    EXPECT_EQ(margins.right, 850);
    EXPECT_EQ(margins.top, 1133);
    EXPECT_EQ(margins.bottom, 1133);
    EXPECT_EQ(margins.headerOffset, 708);
    EXPECT_EQ(margins.footerOffset, 708);
    EXPECT_EQ(section.actualColumnCount(), 1);
    EXPECT_EQ(section.columns().space, 708);
    EXPECT_EQ(section.pageNumbering().firstPageNumber, -1);
    EXPECT_TRUE(section.pageNumbering().continueNumbering);
    EXPECT_EQ(section.lineNumbering().step, 0);
    EXPECT_EQ(section.generalSettings().startType, SectionStartType::NextPage);
    EXPECT_EQ(section.footNote().position, FootNotePosition::BottomOfPage);
    EXPECT_EQ(section.endNote().numberingFormat, NumberingFormat::LowerRoman);
}

TEST(SectionTest, PageSetupChangesAreUndoableAndSplitSectionsKeepThem)
{
    DocumentModel document;
    document.mainPieceTable().insertText(DocumentLogPosition(0), u"abcdef");
    Section& section = document.section(SectionIndex(0));
    section.changeMargins([](MarginsInfo& margins) { margins.left = 1440; });
    section.changePageNumbering([](PageNumberingInfo& numbering) { numbering.setContinueNumbering(false); });
    EXPECT_EQ(section.margins().left, 1440);
    EXPECT_EQ(section.pageNumbering().firstPageNumber, 1) << "a restart without a number starts at 1";

    document.insertSection(DocumentLogPosition(3));
    EXPECT_EQ(document.section(SectionIndex(0)).margins().left, 1440);
    EXPECT_EQ(document.section(SectionIndex(1)).margins().left, 1440);
    document.history().undo(); // the section break
    document.history().undo(); // the numbering
    document.history().undo(); // the margin
    EXPECT_EQ(document.section(SectionIndex(0)).margins().left, 1700);
    expectSound(document);
}

TEST(SectionTest, PaperKindValidation)
{
    struct Case {
        const char* name;
        PageInfo page;
        PageInfo expected;
    };
    const Case cases[] = {
        {"landscape A4", {16839, 11907, true, PaperKind::Custom}, {16839, 11907, true, PaperKind::A4}},
        {"missing size comes from the kind", {0, 0, false, PaperKind::A5}, {8391, 11907, false, PaperKind::A5}},
        {"missing size in landscape", {0, 0, true, PaperKind::A5}, {11907, 8391, true, PaperKind::A5}},
        {"odd size is custom", {10000, 10000, false, PaperKind::Letter}, {10000, 10000, false, PaperKind::Custom}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PageInfo page = c.page;
        page.validatePaperKind();
        EXPECT_EQ(page, c.expected);
    }
}

/// Three sections sharing one odd-page header.
class HeaderLinkTest : public ::testing::Test {
protected:
    HeaderLinkTest()
    {
        document_.mainPieceTable().insertText(DocumentLogPosition(0), u"onetwothree");
        document_.insertSection(DocumentLogPosition(6));
        document_.insertSection(DocumentLogPosition(3));
        SectionHeader& header = document_.createHeader(SectionIndex(0), HeaderFooterType::Odd);
        header.pieceTable().insertText(DocumentLogPosition(0), u"Shared");
        headers(1).linkToPrevious(HeaderFooterType::Odd);
        headers(2).linkToPrevious(HeaderFooterType::Odd);
        shared_ = &header;
    }

    SectionHeadersFooters headers(int32_t section) { return SectionHeadersFooters(document_, SectionIndex(section), ContentTypeKind::Header); }
    SectionHeaderFooterBase* odd(int32_t section) { return headers(section).object(HeaderFooterType::Odd); }

    DocumentModel document_;
    SectionHeader* shared_ = nullptr;
};

TEST_F(HeaderLinkTest, UnlinkingTheMiddleSectionGivesItACopyThatTheNextSectionFollows)
{
    ASSERT_EQ(document_.sectionCount(), 3);
    EXPECT_EQ(odd(2), shared_);
    EXPECT_TRUE(headers(1).isLinkedToPrevious(HeaderFooterType::Odd));

    headers(1).unlinkFromPrevious(HeaderFooterType::Odd);
    EXPECT_EQ(odd(0), shared_);
    ASSERT_NE(odd(1), shared_);
    EXPECT_EQ(odd(1)->pieceTable().storyText(), u"Shared\r");
    EXPECT_EQ(odd(2), odd(1)) << "the third section links to the middle section's copy";
    EXPECT_FALSE(headers(1).isLinkedToPrevious(HeaderFooterType::Odd));
    EXPECT_TRUE(headers(2).isLinkedToPrevious(HeaderFooterType::Odd));
    expectSound(document_);

    document_.history().undo();
    EXPECT_EQ(odd(1), shared_);
    EXPECT_EQ(odd(2), shared_);

    headers(1).linkToPrevious(HeaderFooterType::First); // nothing to share: both none
    EXPECT_EQ(headers(1).object(HeaderFooterType::First), nullptr);
}

TEST_F(HeaderLinkTest, DumpShowsSectionsAndTheirHeaders)
{
    headers(2).unlinkFromPrevious(HeaderFooterType::Odd);
    velmo::testing::expectMatchesGolden(dumpDocument(document_), "model/golden/three_sections_two_headers.txt");
}

TEST_F(HeaderLinkTest, ThePageChoosesFirstEvenOrOddHeaders)
{
    SectionHeadersFooters first = headers(0);
    EXPECT_EQ(first.calculateActualObject(true, false), shared_) << "no different first page";
    document_.section(SectionIndex(0)).changeGeneralSettings([](GeneralSectionInfo& settings) { settings.differentFirstPage = true; });
    EXPECT_EQ(first.calculateActualObject(true, false), nullptr) << "different first page without a first-page header";
    EXPECT_EQ(first.calculateActualObject(false, true), shared_);
    document_.changeDocumentInfo([](DocumentInfo& info) { info.differentOddAndEvenPages = true; });
    EXPECT_EQ(first.calculateActualObject(false, true), nullptr);
    EXPECT_EQ(SectionHeadersFooters::caption(ContentTypeKind::Header, HeaderFooterType::Odd, false), u"Header");
    EXPECT_EQ(SectionHeadersFooters::caption(ContentTypeKind::Footer, HeaderFooterType::Odd, true), u"Odd Page Footer");
    EXPECT_EQ(SectionHeadersFooters::caption(ContentTypeKind::Header, HeaderFooterType::First, true), u"First Page Header");
    EXPECT_EQ(SectionHeadersFooters::caption(ContentTypeKind::Footer, HeaderFooterType::Even, true), u"Even Page Footer");
}

} // namespace
} // namespace velmo::model

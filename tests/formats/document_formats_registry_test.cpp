#include "formats/document_formats_registry.h"

#include "formats/docx_test_support.h"
#include "formats/plain_text_format.h"

#include <gtest/gtest.h>

namespace velmo::formats {
namespace {

using model::DocumentFormat;

class DocumentFormatsRegistryTest : public ::testing::Test {
protected:
    void SetUp() override { DocumentFormatsRegistry::registerBuiltInFormats(); }
};

TEST_F(DocumentFormatsRegistryTest, FiltersRenderAsDialogStrings)
{
    EXPECT_EQ(renderFilters({}), u"");
    EXPECT_EQ((FileDialogFilter{u"All Files", {u"*"}}.render()), u"All Files (*.*)|*.*");
    EXPECT_EQ((FileDialogFilter{u"HyperText Markup Language Format", {u"htm", u"html"}}.render()),
              u"HyperText Markup Language Format (*.htm; *.html)|*.htm; *.html");
    EXPECT_EQ(renderFilters(DocumentFormatsRegistry::openDialogFilters()),
              u"All Files (*.*)|*.*|All Files (*.txt; *.docx; *.docm; *.dotx; *.dotm)|*.txt; *.docx; *.docm; *.dotx; *.dotm|"
              u"Text Files (*.txt)|*.txt|Word Document (*.docx; *.docm; *.dotx; *.dotm)|*.docx; *.docm; *.dotx; *.dotm");
    EXPECT_EQ(renderFilters(DocumentFormatsRegistry::saveDialogFilters()), u"Text Files (*.txt)|*.txt|Word Document (*.docx)|*.docx");
}

TEST_F(DocumentFormatsRegistryTest, ReaderIsChosenByExtensionThenFilterThenFallback)
{
    struct Case {
        const char* name;
        std::u16string fileName;
        int32_t filter;
        DocumentFormat expected;
    };
    const Case cases[] = {
        {"extension compared lower-cased", u"/home/a.TXT", -1, DocumentFormat::PlainText},
        {"no extension with the Text Files filter", u"README", 2, DocumentFormat::PlainText},
        {"no extension with all supported files falls back to text", u"README", 1, DocumentFormat::PlainText},
        {"a dot in a folder name is no extension", u"/tmp/x.d/README", -1, DocumentFormat::PlainText},
        {"unknown extension falls back to text", u"notes.xyz", 0, DocumentFormat::PlainText},
        {"a Word document", u"Report.DOCX", -1, DocumentFormat::OpenXml},
        {"a macro-enabled Word template", u"form.dotm", -1, DocumentFormat::OpenXml},
        {"no extension with the Word Document filter", u"report", 3, DocumentFormat::OpenXml},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DocumentFormatsRegistry::chooseImportFormat(c.fileName, c.filter), c.expected);
    }
    EXPECT_EQ(DocumentFormatsRegistry::chooseExportFormat(u"out.txt"), DocumentFormat::PlainText);
    EXPECT_EQ(DocumentFormatsRegistry::chooseExportFormat(u"out.xyz"), DocumentFormat::Undefined);
    EXPECT_EQ(DocumentFormatsRegistry::chooseExportFormat(u"out", 0), DocumentFormat::PlainText);
    EXPECT_EQ(DocumentFormatsRegistry::chooseExportFormat(u"out.docx"), DocumentFormat::OpenXml);
    EXPECT_EQ(DocumentFormatsRegistry::chooseExportFormat(u"out.docm"), DocumentFormat::Undefined) << "macros cannot be written";
}

TEST_F(DocumentFormatsRegistryTest, SaveDialogPreselectsTheCurrentOrDefaultFormat)
{
    EXPECT_EQ(DocumentFormatsRegistry::preselectedSaveFilter(DocumentFormat::PlainText, DocumentFormat::OpenXml), 0);
    EXPECT_EQ(DocumentFormatsRegistry::preselectedSaveFilter(DocumentFormat::Undefined, DocumentFormat::OpenXml), 1);
    EXPECT_EQ(DocumentFormatsRegistry::preselectedSaveFilter(DocumentFormat::Undefined, DocumentFormat::PlainText), 0);
    EXPECT_EQ(DocumentFormatsRegistry::preselectedSaveFilter(DocumentFormat::Doc, DocumentFormat::Rtf), 0)
        << "a format without a writer falls back to the first filter";
}

TEST_F(DocumentFormatsRegistryTest, AFormatRegistersOnceAndCanBeRemoved)
{
    DocumentFormatsRegistry::registerExportFormat(std::make_unique<PlainTextExportFormat>());
    EXPECT_EQ(DocumentFormatsRegistry::exportFormats().size(), 2u) << "a second registration is ignored";
    DocumentFormatsRegistry::unregisterExportFormat(DocumentFormat::PlainText);
    EXPECT_FALSE(DocumentFormatsRegistry::exportFormat(DocumentFormat::PlainText));
    EXPECT_EQ(DocumentFormatsRegistry::chooseExportFormat(u"out.txt"), DocumentFormat::Undefined);
    DocumentFormatsRegistry::registerExportFormat(std::make_unique<PlainTextExportFormat>());
    EXPECT_TRUE(DocumentFormatsRegistry::exportFormat(DocumentFormat::PlainText));
}

TEST_F(DocumentFormatsRegistryTest, RatingsAndLookups)
{
    const std::vector<uint8_t> bytes{'h', 'i'};
    const auto ratings = DocumentFormatsRegistry::rateFormats(bytes, u"a.txt");
    ASSERT_EQ(ratings.size(), 1u);
    EXPECT_EQ(ratings[0].format, DocumentFormat::PlainText);
    EXPECT_EQ(ratings[0].rate, 32767);
    EXPECT_TRUE(DocumentFormatsRegistry::rateFormats(bytes, u"a.TXT").empty()) << "the rate wants exactly .txt";
    EXPECT_TRUE(DocumentFormatsRegistry::rateFormats({}, u"a.txt").empty());
    EXPECT_EQ(DocumentFormatsRegistry::fileExtension(DocumentFormat::PlainText), u"txt");
    EXPECT_EQ(DocumentFormatsRegistry::fileExtension(DocumentFormat::Undefined), u"");
    EXPECT_FALSE(DocumentFormatsRegistry::isFormatSupported(DocumentFormat::Undefined));

    // A package rates by its members named like relations or a main document.
    const std::vector<uint8_t> package = testing::makeDocx("<w:p/>");
    const auto packageRatings = DocumentFormatsRegistry::rateFormats(package, u"a.bin");
    ASSERT_EQ(packageRatings.size(), 1u);
    EXPECT_EQ(packageRatings[0].format, DocumentFormat::OpenXml);
    EXPECT_EQ(packageRatings[0].rate, 2);
    EXPECT_TRUE(DocumentFormatsRegistry::rateFormats(std::vector<uint8_t>{'P', 'K', 3, 4}, u"a.bin").empty());
}

} // namespace
} // namespace velmo::formats

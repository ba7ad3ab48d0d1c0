#include "formats/xml/xml_writer.h"

#include "core/editor_exception.h"
#include "core/unicode_text.h"
#include "formats/xml/xml_reader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

namespace velmo::formats {
namespace {

constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" encoding=\"utf-8\"?>";

/// The document without its declaration.
std::string body(XmlWriter& writer)
{
    const std::string document = writer.finish();
    EXPECT_TRUE(document.starts_with(kDeclaration));
    return document.substr(kDeclaration.size());
}

TEST(XmlWriterTest, WritesElementsAttributesAndNamespaces)
{
    XmlWriter writer;
    writer.startElement("w:document");
    writer.namespaceDeclaration("w", "urn:w");
    writer.namespaceDeclaration("", "urn:default");
    writer.startElement("w:body");
    writer.startElement("w:p");
    writer.attribute("w:val", std::string_view("x"));
    writer.endElement();
    writer.startElement("w:t");
    writer.attribute("xml:space", std::string_view("preserve"));
    writer.text(u" a ");
    writer.endElement();
    writer.startElement("w:empty");
    writer.text(u"");
    EXPECT_EQ(writer.openElementCount(), 3u);
    EXPECT_EQ(body(writer), "<w:document xmlns:w=\"urn:w\" xmlns=\"urn:default\"><w:body><w:p w:val=\"x\"/>"
                            "<w:t xml:space=\"preserve\"> a </w:t><w:empty/></w:body></w:document>");
}

TEST(XmlWriterTest, EscapesTextAndAttributeValues)
{
    struct Case {
        const char* name;
        std::u16string value;
        std::string text;
        std::string attribute;
    };
    const Case cases[] = {
        {"markup characters", u"a<b>&c\"d'e", "a&lt;b&gt;&amp;c\"d'e", "a&lt;b&gt;&amp;c&quot;d'e"},
        {"line ends and tabs", u"1\t2\n3\r4", "1\t2\n3&#xD;4", "1&#x9;2&#xA;3&#xD;4"},
        {"a CDATA end in text", u"]]>", "]]&gt;", "]]&gt;"},
        {"beyond ASCII as UTF-8", u"\u010D\u20AC\U0001F600", "\xC4\x8D\xE2\x82\xAC\xF0\x9F\x98\x80",
         "\xC4\x8D\xE2\x82\xAC\xF0\x9F\x98\x80"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        XmlWriter fromUtf16;
        fromUtf16.startElement("t");
        fromUtf16.attribute("a", c.value);
        fromUtf16.text(c.value);
        EXPECT_EQ(body(fromUtf16), "<t a=\"" + c.attribute + "\">" + c.text + "</t>");

        std::string utf8;
        for (const char16_t unit : c.value) {
            if (unit < 0x80)
                utf8 += static_cast<char>(unit);
        }
        if (utf8.size() != c.value.size())
            continue; // the UTF-8 form of the non-ASCII case is checked below
        XmlWriter fromUtf8;
        fromUtf8.startElement("t");
        fromUtf8.attribute("a", std::string_view(utf8));
        fromUtf8.text(std::string_view(utf8));
        EXPECT_EQ(body(fromUtf8), "<t a=\"" + c.attribute + "\">" + c.text + "</t>");
    }
}

TEST(XmlWriterTest, CharactersXmlCannotCarryBecomeReplacementCharacters)
{
    const std::string replacement = "\xEF\xBF\xBD";
    struct Utf16Case {
        const char* name;
        std::u16string text;
        std::string written;
    };
    const Utf16Case utf16Cases[] = {
        {"lone high surrogate", u"a\xD83D" "b", "a" + replacement + "b"},
        {"lone high surrogate at the end", u"a\xD83D", "a" + replacement},
        {"lone low surrogate", u"\xDE00", replacement},
        {"pair in the wrong order", u"\xDE00\xD83D", replacement + replacement},
        {"U+FFFE and U+FFFF", u"\xFFFE\xFFFF", replacement + replacement},
        {"C0 controls", std::u16string(u"\x01\x0B\x1F\0", 4), replacement + replacement + replacement + replacement},
        {"a valid pair", u"\xD83D\xDE00", "\xF0\x9F\x98\x80"},
    };
    for (const Utf16Case& c : utf16Cases) {
        SCOPED_TRACE(c.name);
        XmlWriter writer;
        writer.startElement("t");
        writer.text(c.text);
        EXPECT_EQ(body(writer), "<t>" + c.written + "</t>");
    }

    struct Utf8Case {
        const char* name;
        std::string text;
        std::string written;
    };
    const Utf8Case utf8Cases[] = {
        {"stray continuation byte", "a\x80" "b", "a" + replacement + "b"},
        {"overlong form", "\xC0\xAF", replacement + replacement},
        {"encoded surrogate", "\xED\xA0\x80", replacement + replacement + replacement},
        {"U+FFFE", "\xEF\xBF\xBE", replacement + replacement + replacement},
        {"cut sequence", "\xE2\x82", replacement + replacement},
        {"beyond U+10FFFF", "\xF4\x90\x80\x80", replacement + replacement + replacement + replacement},
        {"C0 control", "\x07", replacement},
        {"valid sequences kept", "\xC3\xA1\xE2\x82\xAC\xF0\x9F\x98\x80\xF4\x8F\xBF\xBD", "\xC3\xA1\xE2\x82\xAC\xF0\x9F\x98\x80\xF4\x8F\xBF\xBD"},
    };
    for (const Utf8Case& c : utf8Cases) {
        SCOPED_TRACE(c.name);
        XmlWriter writer;
        writer.startElement("t");
        writer.text(std::string_view(c.text));
        EXPECT_EQ(body(writer), "<t>" + c.written + "</t>");
    }
}

TEST(XmlWriterTest, WritesNumbersWithoutTheLocale)
{
    XmlWriter writer;
    writer.startElement("n");
    writer.attribute("a", std::numeric_limits<int32_t>::min());
    writer.attribute("b", std::numeric_limits<int64_t>::max());
    writer.attribute("c", uint16_t{65535});
    writer.attribute("d", 0.1);
    writer.attribute("e", -2.5);
    writer.attribute("f", 1e21);
    writer.attribute("g", std::numeric_limits<double>::quiet_NaN());
    writer.attribute("h", -std::numeric_limits<double>::infinity());
    EXPECT_EQ(body(writer), "<n a=\"-2147483648\" b=\"9223372036854775807\" c=\"65535\" d=\"0.1\" e=\"-2.5\" f=\"1e+21\" "
                            "g=\"NaN\" h=\"-INF\"/>");
}

TEST(XmlWriterTest, WhatIsWrittenReadsBackTheSame)
{
    const std::u16string tricky = u" <&>\"' \t\r\n\r\n  two  spaces \u010D\U0001F600 ]]> ";
    XmlWriter writer;
    writer.startElement("r");
    writer.namespaceDeclaration("w", "urn:w");
    writer.startElement("w:t");
    writer.attribute("w:val", tricky);
    writer.attribute("xml:space", std::string_view("preserve"));
    writer.text(tricky);
    const std::string document = writer.finish();

    XmlReader reader(document);
    ASSERT_TRUE(reader.read());
    ASSERT_TRUE(reader.read());
    ASSERT_TRUE(reader.isStartElement("urn:w", "t"));
    ASSERT_TRUE(reader.attribute("urn:w", "val").has_value());
    EXPECT_EQ(core::utf8ToUtf16(*reader.attribute("urn:w", "val")), tricky);
    ASSERT_TRUE(reader.read());
    EXPECT_EQ(reader.textUtf16(), tricky);
}

TEST(XmlWriterTest, MisuseIsAnInternalError)
{
    XmlWriter writer;
    EXPECT_THROW(writer.endElement(), core::EditorException);
    writer.startElement("a");
    writer.text(std::string_view("x"));
    EXPECT_THROW(writer.attribute("late", std::string_view("1")), core::EditorException);
}

} // namespace
} // namespace velmo::formats

#include "formats/xml/xml_reader.h"

#include "core/editor_exception.h"

#include <gtest/gtest.h>

#include <string>

namespace velmo::formats {
namespace {

/// The nodes of a document, one token each: `<{uri}name attr=value>` (`/>` for an empty
/// element), `</name>`, `[text]`; a depth prefix shows nesting.
std::string dump(std::string_view xml)
{
    XmlReader reader(xml);
    std::string out;
    while (reader.read()) {
        out += std::to_string(reader.depth());
        switch (reader.kind()) {
        case XmlNodeKind::StartElement:
            out += "<";
            if (!reader.namespaceUri().empty())
                out += "{" + std::string(reader.namespaceUri()) + "}";
            out += reader.localName();
            for (const XmlAttribute& attribute : reader.attributes()) {
                out += " ";
                if (!attribute.namespaceUri.empty())
                    out += "{" + std::string(attribute.namespaceUri) + "}";
                out += std::string(attribute.localName) + "=" + std::string(attribute.value);
            }
            out += reader.isEmptyElement() ? "/>" : ">";
            break;
        case XmlNodeKind::EndElement:
            out += "</" + std::string(reader.localName()) + ">";
            break;
        case XmlNodeKind::Text:
            out += "[" + std::string(reader.text()) + "]";
            break;
        case XmlNodeKind::None:
            out += "?";
            break;
        }
    }
    return out;
}

/// The message of the error reading the whole document raises; empty when it reads.
std::string readError(std::string_view xml)
{
    try {
        XmlReader reader(xml);
        while (reader.read()) {
        }
    } catch (const core::EditorException& error) {
        return error.what();
    }
    return {};
}

TEST(XmlReaderTest, ReportsElementsAttributesAndText)
{
    struct Case {
        const char* name;
        std::string_view xml;
        std::string nodes;
    };
    const Case cases[] = {
        {"namespaces resolved, declarations left out",
         "<w:document xmlns:w='urn:w' xmlns='urn:d'><w:body w:val='1' plain='2'><item/></w:body></w:document>",
         "0<{urn:w}document>1<{urn:w}body {urn:w}val=1 plain=2>2<{urn:d}item/>2</item>1</body>0</document>"},
        {"a prefix redeclared inside", "<a:x xmlns:a='urn:1'><a:y xmlns:a='urn:2'/></a:x>", "0<{urn:1}x>1<{urn:2}y/>1</y>0</x>"},
        {"references decoded",
         "<t a='&lt;&amp;&quot;&apos;&gt;&#9;&#xA;'>&lt;&amp;&gt;&#65;&#x10437;&#x42;</t>",
         "0<t a=<&\"'>\t\n>1[<&>A\xF0\x90\x90\xB7" "B]0</t>"},
        {"attribute whitespace normalised, references kept", "<t a='x\ty\nz'/>", "0<t a=x y z/>0</t>"},
        {"CDATA is text", "<t><![CDATA[<not a tag> & ]]></t>", "0<t>1[<not a tag> & ]0</t>"},
        {"comments and processing instructions skipped",
         "<?xml version='1.0' encoding='UTF-8' standalone='yes'?><!--c--><t><?pi x?>a<!--c-->b</t><!--end-->",
         "0<t>1[a]1[b]0</t>"},
        {"line ends normalised", "<t>a\r\nb\rc</t>", "0<t>1[a\nb\nc]0</t>"},
        {"byte order mark", "\xEF\xBB\xBF<t>x</t>", "0<t>1[x]0</t>"},
        {"Latin-1 by declaration", "<?xml version='1.0' encoding='ISO-8859-1'?><t>\xE9</t>", "0<t>1[\xC3\xA9]0</t>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(dump(c.xml), c.nodes);
    }
}

TEST(XmlReaderTest, ReadsUtf16Documents)
{
    const std::u16string text = u"\uFEFF<t a=\"\u010D\">\u017Elu\u0165ou\u010Dk\u00FD</t>";
    const std::string_view bytes(reinterpret_cast<const char*>(text.data()), text.size() * 2);
    EXPECT_EQ(dump(bytes), "0<t a=\xC4\x8D>1[\xC5\xBElu\xC5\xA5ou\xC4\x8Dk\xC3\xBD]0</t>");
}

TEST(XmlReaderTest, WhitespaceCountsOnlyWhereXmlSpacePreservesIt)
{
    struct Case {
        const char* name;
        std::string_view xml;
        std::string nodes;
    };
    const Case cases[] = {
        {"blank text dropped", "<a> <t>  </t>\n</a>", "0<a>1<t>1</t>0</a>"},
        {"text with blanks around kept whole", "<t>  x  </t>", "0<t>1[  x  ]0</t>"},
        {"preserve keeps blanks", "<t xml:space='preserve'>  </t>", "0<t {http://www.w3.org/XML/1998/namespace}space=preserve>1[  ]0</t>"},
        {"preserve is inherited", "<a xml:space='preserve'><t> </t></a>",
         "0<a {http://www.w3.org/XML/1998/namespace}space=preserve>1<t>2[ ]1</t>0</a>"},
        {"default switches it off inside",
         "<a xml:space='preserve'><t xml:space='default'> </t> </a>",
         "0<a {http://www.w3.org/XML/1998/namespace}space=preserve>1<t {http://www.w3.org/XML/1998/namespace}space=default>"
         "1</t>1[ ]0</a>"},
        {"scope ends with its element", "<a><t xml:space='preserve'/> </a>",
         "0<a>1<t {http://www.w3.org/XML/1998/namespace}space=preserve/>1</t>0</a>"},
        {"a blank CDATA section is kept", "<t><![CDATA[ ]]></t>", "0<t>1[ ]0</t>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(dump(c.xml), c.nodes);
    }
}

TEST(XmlReaderTest, MalformedDocumentsRaiseTheirMessages)
{
    struct Case {
        const char* name;
        std::string_view xml;
        std::string_view message;
    };
    const Case cases[] = {
        {"empty", "", kXmlRootElementMissingMessage},
        {"blank", "  \n ", kXmlRootElementMissingMessage},
        {"only a declaration and a comment", "<?xml version='1.0'?><!--c-->", kXmlRootElementMissingMessage},
        {"text instead of a root", "abc", kXmlDataAtRootLevelMessage},
        {"text after the root", "<a/>text", kXmlDataAtRootLevelMessage},
        {"a second root", "<a></a><b/>", kXmlMultipleRootsMessage},
        {"a second root after a comment", "<a/><!--c--> <b/>", kXmlMultipleRootsMessage},
        {"mismatched end tag", "<a>x</b>", kXmlUnexpectedEndTagMessage},
        {"end tag closing the wrong element", "<a><b></a>", kXmlUnexpectedEndTagMessage},
        {"end tag without a start", "</a>", kXmlUnexpectedEndTagMessage},
        {"end tag after the root", "<a/></a>", kXmlUnexpectedEndTagMessage},
        {"open elements at the end", "<a><b>", kXmlUnexpectedEndOfFileMessage},
        {"cut inside a start tag", "<a", kXmlUnexpectedEndOfFileMessage},
        {"cut inside a later start tag", "<a><b>text</b><c", kXmlUnexpectedEndOfFileMessage},
        {"cut inside an attribute", "<a><b x='1", kXmlUnexpectedEndOfFileMessage},
        {"undeclared element prefix", "<p:a/>", "'p' is an undeclared namespace."},
        {"undeclared attribute prefix", "<a><b q:x='1'/></a>", "'q' is an undeclared namespace."},
        {"internal DTD", "<!DOCTYPE a [<!ENTITY e 'x'>]><a>&e;</a>", kXmlDtdNotImplementedMessage},
        {"external DTD", "<!DOCTYPE a SYSTEM 'file:///etc/passwd'><a/>", kXmlDtdNotImplementedMessage},
        {"external entity", "<!DOCTYPE a [<!ENTITY e SYSTEM 'file:///etc/passwd'>]><a>&e;</a>", kXmlDtdNotImplementedMessage},
        {"undeclared entity", "<a>&nbsp;</a>", kXmlDtdNotImplementedMessage},
        {"undeclared entity in an attribute", "<a x='&copy;'/>", kXmlDtdNotImplementedMessage},
        {"entity expansion bomb",
         "<!DOCTYPE a [<!ENTITY a0 'aaaaaaaaaa'><!ENTITY a1 '&a0;&a0;&a0;&a0;&a0;&a0;&a0;&a0;&a0;&a0;'>"
         "<!ENTITY a2 '&a1;&a1;&a1;&a1;&a1;&a1;&a1;&a1;&a1;&a1;'><!ENTITY a3 '&a2;&a2;&a2;&a2;&a2;&a2;&a2;&a2;&a2;&a2;'>"
         "<!ENTITY a4 '&a3;&a3;&a3;&a3;&a3;&a3;&a3;&a3;&a3;&a3;'><!ENTITY a5 '&a4;&a4;&a4;&a4;&a4;&a4;&a4;&a4;&a4;&a4;'>"
         "<!ENTITY a6 '&a5;&a5;&a5;&a5;&a5;&a5;&a5;&a5;&a5;&a5;'><!ENTITY a7 '&a6;&a6;&a6;&a6;&a6;&a6;&a6;&a6;&a6;&a6;'>"
         "<!ENTITY a8 '&a7;&a7;&a7;&a7;&a7;&a7;&a7;&a7;&a7;&a7;'><!ENTITY a9 '&a8;&a8;&a8;&a8;&a8;&a8;&a8;&a8;&a8;&a8;'>]>"
         "<a>&a9;&a9;&a9;</a>",
         kXmlDtdNotImplementedMessage},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(readError(c.xml), c.message);
    }
}

TEST(XmlReaderTest, OtherSyntaxErrorsSayWhereTheyAre)
{
    struct Case {
        const char* name;
        std::string_view xml;
    };
    const Case cases[] = {
        {"attribute twice", "<a x='1' x='2'/>"},
        {"bad UTF-8", "<a>\xFF</a>"},
        {"unquoted attribute", "<a x=1/>"},
        {"stray ampersand", "<a>fish & chips</a>"},
        {"forbidden character", "<a>\x01</a>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_TRUE(readError(c.xml).starts_with("The XML is not well-formed: ")) << readError(c.xml);
        EXPECT_NE(readError(c.xml).find("Line 1, position "), std::string::npos);
    }
}

/// A document long enough that libxml2 parses it in many pieces.
std::string longDocument(int paragraphs = 2000)
{
    std::string xml = "<w:document xmlns:w='urn:w'><w:body>";
    for (int index = 0; index < paragraphs; ++index)
        xml += "<w:p><w:r><w:t xml:space='preserve'>Paragraph " + std::to_string(index) + " </w:t></w:r></w:p>";
    return xml + "</w:body></w:document>";
}

TEST(XmlReaderTest, AnErrorDeepInsideIsRaisedAfterEverythingBeforeItWasRead)
{
    std::string xml = longDocument();
    xml.insert(xml.find("Paragraph 1500 "), "</w:r>");
    XmlReader reader(xml);
    int paragraphs = 0;
    try {
        while (reader.read()) {
            if (reader.isStartElement("urn:w", "p"))
                ++paragraphs;
        }
        ADD_FAILURE() << "the broken document read to its end";
    } catch (const core::EditorException& error) {
        EXPECT_EQ(std::string(error.what()), kXmlUnexpectedEndTagMessage);
    }
    EXPECT_LE(paragraphs, 1501);
    EXPECT_GE(paragraphs, 1400) << "reading stops near the error, not long before";
    EXPECT_THROW(reader.read(), core::EditorException) << "a failed reader keeps failing";
}

TEST(XmlReaderTest, EveryTruncationIsAnError)
{
    const std::string xml = longDocument(40);
    ASSERT_EQ(readError(xml), "");
    for (size_t length = 0; length + 1 < xml.size(); length += 7) {
        SCOPED_TRACE(length);
        EXPECT_NE(readError(std::string_view(xml).substr(0, length)), "");
    }
}

TEST(XmlReaderTest, NestingIsBounded)
{
    const auto nested = [](int depth) {
        std::string xml;
        for (int index = 0; index < depth; ++index)
            xml += "<a>";
        xml += "x";
        for (int index = 0; index < depth; ++index)
            xml += "</a>";
        return xml;
    };
    EXPECT_EQ(readError(nested(XmlReader::kMaxDepth)), "");
    EXPECT_EQ(readError(nested(XmlReader::kMaxDepth + 1)), kXmlTooDeepMessage);
    EXPECT_EQ(readError(nested(100000)), kXmlTooDeepMessage);
}

TEST(XmlReaderTest, SkipsSubtreesAndSeeksElements)
{
    XmlReader reader(std::string_view(
        "<r xmlns:x='urn:x'><skip><a><b/>text</a></skip><empty/><x:target n='1'/><x:target n='2'/></r>"));
    ASSERT_TRUE(reader.read());
    ASSERT_TRUE(reader.read());
    ASSERT_EQ(reader.localName(), "skip");
    reader.skipSubtree();
    EXPECT_EQ(reader.kind(), XmlNodeKind::EndElement);
    EXPECT_EQ(reader.localName(), "skip");
    EXPECT_EQ(reader.depth(), 1);
    ASSERT_TRUE(reader.read());
    ASSERT_TRUE(reader.isEmptyElement());
    reader.skipSubtree();
    EXPECT_EQ(reader.kind(), XmlNodeKind::EndElement);
    EXPECT_EQ(reader.localName(), "empty");

    ASSERT_TRUE(reader.readToElement("urn:x", "target"));
    EXPECT_EQ(reader.attribute("", "n"), "1");
    EXPECT_EQ(reader.attribute("urn:x", "n"), std::nullopt);
    EXPECT_EQ(reader.lookupNamespace("x"), "urn:x");
    EXPECT_EQ(reader.lookupNamespace("y"), std::nullopt);
    ASSERT_TRUE(reader.readToElement("urn:x", "target"));
    EXPECT_EQ(reader.attribute("", "n"), "2");
    EXPECT_FALSE(reader.readToElement("urn:x", "target"));
    EXPECT_FALSE(reader.read());
}

TEST(XmlReaderTest, TextConvertsToUtf16)
{
    XmlReader reader(std::string_view("<t>P\xC5\x99\xC3\xADli\xC5\xA1 \xF0\x9F\x98\x80</t>"));
    ASSERT_TRUE(reader.read());
    ASSERT_TRUE(reader.read());
    EXPECT_EQ(reader.textUtf16(), u"P\u0159\u00EDli\u0161 \U0001F600");
}

} // namespace
} // namespace velmo::formats

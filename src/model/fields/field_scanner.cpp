#include "model/fields/field_scanner.h"

#include "model/fields/field.h"
#include "model/fields/field_collection.h"
#include "model/piece_table.h"
#include "model/runs.h"

#include <unicode/uchar.h>

#include <unordered_map>

namespace velmo::model {

namespace {

struct KnownFieldName {
    std::u16string_view name;
    FieldNameKind kind;
};

constexpr KnownFieldName kKnownFieldNames[] = {
    {u"IF", FieldNameKind::Field}, {u"COMPARE", FieldNameKind::Field}, {u"CREATEDATE", FieldNameKind::Field},
    {u"DATE", FieldNameKind::Field}, {u"EDITTIME", FieldNameKind::Field}, {u"PRINTDATE", FieldNameKind::Field},
    {u"SAVEDATE", FieldNameKind::Field}, {u"TIME", FieldNameKind::Field}, {u"DOCVARIABLE", FieldNameKind::Field},
    {u"GOTOBUTTON", FieldNameKind::Field}, {u"MACROBUTTON", FieldNameKind::Field}, {u"PRINT", FieldNameKind::Field},
    {u"ADVANCE", FieldNameKind::Field}, {u"SYMBOL", FieldNameKind::Field}, {u"INDEX", FieldNameKind::Field},
    {u"RD", FieldNameKind::Field}, {u"TA", FieldNameKind::Field}, {u"TC", FieldNameKind::Field},
    {u"TOA", FieldNameKind::Field}, {u"TOC", FieldNameKind::Field}, {u"XE", FieldNameKind::Field},
    {u"AUTOTEXT", FieldNameKind::Field}, {u"AUTOTEXTLIST", FieldNameKind::Field}, {u"BIBLIOGRAPHY", FieldNameKind::Field},
    {u"CITATION", FieldNameKind::Field}, {u"HYPERLINK", FieldNameKind::Field}, {u"INCLUDEPICTURE", FieldNameKind::Field},
    {u"INCLUDETEXT", FieldNameKind::Field}, {u"LINK", FieldNameKind::Field}, {u"NOTEREF", FieldNameKind::Field},
    {u"PAGEREF", FieldNameKind::Field}, {u"QUOTE", FieldNameKind::Field}, {u"REF", FieldNameKind::Field},
    {u"STYLEREF", FieldNameKind::Field}, {u"ADDRESSBLOCK", FieldNameKind::Field}, {u"ASK", FieldNameKind::Field},
    {u"DATABASE", FieldNameKind::Field}, {u"FILLIN", FieldNameKind::Field}, {u"GREETINGLINE", FieldNameKind::Field},
    {u"MERGEFIELD", FieldNameKind::Field}, {u"MERGEREC", FieldNameKind::Field}, {u"MERGESEQ", FieldNameKind::Field},
    {u"NEXT", FieldNameKind::Field}, {u"SET", FieldNameKind::Field}, {u"SKIPIF", FieldNameKind::Field},
    {u"NEXTIF", FieldNameKind::Field}, {u"AUTONUM", FieldNameKind::Field}, {u"AUTONUMLGL", FieldNameKind::Field},
    {u"AUTONUMOUT", FieldNameKind::Field}, {u"BARCODE", FieldNameKind::Field}, {u"LISTNUM", FieldNameKind::Field},
    {u"PAGE", FieldNameKind::Field}, {u"REVNUM", FieldNameKind::Field}, {u"SECTION", FieldNameKind::Field},
    {u"SECTIONPAGES", FieldNameKind::Field}, {u"SEQ", FieldNameKind::Field}, {u"USERADDRESS", FieldNameKind::Field},
    {u"USERINITIALS", FieldNameKind::Field}, {u"USERNAME", FieldNameKind::Field}, {u"FORMCHECKBOX", FieldNameKind::Field},
    {u"FORMDROPDOWN", FieldNameKind::Field}, {u"FORMTEXT", FieldNameKind::Field},
    {u"AUTHOR", FieldNameKind::SummaryDocumentProperty}, {u"COMMENTS", FieldNameKind::SummaryDocumentProperty},
    {u"KEYWORDS", FieldNameKind::SummaryDocumentProperty}, {u"LASTSAVEDBY", FieldNameKind::SummaryDocumentProperty},
    {u"SUBJECT", FieldNameKind::SummaryDocumentProperty}, {u"TEMPLATE", FieldNameKind::SummaryDocumentProperty},
    {u"TITLE", FieldNameKind::SummaryDocumentProperty},
    {u"BYTES", FieldNameKind::ExtendedDocumentProperty}, {u"CATEGORY", FieldNameKind::ExtendedDocumentProperty},
    {u"CHARACTERS", FieldNameKind::ExtendedDocumentProperty}, {u"CHARACTERSWITHSPACES", FieldNameKind::ExtendedDocumentProperty},
    {u"COMPANY", FieldNameKind::ExtendedDocumentProperty}, {u"CREATETIME", FieldNameKind::ExtendedDocumentProperty},
    {u"HYPERLINKBASE", FieldNameKind::ExtendedDocumentProperty}, {u"LASTPRINTED", FieldNameKind::ExtendedDocumentProperty},
    {u"LASTSAVEDTIME", FieldNameKind::ExtendedDocumentProperty}, {u"LINES", FieldNameKind::ExtendedDocumentProperty},
    {u"MANAGER", FieldNameKind::ExtendedDocumentProperty}, {u"NAMEOFAPPLICATION", FieldNameKind::ExtendedDocumentProperty},
    {u"ODMADOCID", FieldNameKind::ExtendedDocumentProperty}, {u"PAGES", FieldNameKind::ExtendedDocumentProperty},
    {u"PARAGRAPHS", FieldNameKind::ExtendedDocumentProperty}, {u"REVISIONNUMBER", FieldNameKind::ExtendedDocumentProperty},
    {u"SECURITY", FieldNameKind::ExtendedDocumentProperty}, {u"TOTALEDITINGTIME", FieldNameKind::ExtendedDocumentProperty},
    {u"WORDS", FieldNameKind::ExtendedDocumentProperty},
    {u"DOCPROPERTY", FieldNameKind::DocumentProperty},
    {u"FILENAME", FieldNameKind::DocumentInformation}, {u"FILESIZE", FieldNameKind::DocumentInformation},
    {u"INFO", FieldNameKind::DocumentInformation}, {u"NUMCHARS", FieldNameKind::DocumentInformation},
    {u"NUMPAGES", FieldNameKind::DocumentInformation}, {u"NUMWORDS", FieldNameKind::DocumentInformation},
    {u"EQ", FieldNameKind::Equation},
};

const std::unordered_map<std::u16string_view, FieldNameKind>& knownFieldNames()
{
    static const std::unordered_map<std::u16string_view, FieldNameKind> table = [] {
        std::unordered_map<std::u16string_view, FieldNameKind> result;
        for (const KnownFieldName& entry : kKnownFieldNames)
            result.emplace(entry.name, entry.kind);
        return result;
    }();
    return table;
}

bool isAsciiLetter(char16_t character) noexcept
{
    return (character >= u'a' && character <= u'z') || (character >= u'A' && character <= u'Z');
}

char16_t toLowerAscii(char16_t character) noexcept
{
    return character >= u'A' && character <= u'Z' ? static_cast<char16_t>(character - u'A' + u'a') : character;
}

} // namespace

bool isFieldCodeWhiteSpace(char16_t character) noexcept
{
    if (character == u'\t' || (character >= u'\n' && character <= u'\r') || character == u' ' || character == u'\u0085' ||
        character == u'\u00A0')
        return true;
    return u_charType(character) == U_SPACE_SEPARATOR;
}

FieldNameKind fieldNameKind(std::u16string_view upperCaseName) noexcept
{
    if (upperCaseName == u"=")
        return FieldNameKind::Formula;
    const auto& table = knownFieldNames();
    const auto found = table.find(upperCaseName);
    return found == table.end() ? FieldNameKind::Unrecognized : found->second;
}

std::u16string visibleText(const PieceTable& pieceTable, RunIndex first, RunIndex last)
{
    std::u16string text;
    for (RunIndex runIndex = first; runIndex <= last; ++runIndex) {
        switch (pieceTable.run(runIndex).kind()) {
        case RunKind::FieldCodeStart:
            if (const Field* nested = pieceTable.fields().findFieldByCodeStart(runIndex))
                runIndex = nested->code().end; // on with its result
            break;
        case RunKind::Text:
        case RunKind::FieldSymbol: text += pieceTable.runText(runIndex); break;
        case RunKind::Paragraph:
        case RunKind::Section: text.push_back(u'\r'); break;
        default: break;
        }
    }
    return text;
}

std::u16string fieldResultText(const PieceTable& pieceTable, const Field& field)
{
    return visibleText(pieceTable, field.result().start, field.result().end - 1);
}

std::u16string fieldCodeText(const PieceTable& pieceTable, const Field& field)
{
    return visibleText(pieceTable, field.code().start + 1, field.code().end - 1);
}

FieldScanner::FieldScanner(const PieceTable& pieceTable, const Field& field) : pieceTable_(pieceTable)
{
    DocumentLogPosition position = field.startLogPosition() + 1;
    for (RunIndex runIndex = field.code().start + 1; runIndex < field.code().end; ++runIndex) {
        const TextRunBase& run = pieceTable.run(runIndex);
        if (run.kind() == RunKind::FieldCodeStart) {
            if (const Field* nested = pieceTable.fields().findFieldByCodeStart(runIndex)) {
                const int32_t length = nested->totalLength();
                items_.push_back(CodeItem{0, position, length, nested});
                position += length;
                runIndex = nested->lastRunIndex();
                continue;
            }
        }
        for (const char16_t character : pieceTable.runText(runIndex)) {
            items_.push_back(CodeItem{character, position, 1, nullptr});
            position += 1;
        }
    }
}

void FieldScanner::skipWhiteSpace() noexcept
{
    while (!atEnd() && !items_[next_].nested && isFieldCodeWhiteSpace(items_[next_].character))
        ++next_;
}

std::optional<FieldTypeToken> FieldScanner::scanFirstToken()
{
    skipWhiteSpace();
    if (atEnd() || items_[next_].nested)
        return std::nullopt;
    if (items_[next_].character == u'=') {
        ++next_;
        return FieldTypeToken{FieldNameKind::Formula, u"="};
    }
    FieldTypeToken token;
    for (; !atEnd(); ++next_) {
        const CodeItem& item = items_[next_];
        if (item.nested || isFieldCodeWhiteSpace(item.character) || item.character == u'\\')
            break;
        token.name.push_back(static_cast<char16_t>(u_toupper(item.character)));
    }
    token.kind = fieldNameKind(token.name);
    return token;
}

std::optional<FieldToken> FieldScanner::scanNextToken()
{
    skipWhiteSpace();
    if (atEnd())
        return std::nullopt;
    const CodeItem& item = items_[next_];
    if (item.nested) {
        ++next_;
        FieldToken token;
        token.kind = FieldTokenKind::NestedField;
        token.nestedField = item.nested;
        token.text = fieldResultText(pieceTable_, *item.nested);
        token.interval = DocumentLogInterval{item.position, item.length};
        return token;
    }
    if (item.character == u'\\')
        return readSwitch();
    if (item.character == u'"')
        return readQuotedText();
    return readText();
}

FieldToken FieldScanner::readSwitch()
{
    FieldToken token;
    token.kind = FieldTokenKind::Switch;
    token.interval.start = items_[next_].position;
    token.text.push_back(u'\\');
    ++next_;
    if (!atEnd() && !items_[next_].nested) {
        const char16_t character = items_[next_].character;
        if (character == u'@' || character == u'*' || character == u'#' || character == u'!') {
            token.text.push_back(character);
            ++next_;
        } else {
            for (int32_t letters = 0; letters < 2 && !atEnd() && !items_[next_].nested && isAsciiLetter(items_[next_].character);
                 ++letters, ++next_)
                token.text.push_back(toLowerAscii(items_[next_].character));
        }
    }
    token.interval.length = static_cast<int32_t>(token.text.size());
    return token;
}

FieldToken FieldScanner::readQuotedText()
{
    FieldToken token;
    token.kind = FieldTokenKind::QuotedText;
    ++next_; // the opening quote
    token.interval.start = atEnd() ? items_.back().position + items_.back().length : items_[next_].position;
    for (; !atEnd(); ++next_) {
        const CodeItem& item = items_[next_];
        if (!item.nested && item.character == u'"') {
            ++next_;
            break;
        }
        appendItem(token, item);
    }
    return token;
}

FieldToken FieldScanner::readText()
{
    FieldToken token;
    token.kind = FieldTokenKind::Text;
    token.interval.start = items_[next_].position;
    for (; !atEnd(); ++next_) {
        const CodeItem& item = items_[next_];
        if (!item.nested && (isFieldCodeWhiteSpace(item.character) || item.character == u'\\'))
            break;
        appendItem(token, item);
    }
    return token;
}

void FieldScanner::appendItem(FieldToken& token, const CodeItem& item) const
{
    if (item.nested)
        token.text += fieldResultText(pieceTable_, *item.nested);
    else
        token.text.push_back(item.character);
    token.interval.length = item.position + item.length - token.interval.start;
}

} // namespace velmo::model

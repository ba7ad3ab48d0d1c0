#pragma once

#include "core/positions.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmo::model {

class Field;
class PieceTable;

/// A range of a story's text.
struct DocumentLogInterval {
    DocumentLogPosition start;
    int32_t length = 0;

    bool operator==(const DocumentLogInterval&) const = default;
};

enum class FieldTokenKind : uint8_t {
    Text,        ///< characters up to white space or a backslash
    QuotedText,  ///< the characters between two double quotes
    Switch,      ///< a backslash and the switch's name
    NestedField, ///< a whole field inside the code
};

/// One token of a field code.
struct FieldToken {
    FieldTokenKind kind = FieldTokenKind::Text;
    /// Text and quoted text: the characters (a field inside them gives its result text); a nested
    /// field: its result text; a switch: its key, such as "\@" or "\f".
    std::u16string text;
    /// Where the token lies: the characters inside the quotes, a nested field from its code start
    /// mark to its result end mark.
    DocumentLogInterval interval;
    const Field* nestedField = nullptr; // a field of the same story

    [[nodiscard]] bool isArgument() const noexcept { return kind != FieldTokenKind::Switch; }
};

/// What the first word of a field code says about the field.
enum class FieldNameKind : uint8_t {
    Unrecognized,
    Formula, ///< "="
    Field,
    SummaryDocumentProperty,
    ExtendedDocumentProperty,
    DocumentProperty,
    DocumentInformation,
    Equation, ///< "EQ"
};

/// The field type a code names: its first word, upper-cased.
struct FieldTypeToken {
    FieldNameKind kind = FieldNameKind::Unrecognized;
    std::u16string name;
};

/// Reads the code of a field as tokens: first the type name, then arguments and switches. A field
/// nested in the code is one token, or part of a text token, through its result text. A switch is
/// a backslash and one of the characters @, *, # and !, or up to two letters read in lower case
/// (so "\F" is "\f", and "\abc" is the switch "\ab" followed by the text "c"). Formulas ("=") and
/// EQ fields are not calculated, so nothing reads their codes past the first token.
class FieldScanner {
public:
    /// The story and the field must outlive the scanner.
    FieldScanner(const PieceTable& pieceTable, const Field& field);

    /// The type name; none when the code is blank or starts with a nested field.
    [[nodiscard]] std::optional<FieldTypeToken> scanFirstToken();
    /// The next token after the first; none at the end of the code.
    [[nodiscard]] std::optional<FieldToken> scanNextToken();

private:
    /// One unit of the code: a character, or a whole nested field.
    struct CodeItem {
        char16_t character = 0;
        DocumentLogPosition position;
        int32_t length = 1;
        const Field* nested = nullptr;
    };

    void skipWhiteSpace() noexcept;
    [[nodiscard]] bool atEnd() const noexcept { return next_ >= items_.size(); }
    [[nodiscard]] FieldToken readSwitch();
    [[nodiscard]] FieldToken readQuotedText();
    [[nodiscard]] FieldToken readText();
    void appendItem(FieldToken& token, const CodeItem& item) const;

    const PieceTable& pieceTable_;
    std::vector<CodeItem> items_;
    size_t next_ = 0;
};

/// Whether `character` separates tokens: tab, U+000A to U+000D, space, U+0085, U+00A0 and the
/// Unicode space separators.
[[nodiscard]] bool isFieldCodeWhiteSpace(char16_t character) noexcept;
/// The kind a field name has in the table of known names.
[[nodiscard]] FieldNameKind fieldNameKind(std::u16string_view upperCaseName) noexcept;
/// The text runs first..last show: fields give their results, their codes and all marks are left
/// out, a paragraph mark is "\r".
[[nodiscard]] std::u16string visibleText(const PieceTable& pieceTable, RunIndex first, RunIndex last);
/// The text a field's result shows: the results of nested fields included, their codes and all
/// marks left out, a paragraph mark as "\r".
[[nodiscard]] std::u16string fieldResultText(const PieceTable& pieceTable, const Field& field);
/// The text of a field's code, in the same way.
[[nodiscard]] std::u16string fieldCodeText(const PieceTable& pieceTable, const Field& field);

} // namespace velmo::model

#pragma once

#include "core/date_time.h"
#include "core/positions.h"
#include "model/fields/field_options.h"
#include "model/fields/numeric_field_formatter.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmo::core {
class Culture;
}
namespace velmo::platform {
class IClock;
class IUriStreamService;
} // namespace velmo::platform

namespace velmo::model {

class Bookmark;
class DocumentModel;
class Field;
class PieceTable;

/// The data source of a mail merge, for MERGEFIELD fields.
class IMailMergeDataService {
public:
    virtual ~IMailMergeDataService() = default;
    /// Whether a data source with a current record is bound.
    [[nodiscard]] virtual bool hasBoundData() const = 0;
    /// The current record's value of the data field `name` (`mapped`: a name of the field mapping,
    /// such as "Last Name", rather than of the source); none when the source has no such field.
    [[nodiscard]] virtual std::optional<std::u16string> fieldValue(std::u16string_view name, bool mapped,
                                                                   MailMergeDataMode mode) const = 0;
};

/// What the page layout knows about pages, for PAGE, NUMPAGES, PAGEREF and TOC fields.
class IDocumentLayoutService {
public:
    virtual ~IDocumentLayoutService() = default;
    /// The number the page holding `logPosition` of the main story shows, in that page's number
    /// format; none while that part is not laid out.
    [[nodiscard]] virtual std::optional<std::u16string> pageNumberText(DocumentLogPosition logPosition) const = 0;
    /// The number of the page holding `logPosition` of `pieceTable` (a story of the laid-out
    /// document) as a whole number; none while that part is not laid out or the story is on no
    /// single page.
    [[nodiscard]] virtual std::optional<int32_t> pageNumber(const PieceTable& pieceTable, DocumentLogPosition logPosition) const = 0;
};

/// What a DOCVARIABLE field asks the document's handler: the variable name and the further
/// arguments; a handler that knows the value sets `value` (text) or `documentValue` (content).
struct CalculateDocumentVariableEventArgs {
    std::u16string variableName;
    std::vector<std::u16string> arguments;
    std::optional<std::u16string> value;
    std::unique_ptr<DocumentModel> documentValue;

    [[nodiscard]] bool handled() const noexcept { return value.has_value() || documentValue != nullptr; }
};

/// The collaborators fields use and the document's mail-merge state. Every collaborator is
/// optional and not owned: each must outlive the document.
struct DocumentFieldServices {
    /// "Now" for DATE, TIME and CREATEDATE; the system clock without one.
    const platform::IClock* clock = nullptr;
    /// Names and number formats; en-US without one.
    const core::Culture* culture = nullptr;
    const IMailMergeDataService* mailMergeDataService = nullptr;
    const IDocumentLayoutService* layoutService = nullptr;
    /// Where INCLUDEPICTURE reads pictures; only local files are asked for.
    const platform::IUriStreamService* uriStreamService = nullptr;
    /// The folder relative INCLUDEPICTURE names are resolved against when the document has no file
    /// name (the program's own folder); empty for none.
    std::u16string programFolder;
    /// Raised by DOCVARIABLE fields before the variable itself is read.
    std::function<void(CalculateDocumentVariableEventArgs&)> calculateDocumentVariable;
    /// Finds the bookmark a PAGEREF field in `pieceTable` names; without one, the story's own
    /// bookmark of that name. The bookmark may belong to another document (a table of contents
    /// being built refers to the document it lists).
    std::function<const Bookmark*(const PieceTable& pieceTable, std::u16string_view name)> resolveBookmark;
    /// Draws the numbers of the hidden bookmarks a table of contents places ("_Toc123"); a
    /// generator seeded from the system without one.
    std::function<uint32_t()> randomNumber;

    MailMergeDataMode mailMergeDataMode = MailMergeDataMode::None;
    /// Separators a mail merge writes numbers with instead of the culture's.
    std::optional<NumberSeparators> mailMergeCustomSeparators;
    /// The page count the document was saved with, for NUMPAGES in the body.
    int32_t documentPageCount = 0;
};

/// The culture fields of the document use.
[[nodiscard]] const core::Culture& fieldCulture(const DocumentModel& documentModel);
/// The current date and time for the document's fields.
[[nodiscard]] core::DateTime fieldNow(const DocumentModel& documentModel);
/// A random number for the document's fields.
[[nodiscard]] uint32_t fieldRandomNumber(const DocumentModel& documentModel);

} // namespace velmo::model

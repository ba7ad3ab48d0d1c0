#pragma once

#include "core/editor_exception.h"
#include "model/numbering/abstract_numbering_list.h"
#include "model/numbering/numbering_list.h"
#include "model/numbering/numbering_list_style.h"
#include "model/style_collection.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace velmo::model {

class DocumentModel;

/// The lists of a document: the abstract lists that define levels, the list instances that
/// paragraphs refer to, and the numbering list styles (none in a new document). Lists are added
/// as undoable steps and never removed while the document lives, except by undoing their addition.
class DocumentNumbering {
public:
    explicit DocumentNumbering(DocumentModel& documentModel) noexcept : documentModel_(documentModel) {}
    ~DocumentNumbering();
    DocumentNumbering(const DocumentNumbering&) = delete;
    DocumentNumbering& operator=(const DocumentNumbering&) = delete;

    [[nodiscard]] int32_t abstractNumberingListCount() const noexcept { return static_cast<int32_t>(abstractNumberingLists_.size()); }
    /// An index the document has no list for is an error.
    [[nodiscard]] const AbstractNumberingList& abstractNumberingList(int32_t index) const;
    [[nodiscard]] int32_t numberingListCount() const noexcept { return static_cast<int32_t>(numberingLists_.size()); }
    /// An index the document has no list for fails with "NumberingListIndex refers to a list that does not exist.".
    [[nodiscard]] const NumberingList& numberingList(int32_t index) const;
    [[nodiscard]] bool isValidNumberingListIndex(int32_t index) const noexcept { return index >= 0 && index < numberingListCount(); }
    /// The index of a list instance of this document; -1 for one it does not hold.
    [[nodiscard]] int32_t indexOf(const NumberingList& list) const noexcept;
    /// The abstract list of instance `numberingListIndex`; null when there is no such instance.
    [[nodiscard]] const AbstractNumberingList* abstractNumberingListOf(int32_t numberingListIndex) const noexcept;
    /// The level a paragraph of instance `numberingListIndex` at `levelIndex` uses (the instance's
    /// own when it redefines the level); null when either index is out of range.
    [[nodiscard]] const ListLevel* listLevel(int32_t numberingListIndex, int32_t levelIndex) const noexcept;

    /// Appends an abstract list as an undoable step and returns its index.
    int32_t addAbstractNumberingListUsingHistory(std::unique_ptr<AbstractNumberingList> list);
    /// Appends a list instance as an undoable step and returns its index; its abstract list must
    /// already be in the document.
    int32_t addNumberingListUsingHistory(std::unique_ptr<NumberingList> list);
    /// Lets `change` edit a level of an abstract list of the document, as one undoable step.
    void changeListLevel(int32_t abstractNumberingListIndex, int32_t levelIndex, const std::function<void(ListLevel&)>& change);
    /// Ids above every id in use.
    [[nodiscard]] int32_t generateNewAbstractNumberingListId() const noexcept;
    [[nodiscard]] int32_t generateNewNumberingListId() const noexcept;

    [[nodiscard]] StyleCollection<NumberingListStyle>& numberingListStyles() noexcept { return numberingListStyles_; }
    [[nodiscard]] const StyleCollection<NumberingListStyle>& numberingListStyles() const noexcept { return numberingListStyles_; }

    /// Forgets every list and numbering list style (new document, reader start). Not undoable.
    void clear() noexcept;

    // Steps used by history items and by the stories' paragraph bookkeeping.
    void appendAbstractNumberingListCore(std::unique_ptr<AbstractNumberingList> list);
    [[nodiscard]] std::unique_ptr<AbstractNumberingList> removeLastAbstractNumberingListCore();
    void appendNumberingListCore(std::unique_ptr<NumberingList> list);
    [[nodiscard]] std::unique_ptr<NumberingList> removeLastNumberingListCore();
    [[nodiscard]] NumberingList& numberingListCore(int32_t index) { return *numberingLists_[static_cast<size_t>(index)]; }
    void setListLevelCore(int32_t abstractNumberingListIndex, int32_t levelIndex, const ListLevel& level);

private:
    DocumentModel& documentModel_; // owner
    std::vector<std::unique_ptr<AbstractNumberingList>> abstractNumberingLists_;
    std::vector<std::unique_ptr<NumberingList>> numberingLists_;
    StyleCollection<NumberingListStyle> numberingListStyles_;
};

/// The error for a paragraph or style that refers to a list the document does not have.
[[nodiscard]] core::EditorException numberingListNotFoundError();

} // namespace velmo::model

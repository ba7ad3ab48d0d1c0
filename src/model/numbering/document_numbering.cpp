#include "model/numbering/document_numbering.h"

#include "model/document_history.h"
#include "model/document_model.h"
#include "model/functional_history_item.h"
#include "model/numbering/numbering_history_items.h"

#include <algorithm>
#include <climits>

namespace velmo::model {

namespace {

/// One above the largest id, or, once INT32_MAX is taken, the smallest positive id left.
template <typename List>
int32_t unusedId(const std::vector<std::unique_ptr<List>>& lists) noexcept
{
    std::vector<int32_t> ids;
    ids.reserve(lists.size());
    for (const auto& list : lists)
        ids.push_back(list->id());
    std::sort(ids.begin(), ids.end());
    if (ids.empty() || ids.back() < 1)
        return 1;
    if (ids.back() < INT32_MAX)
        return ids.back() + 1;
    int32_t candidate = 1;
    for (const int32_t id : ids) {
        if (id == candidate)
            ++candidate;
        else if (id > candidate)
            break;
    }
    return candidate;
}

} // namespace

core::EditorException numberingListNotFoundError()
{
    return core::EditorException("NumberingListIndex refers to a list that does not exist.");
}

DocumentNumbering::~DocumentNumbering() = default;

const AbstractNumberingList& DocumentNumbering::abstractNumberingList(int32_t index) const
{
    if (index < 0 || index >= abstractNumberingListCount())
        throw core::EditorException::invalidValue(index, "AbstractNumberingListIndex");
    return *abstractNumberingLists_[static_cast<size_t>(index)];
}

const NumberingList& DocumentNumbering::numberingList(int32_t index) const
{
    if (!isValidNumberingListIndex(index))
        throw numberingListNotFoundError();
    return *numberingLists_[static_cast<size_t>(index)];
}

int32_t DocumentNumbering::indexOf(const NumberingList& list) const noexcept
{
    for (size_t index = 0; index < numberingLists_.size(); ++index) {
        if (numberingLists_[index].get() == &list)
            return static_cast<int32_t>(index);
    }
    return -1;
}

const AbstractNumberingList* DocumentNumbering::abstractNumberingListOf(int32_t numberingListIndex) const noexcept
{
    if (!isValidNumberingListIndex(numberingListIndex))
        return nullptr;
    const int32_t abstractIndex = numberingLists_[static_cast<size_t>(numberingListIndex)]->abstractNumberingListIndex();
    if (abstractIndex < 0 || abstractIndex >= abstractNumberingListCount())
        return nullptr;
    return abstractNumberingLists_[static_cast<size_t>(abstractIndex)].get();
}

const ListLevel* DocumentNumbering::listLevel(int32_t numberingListIndex, int32_t levelIndex) const noexcept
{
    const AbstractNumberingList* list = abstractNumberingListOf(numberingListIndex);
    if (!list || !isListLevelIndexValid(levelIndex))
        return nullptr;
    const std::optional<ListLevel>& overrideLevel =
        numberingLists_[static_cast<size_t>(numberingListIndex)]->levels()[static_cast<size_t>(levelIndex)].overrideLevel;
    return overrideLevel ? &*overrideLevel : &list->levels()[static_cast<size_t>(levelIndex)];
}

int32_t DocumentNumbering::addAbstractNumberingListUsingHistory(std::unique_ptr<AbstractNumberingList> list)
{
    BatchUpdateScope batch(documentModel_);
    documentModel_.history().execute(
        std::make_unique<AddAbstractNumberingListHistoryItem>(documentModel_.mainPieceTable(), std::move(list)));
    return abstractNumberingListCount() - 1;
}

int32_t DocumentNumbering::addNumberingListUsingHistory(std::unique_ptr<NumberingList> list)
{
    const int32_t abstractIndex = list->abstractNumberingListIndex();
    if (abstractIndex < 0 || abstractIndex >= abstractNumberingListCount())
        throw core::EditorException::invalidValue(abstractIndex, "AbstractNumberingListIndex");
    BatchUpdateScope batch(documentModel_);
    documentModel_.history().execute(std::make_unique<AddNumberingListHistoryItem>(documentModel_.mainPieceTable(), std::move(list)));
    return numberingListCount() - 1;
}

void DocumentNumbering::changeListLevel(int32_t abstractNumberingListIndex, int32_t levelIndex,
                                        const std::function<void(ListLevel&)>& change)
{
    const ListLevel old = abstractNumberingList(abstractNumberingListIndex).level(levelIndex);
    ListLevel changed = old;
    change(changed);
    if (changed == old)
        return;
    BatchUpdateScope batch(documentModel_);
    documentModel_.history().execute(std::make_unique<FunctionalHistoryItem>(
        documentModel_.mainPieceTable(),
        [this, abstractNumberingListIndex, levelIndex, changed] {
            setListLevelCore(abstractNumberingListIndex, levelIndex, changed);
        },
        [this, abstractNumberingListIndex, levelIndex, old] { setListLevelCore(abstractNumberingListIndex, levelIndex, old); }));
}

void DocumentNumbering::setListLevelCore(int32_t abstractNumberingListIndex, int32_t levelIndex, const ListLevel& level)
{
    abstractNumberingLists_[static_cast<size_t>(abstractNumberingListIndex)]->setLevel(levelIndex, level);
    // Indents and numbers of every paragraph of the list may change.
    documentModel_.resetFormattingCaches();
}

int32_t DocumentNumbering::generateNewAbstractNumberingListId() const noexcept
{
    return unusedId(abstractNumberingLists_);
}

int32_t DocumentNumbering::generateNewNumberingListId() const noexcept
{
    return unusedId(numberingLists_);
}

void DocumentNumbering::clear() noexcept
{
    numberingLists_.clear();
    abstractNumberingLists_.clear();
    numberingListStyles_.clear();
}

void DocumentNumbering::appendAbstractNumberingListCore(std::unique_ptr<AbstractNumberingList> list)
{
    abstractNumberingLists_.push_back(std::move(list));
}

std::unique_ptr<AbstractNumberingList> DocumentNumbering::removeLastAbstractNumberingListCore()
{
    std::unique_ptr<AbstractNumberingList> last = std::move(abstractNumberingLists_.back());
    abstractNumberingLists_.pop_back();
    return last;
}

void DocumentNumbering::appendNumberingListCore(std::unique_ptr<NumberingList> list)
{
    numberingLists_.push_back(std::move(list));
}

std::unique_ptr<NumberingList> DocumentNumbering::removeLastNumberingListCore()
{
    std::unique_ptr<NumberingList> last = std::move(numberingLists_.back());
    numberingLists_.pop_back();
    return last;
}

} // namespace velmo::model

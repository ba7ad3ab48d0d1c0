#pragma once

#include <cstdint>
#include <random>
#include <set>

namespace velmo::model {

class AbstractNumberingList;
class DocumentModel;

/// Makes the three lists the list commands start from: simple numbering, bullets and
/// multilevel numbering. The levels of the first two carry template codes drawn at random.
class DefaultNumberingListHelper {
public:
    /// Template codes come from `random` (must outlive the helper); seed it for repeatable lists.
    explicit DefaultNumberingListHelper(std::mt19937& random) noexcept : random_(random) {}

    /// Adds the three lists to `document` in that order, each with one list instance, as undoable
    /// steps. `defaultTabWidth` (twips) sets the hanging indent of the first two lists to its half.
    void insertNumberingLists(DocumentModel& document, int32_t defaultTabWidth);
    /// Each adds one abstract list as an undoable step and returns its index.
    int32_t insertDefaultSimpleNumberingList(DocumentModel& document, int32_t defaultTabWidth);
    int32_t insertDefaultBulletNumberingList(DocumentModel& document, int32_t defaultTabWidth);
    int32_t insertDefaultMultiLevelNumberingList(DocumentModel& document);

private:
    /// The simple and bullet lists' levels: indents of (i + 1) x 720 twips hanging by half a tab.
    AbstractNumberingList createSingleLevelList(DocumentModel& document, int32_t defaultTabWidth);
    /// A random code from 256 to 2147483646 that no list of the document nor `taken` uses.
    int32_t freshTemplateCode(const DocumentModel& document, std::set<int32_t>& taken);

    std::mt19937& random_;
};

} // namespace velmo::model

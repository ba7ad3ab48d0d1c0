#include "model/style_base.h"

#include "core/editor_exception.h"
#include "model/document_history.h"
#include "model/document_model.h"
#include "model/functional_history_item.h"
#include "model/piece_table.h"

#include <cstdio>
#include <random>

namespace velmo::model {

namespace {

std::u16string newGuid()
{
    static thread_local std::mt19937_64 generator{std::random_device{}()};
    const uint64_t high = generator();
    const uint64_t low = generator();
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%04X-%012llX}", static_cast<unsigned>(high >> 32),
                  static_cast<unsigned>(high >> 16 & 0xFFFF), static_cast<unsigned>((high & 0x0FFF) | 0x4000),
                  static_cast<unsigned>((low >> 48 & 0x3FFF) | 0x8000), static_cast<unsigned long long>(low & 0xFFFFFFFFFFFFULL));
    return std::u16string(text, text + std::char_traits<char>::length(text));
}

} // namespace

StyleBase::StyleBase(DocumentModel& documentModel, std::u16string name)
    : documentModel_(documentModel), styleName_(std::move(name)), id_(newGuid())
{
}

void StyleBase::setStyleName(const std::u16string& name)
{
    if (name == styleName_)
        return;
    const std::u16string oldName = styleName_;
    BatchUpdateScope batch(documentModel_);
    documentModel_.history().execute(std::make_unique<FunctionalHistoryItem>(
        documentModel_.mainPieceTable(), [this, name] { styleName_ = name; }, [this, oldName] { styleName_ = oldName; }));
}

void StyleBase::setParent(StyleBase* parent)
{
    if (parent == parent_)
        return;
    if (parent && parent->styleType() != styleType())
        throw core::EditorException::invalidValue("a style of another kind", "Parent");
    for (const StyleBase* ancestor = parent; ancestor; ancestor = ancestor->parent()) {
        if (ancestor != this)
            continue;
        if (documentModel_.isSetContentMode())
            return; // a file with a circular chain: keep what we have
        throw core::EditorException("Error: invalid parent style assignment caused circular reference");
    }
    StyleBase* const oldParent = parent_;
    BatchUpdateScope batch(documentModel_);
    documentModel_.history().execute(std::make_unique<FunctionalHistoryItem>(
        documentModel_.mainPieceTable(),
        [this, parent] {
            parent_ = parent;
            onStyleChanged();
        },
        [this, oldParent] {
            parent_ = oldParent;
            onStyleChanged();
        }));
}

void StyleBase::recordIndexChange(int32_t& index, int32_t oldIndex, int32_t newIndex)
{
    documentModel_.history().execute(std::make_unique<FunctionalHistoryItem>(
        documentModel_.mainPieceTable(),
        [this, &index, newIndex] {
            index = newIndex;
            onStyleChanged();
        },
        [this, &index, oldIndex] {
            index = oldIndex;
            onStyleChanged();
        }));
}

void StyleBase::onStyleChanged()
{
    documentModel_.resetFormattingCaches();
}

} // namespace velmo::model

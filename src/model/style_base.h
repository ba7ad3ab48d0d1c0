#pragma once

#include <cstdint>
#include <string>

namespace velmo::model {

class DocumentModel;

enum class StyleType : uint8_t { ParagraphStyle, CharacterStyle, TableStyle, NumberingListStyle, TableCellStyle };

/// A named formatting layer that paragraphs, runs or tables refer to by index. Styles form
/// parent chains of one kind; they are never removed from their collection, only marked deleted.
class StyleBase {
public:
    StyleBase(DocumentModel& documentModel, std::u16string name);
    virtual ~StyleBase() = default;
    StyleBase(const StyleBase&) = delete;
    StyleBase& operator=(const StyleBase&) = delete;

    [[nodiscard]] virtual StyleType styleType() const noexcept = 0;
    [[nodiscard]] DocumentModel& documentModel() const noexcept { return documentModel_; }

    [[nodiscard]] const std::u16string& styleName() const noexcept { return styleName_; }
    [[nodiscard]] const std::u16string& localizedStyleName() const noexcept { return styleName_; }
    /// Renames the style as an undoable step.
    void setStyleName(const std::u16string& name);
    /// A GUID made when the style was created, "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}".
    [[nodiscard]] const std::u16string& id() const noexcept { return id_; }

    [[nodiscard]] StyleBase* parent() const noexcept { return parent_; }
    /// Makes `parent` (of the same kind, or null) the parent as an undoable step. A parent that
    /// descends from this style fails with the circular-reference error, except while a file is
    /// being read, when the assignment is skipped.
    void setParent(StyleBase* parent);

    [[nodiscard]] bool deleted() const noexcept { return deleted_; }
    [[nodiscard]] bool hidden() const noexcept { return hidden_; }
    void setHidden(bool value) noexcept { hidden_ = value; }
    [[nodiscard]] bool semihidden() const noexcept { return semihidden_; }
    void setSemihidden(bool value) noexcept { semihidden_ = value; }
    [[nodiscard]] bool primary() const noexcept { return primary_; }
    void setPrimary(bool value) noexcept { primary_ = value; }

    // Steps used by history items.
    void setParentCore(StyleBase* parent) noexcept { parent_ = parent; }
    void setDeletedCore(bool deleted) noexcept { deleted_ = deleted; }

protected:
    /// Recomputes every effective formatting and relayouts the main text after a style change.
    void onStyleChanged();
    /// Records setting one of the style's cache indices from `oldIndex` to `newIndex` as an
    /// undoable step; `index` is a member of this style.
    void recordIndexChange(int32_t& index, int32_t oldIndex, int32_t newIndex);

    DocumentModel& documentModel_; // owns the collection that owns the style

private:
    std::u16string styleName_;
    std::u16string id_;
    StyleBase* parent_ = nullptr; // same collection
    bool deleted_ = false;
    bool hidden_ = false;
    bool semihidden_ = false;
    bool primary_ = false;
};

} // namespace velmo::model

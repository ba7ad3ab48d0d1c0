#pragma once

#include "model/document_model_change_actions.h"

#include <cstdint>

namespace velmo::model {

class PieceTable;

/// Something that carries character formatting by cache index: a run or a style. It records a
/// change of its index as one undoable step and reports which text the change affects.
class ICharacterPropertiesContainer {
public:
    virtual ~ICharacterPropertiesContainer() = default;
    [[nodiscard]] virtual PieceTable& pieceTable() const = 0;
    [[nodiscard]] virtual int32_t characterPropertiesIndex() const = 0;
    /// Sets the index without history (construction, reading a file).
    virtual void setCharacterPropertiesIndexInitial(int32_t index) = 0;
    /// Records and executes the change from `oldIndex` to `newIndex` in the document's history.
    virtual void recordCharacterPropertiesIndexChange(int32_t oldIndex, int32_t newIndex, DocumentModelChangeActions actions) = 0;
    /// Marks the affected text for the actions without changing the index.
    virtual void notifyCharacterPropertiesChanged(DocumentModelChangeActions actions) = 0;
};

/// The same for paragraph formatting: a paragraph or a paragraph style.
class IParagraphPropertiesContainer {
public:
    virtual ~IParagraphPropertiesContainer() = default;
    [[nodiscard]] virtual PieceTable& pieceTable() const = 0;
    [[nodiscard]] virtual int32_t paragraphPropertiesIndex() const = 0;
    virtual void setParagraphPropertiesIndexInitial(int32_t index) = 0;
    virtual void recordParagraphPropertiesIndexChange(int32_t oldIndex, int32_t newIndex, DocumentModelChangeActions actions) = 0;
    virtual void notifyParagraphPropertiesChanged(DocumentModelChangeActions actions) = 0;
};

/// Something that carries a tab stop list by cache index: a paragraph or a paragraph style.
class ITabPropertiesContainer {
public:
    virtual ~ITabPropertiesContainer() = default;
    [[nodiscard]] virtual PieceTable& pieceTable() const = 0;
    [[nodiscard]] virtual int32_t tabsIndex() const = 0;
    /// Sets the index without history and reports the change (history items and readers).
    virtual void setTabsIndex(int32_t index) = 0;
};

} // namespace velmo::model

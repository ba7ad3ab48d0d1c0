#pragma once

#include "model/properties_container.h"
#include "model/tab_formatting_info.h"

namespace velmo::model {

/// The undoable tab stop list of a paragraph or paragraph style.
class TabProperties {
public:
    explicit TabProperties(ITabPropertiesContainer& container) noexcept : container_(container) {}

    [[nodiscard]] const TabFormattingInfo& info() const;
    /// Stores a new list as one undoable step (nothing when it equals the current one).
    void setInfo(const TabFormattingInfo& tabs);
    /// Sets the list without history (readers).
    void setInfoInitial(const TabFormattingInfo& tabs);

private:
    ITabPropertiesContainer& container_; // outlives the handle
};

} // namespace velmo::model

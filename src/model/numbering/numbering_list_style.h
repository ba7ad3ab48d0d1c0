#pragma once

#include "model/style_base.h"

#include <cstdint>

namespace velmo::model {

/// A style that stands for a list: it names the list instance whose levels it defines.
class NumberingListStyle final : public StyleBase {
public:
    using StyleBase::StyleBase;

    [[nodiscard]] StyleType styleType() const noexcept override { return StyleType::NumberingListStyle; }

    /// The list instance's index in the document, or -1.
    [[nodiscard]] int32_t numberingListIndex() const noexcept { return numberingListIndex_; }
    void setNumberingListIndex(int32_t index) noexcept { numberingListIndex_ = index; }

private:
    int32_t numberingListIndex_ = -1;
};

} // namespace velmo::model

#pragma once

#include <cstdint>

namespace velmo::model {

/// A property record plus the mask of the properties it sets, for the drawing-object records
/// (floating objects, shapes, text boxes). `Option` numbers the use bits.
template <typename Info, typename Option>
class UsedOptionsFormatting {
public:
    UsedOptionsFormatting() = default;
    UsedOptionsFormatting(const Info& info, uint32_t useMask) : info_(info), useMask_(useMask) {}

    [[nodiscard]] const Info& info() const noexcept { return info_; }
    [[nodiscard]] uint32_t useMask() const noexcept { return useMask_; }
    [[nodiscard]] bool uses(Option option) const noexcept { return (useMask_ & bit(option)) != 0; }
    [[nodiscard]] static constexpr uint32_t bit(Option option) noexcept { return uint32_t{1} << static_cast<uint32_t>(option); }

    /// Stores the value and marks it set (nothing changes when it is already set to that value).
    template <typename T>
    void set(T Info::*field, const T& value, Option option)
    {
        if (info_.*field == value && uses(option))
            return;
        info_.*field = value;
        useMask_ |= bit(option);
    }
    void resetUse(uint32_t mask) noexcept { useMask_ &= ~mask; }

    friend bool operator==(const UsedOptionsFormatting&, const UsedOptionsFormatting&) = default;
    [[nodiscard]] uint64_t hash() const noexcept { return info_.hash() ^ (uint64_t{useMask_} << 32); }

private:
    Info info_{};
    uint32_t useMask_ = 0;
};

} // namespace velmo::model

#pragma once

#include "core/case_insensitive.h"
#include "model/style_base.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace velmo::model {

/// The styles of one kind in a document, in order; index 0 is the default style. Styles are
/// only ever appended (or removed again by undoing their addition); deleting marks them.
template <typename Style>
class StyleCollection {
public:
    static constexpr int32_t kDefaultItemIndex = 0;

    StyleCollection() = default;
    StyleCollection(const StyleCollection&) = delete;
    StyleCollection& operator=(const StyleCollection&) = delete;

    [[nodiscard]] int32_t count() const noexcept { return static_cast<int32_t>(styles_.size()); }
    [[nodiscard]] Style& operator[](int32_t index) const { return *styles_[static_cast<size_t>(index)]; }
    [[nodiscard]] Style& defaultItem() const { return *styles_.front(); }
    [[nodiscard]] bool isIndexValid(int32_t index) const noexcept { return index >= 0 && index < count(); }

    /// -1 when the style is not in the collection.
    [[nodiscard]] int32_t indexOf(const StyleBase* style) const noexcept
    {
        for (size_t index = 0; index < styles_.size(); ++index) {
            if (styles_[index].get() == style)
                return static_cast<int32_t>(index);
        }
        return -1;
    }
    [[nodiscard]] int32_t styleIndexByName(std::u16string_view name, bool ignoreCase = false) const noexcept
    {
        for (size_t index = 0; index < styles_.size(); ++index) {
            const std::u16string& candidate = styles_[index]->styleName();
            if (ignoreCase ? core::equalsIgnoreCase(candidate, name) : candidate == name)
                return static_cast<int32_t>(index);
        }
        return -1;
    }
    [[nodiscard]] Style* styleByName(std::u16string_view name) const noexcept
    {
        const int32_t index = styleIndexByName(name);
        return index < 0 ? nullptr : styles_[static_cast<size_t>(index)].get();
    }
    [[nodiscard]] int32_t styleIndexById(std::u16string_view id) const noexcept
    {
        for (size_t index = 0; index < styles_.size(); ++index) {
            if (styles_[index]->id() == id)
                return static_cast<int32_t>(index);
        }
        return -1;
    }

    /// Appends without history (built-in styles, undo of a removal); returns the index.
    int32_t append(std::unique_ptr<Style> style)
    {
        styles_.push_back(std::move(style));
        return count() - 1;
    }
    /// Takes the last style out again (undo of an addition).
    std::unique_ptr<Style> removeLast()
    {
        std::unique_ptr<Style> last = std::move(styles_.back());
        styles_.pop_back();
        return last;
    }
    void clear() noexcept { styles_.clear(); }

private:
    std::vector<std::unique_ptr<Style>> styles_;
};

} // namespace velmo::model

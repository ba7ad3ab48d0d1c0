#pragma once

#include "platform/clipboard.h"

#include <map>

namespace velmo::platform {

/// A clipboard of the process's own, for tests and headless sessions.
class MemoryClipboard final : public IClipboard {
public:
    [[nodiscard]] bool containsData(std::string_view format) const override
    {
        return data_.contains(std::string(format)) || text_.contains(std::string(format));
    }
    [[nodiscard]] std::string data(std::string_view format) const override { return find(data_, format); }
    [[nodiscard]] std::u16string text(std::string_view format) const override { return find(text_, format); }
    void clear() override
    {
        data_.clear();
        text_.clear();
    }
    void setData(std::string_view format, std::string bytes) override { data_[std::string(format)] = std::move(bytes); }
    void setText(std::string_view format, std::u16string text) override { text_[std::string(format)] = std::move(text); }

private:
    template <typename Value>
    static Value find(const std::map<std::string, Value, std::less<>>& items, std::string_view format)
    {
        const auto found = items.find(format);
        return found == items.end() ? Value() : found->second;
    }

    std::map<std::string, std::string, std::less<>> data_;
    std::map<std::string, std::u16string, std::less<>> text_;
};

} // namespace velmo::platform

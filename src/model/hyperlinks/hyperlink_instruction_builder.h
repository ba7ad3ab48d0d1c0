#pragma once

#include "model/hyperlinks/hyperlink_info.h"

#include <string>

namespace velmo::model {

/// The HYPERLINK field code that carries a hyperlink record, for example
/// HYPERLINK "a.htm" \l "top" \o "tip".
class HyperlinkInstructionBuilder {
public:
    explicit HyperlinkInstructionBuilder(const HyperlinkInfo& info) noexcept : info_(info) {}

    /// "HYPERLINK", the quoted address (backslashes doubled) when there is one, then the
    /// switches \l (anchor), \o (tool tip) and \t (target) that have a value.
    [[nodiscard]] std::u16string fieldInstruction() const;

private:
    const HyperlinkInfo& info_;
};

} // namespace velmo::model

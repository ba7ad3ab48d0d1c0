#pragma once

#include "core/positions.h"

#include <cstdint>
#include <memory>

namespace velmo::model {

class CalculatedFieldBase;
class PieceTable;

/// Two run indices of a story, both inclusive; (-1, -1) until set.
struct FieldRunInterval {
    RunIndex start{-1};
    RunIndex end{-1};

    bool operator==(const FieldRunInterval&) const = default;
};

/// One field of a story: a code start mark, the code, a code end mark, the result and a result
/// end mark, in that order. Only the three marks are stored; the intervals follow from them, so an
/// insertion right after the code end mark lands in the result.
class Field {
public:
    explicit Field(PieceTable& pieceTable) noexcept;
    ~Field();
    Field(const Field&) = delete;
    Field& operator=(const Field&) = delete;

    [[nodiscard]] PieceTable& pieceTable() const noexcept { return *pieceTable_; }
    /// `start` is the code start mark, `end` the code end mark.
    [[nodiscard]] FieldRunInterval code() const noexcept { return {codeStart_, codeEnd_}; }
    /// `start` is the first run after the code end mark, `end` the result end mark.
    [[nodiscard]] FieldRunInterval result() const noexcept { return {codeEnd_ + 1, resultEnd_}; }
    [[nodiscard]] RunIndex firstRunIndex() const noexcept { return codeStart_; }
    [[nodiscard]] RunIndex lastRunIndex() const noexcept { return resultEnd_; }
    /// Sets the three marks (code start < code end < result end).
    void setMarks(RunIndex codeStart, RunIndex codeEnd, RunIndex resultEnd) noexcept;
    /// Whether `other` lies wholly inside this field.
    [[nodiscard]] bool contains(const Field& other) const noexcept
    {
        return codeStart_ < other.codeStart_ && other.resultEnd_ < resultEnd_;
    }
    [[nodiscard]] bool containsRun(RunIndex runIndex) const noexcept
    {
        return codeStart_ <= runIndex && runIndex <= resultEnd_;
    }
    [[nodiscard]] bool isMark(RunIndex runIndex) const noexcept
    {
        return runIndex == codeStart_ || runIndex == codeEnd_ || runIndex == resultEnd_;
    }
    /// Characters of the result, the result end mark not counted.
    [[nodiscard]] int32_t resultLength() const;
    /// Log positions of the code start mark and of the first result character.
    [[nodiscard]] DocumentLogPosition startLogPosition() const;
    [[nodiscard]] DocumentLogPosition resultStartLogPosition() const;
    /// The log position of the result end mark.
    [[nodiscard]] DocumentLogPosition resultEndLogPosition() const;
    /// Characters from the code start mark to the result end mark, both included.
    [[nodiscard]] int32_t totalLength() const;

    /// Whether the code is shown instead of the result.
    [[nodiscard]] bool isCodeView() const noexcept { return (bits_ & kCodeViewBit) != 0; }
    /// Whether the result is kept when fields are updated.
    [[nodiscard]] bool isLocked() const noexcept { return (bits_ & kLockedBit) != 0; }
    /// Changes without history; PieceTable::toggleFieldCodes() and setFieldLocked() record them.
    void setCodeViewCore(bool value) noexcept { setBit(kCodeViewBit, value); }
    void setLockedCore(bool value) noexcept { setBit(kLockedBit, value); }
    /// Whether updates skip this field (and what is nested in it).
    [[nodiscard]] bool disableUpdate() const noexcept { return disableUpdate_; }
    void setDisableUpdateCore(bool value) noexcept { disableUpdate_ = value; }

    /// The innermost field that contains this one; null for a top-level field.
    [[nodiscard]] Field* parent() const noexcept { return parent_; }
    void setParent(Field* parent) noexcept { parent_ = parent; }
    /// Place in the story's field collection; -1 while the field is not in it.
    [[nodiscard]] int32_t index() const noexcept { return index_; }
    void setIndex(int32_t index) noexcept { index_ = index; }

    /// The calculated field built before an update pass, kept until the pass calculates the field.
    [[nodiscard]] CalculatedFieldBase* preparedCalculatedField() const noexcept { return prepared_.get(); }
    void setPreparedCalculatedField(std::unique_ptr<CalculatedFieldBase> prepared) noexcept;
    [[nodiscard]] std::unique_ptr<CalculatedFieldBase> takePreparedCalculatedField() noexcept;

    /// Keeps the marks on the same runs when a run is inserted at, or removed from, `runIndex`.
    /// A removed run must not be one of the marks.
    void onRunInserted(RunIndex runIndex) noexcept;
    void onRunRemoved(RunIndex runIndex) noexcept;

private:
    static constexpr uint8_t kCodeViewBit = 1;
    static constexpr uint8_t kLockedBit = 2;

    void setBit(uint8_t bit, bool value) noexcept { bits_ = value ? (bits_ | bit) : (bits_ & ~bit); }

    PieceTable* pieceTable_; // the story that holds the field outlives it
    RunIndex codeStart_{-1};
    RunIndex codeEnd_{-1};
    RunIndex resultEnd_{-1};
    uint8_t bits_ = 0;
    bool disableUpdate_ = false;
    Field* parent_ = nullptr; // a field of the same collection, or null
    int32_t index_ = -1;
    std::unique_ptr<CalculatedFieldBase> prepared_;
};

} // namespace velmo::model

#pragma once

#include "core/positions.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace velmo::model {

class Field;
class PieceTable;
class SequentialFieldManager;

/// The three marks of one field, as run indices.
struct FieldMarks {
    RunIndex codeStart;
    RunIndex codeEnd;
    RunIndex resultEnd;

    bool operator==(const FieldMarks&) const = default;
};

/// The fields of one story, ordered by their result end marks, so that a field comes after the
/// fields nested in it. The marks move with every run inserted or removed before them; fields come
/// and go only through history items (see field_history_items.h).
class FieldCollection {
public:
    explicit FieldCollection(PieceTable& pieceTable);
    ~FieldCollection();
    FieldCollection(const FieldCollection&) = delete;
    FieldCollection& operator=(const FieldCollection&) = delete;

    [[nodiscard]] int32_t count() const noexcept { return static_cast<int32_t>(fields_.size()); }
    [[nodiscard]] bool isEmpty() const noexcept { return fields_.empty(); }
    [[nodiscard]] Field& operator[](int32_t index) const;

    /// The innermost field whose runs (marks included) include `runIndex`; null when none does.
    [[nodiscard]] Field* findFieldByRunIndex(RunIndex runIndex) const;
    /// The field whose result end mark is `runIndex`; null when there is none.
    [[nodiscard]] Field* findFieldByResultEnd(RunIndex runIndex) const;
    /// The field whose code start mark is `runIndex`; null when there is none.
    [[nodiscard]] Field* findFieldByCodeStart(RunIndex runIndex) const;
    /// The fields whose parent is `parent` (the top-level fields for null), in story order.
    [[nodiscard]] std::vector<Field*> childrenOf(const Field* parent) const;
    /// The fields lying wholly inside runs first..last, in collection order.
    [[nodiscard]] std::vector<Field*> fieldsInside(RunIndex first, RunIndex last) const;

    /// The SEQ counters of the story.
    [[nodiscard]] SequentialFieldManager& sequentialFieldManager() const noexcept { return *sequentialFieldManager_; }
    /// Forgets the SEQ values counted so far.
    void clearCounters();

    // Steps used by history items.
    /// Puts a field whose marks are set into its place; parents and indices follow.
    void insertCore(std::unique_ptr<Field> field);
    /// Takes a field out; its children get its parent.
    [[nodiscard]] std::unique_ptr<Field> removeCore(Field& field);
    void clear();

    /// Run bookkeeping from the story.
    void onRunInserted(RunIndex runIndex);
    void onRunRemoved(RunIndex runIndex);

private:
    /// Index of the first field whose result end mark is at or after `runIndex`.
    [[nodiscard]] int32_t lowerBound(RunIndex runIndex) const noexcept;
    /// The innermost field containing `field`, searched from the field after it in the order.
    [[nodiscard]] Field* findContainer(int32_t position, const Field& field) const noexcept;
    void renumberFrom(int32_t position) noexcept;

    PieceTable& pieceTable_; // owns the collection
    std::vector<std::unique_ptr<Field>> fields_;
    std::unique_ptr<SequentialFieldManager> sequentialFieldManager_;
};

/// The fields the mark runs of a story form: a code start, a code end and a result end that match
/// as brackets do, in the order of their result end marks. Marks that match nothing go into
/// `strayMarks` when given.
[[nodiscard]] std::vector<FieldMarks> findFieldMarks(const PieceTable& pieceTable,
                                                     std::vector<RunIndex>* strayMarks = nullptr);

} // namespace velmo::model

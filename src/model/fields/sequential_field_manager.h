#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace velmo::model {

class Field;
class PieceTable;

/// The numbers of a story's SEQ fields, one counter per identifier. Each counter keeps the
/// (field index, value) pairs counted so far in story order, so asking for a later field goes on
/// from the last one counted instead of counting the story again.
class SequentialFieldManager {
public:
    /// The number of a field whose code names no sequence.
    static constexpr int32_t kUnsetValue = INT32_MIN;

    explicit SequentialFieldManager(PieceTable& pieceTable) noexcept : pieceTable_(pieceTable) {}

    /// The number SEQ field `field` with `identifier` shows; kUnsetValue for an empty identifier.
    [[nodiscard]] int32_t counterValue(const Field& field, const std::u16string& identifier);
    /// Forgets what was counted (the fields or their codes changed).
    void clearCounters() noexcept { counters_.clear(); }

private:
    struct CountedField {
        int32_t fieldIndex;
        int32_t value;
    };

    PieceTable& pieceTable_; // owns the collection that owns the manager
    std::unordered_map<std::u16string, std::vector<CountedField>> counters_;
};

} // namespace velmo::model

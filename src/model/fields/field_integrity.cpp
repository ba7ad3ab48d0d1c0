#include "model/fields/field_integrity.h"

#include "model/fields/field.h"
#include "model/fields/field_collection.h"
#include "model/piece_table.h"

#include <string>

namespace velmo::model {

namespace {

std::string marksText(const FieldMarks& marks)
{
    return std::to_string(marks.codeStart.value()) + "/" + std::to_string(marks.codeEnd.value()) + "/" +
           std::to_string(marks.resultEnd.value());
}

} // namespace

std::vector<std::string> findFieldProblems(const PieceTable& pieceTable)
{
    std::vector<std::string> problems;
    std::vector<RunIndex> strayMarks;
    const std::vector<FieldMarks> expected = findFieldMarks(pieceTable, &strayMarks);
    for (const RunIndex mark : strayMarks)
        problems.push_back("field mark run " + std::to_string(mark.value()) + " belongs to no field");
    const FieldCollection& fields = pieceTable.fields();
    if (static_cast<size_t>(fields.count()) != expected.size()) {
        problems.push_back("the story records " + std::to_string(fields.count()) + " fields, its marks form " +
                           std::to_string(expected.size()));
        return problems;
    }
    // Parents: the marks come in order of result end, so the fields still open when one ends are
    // those after it that contain it; the innermost is the nearest.
    for (int32_t index = 0; index < fields.count(); ++index) {
        const Field& field = fields[index];
        const FieldMarks& marks = expected[static_cast<size_t>(index)];
        const FieldMarks recorded{field.firstRunIndex(), field.code().end, field.lastRunIndex()};
        const std::string name = "field " + std::to_string(index);
        if (recorded != marks)
            problems.push_back(name + " has marks " + marksText(recorded) + ", the runs " + marksText(marks));
        if (field.index() != index)
            problems.push_back(name + " reports index " + std::to_string(field.index()));
        if (&field.pieceTable() != &pieceTable)
            problems.push_back(name + " names another story");
        const Field* expectedParent = nullptr;
        for (int32_t later = index + 1; later < fields.count() && !expectedParent; ++later) {
            if (fields[later].contains(field))
                expectedParent = &fields[later];
        }
        if (field.parent() != expectedParent)
            problems.push_back(name + " has the wrong parent");
    }
    for (const auto& entry : pieceTable.hyperlinkInfos().items()) {
        if (entry.first < 0 || entry.first >= fields.count())
            problems.push_back("hyperlink record of field " + std::to_string(entry.first) + ", which the story lacks");
    }
    return problems;
}

} // namespace velmo::model

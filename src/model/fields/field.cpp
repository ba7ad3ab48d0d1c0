#include "model/fields/field.h"

#include "model/fields/calculated_field_base.h"
#include "model/piece_table.h"

namespace velmo::model {

Field::Field(PieceTable& pieceTable) noexcept : pieceTable_(&pieceTable) {}

Field::~Field() = default;

void Field::setMarks(RunIndex codeStart, RunIndex codeEnd, RunIndex resultEnd) noexcept
{
    codeStart_ = codeStart;
    codeEnd_ = codeEnd;
    resultEnd_ = resultEnd;
}

int32_t Field::resultLength() const
{
    int32_t length = 0;
    for (RunIndex runIndex = codeEnd_ + 1; runIndex < resultEnd_; ++runIndex)
        length += pieceTable_->run(runIndex).length();
    return length;
}

DocumentLogPosition Field::startLogPosition() const
{
    return pieceTable_->runLogPosition(codeStart_);
}

DocumentLogPosition Field::resultStartLogPosition() const
{
    return pieceTable_->runLogPosition(codeEnd_) + 1;
}

DocumentLogPosition Field::resultEndLogPosition() const
{
    return pieceTable_->runLogPosition(resultEnd_);
}

int32_t Field::totalLength() const
{
    return resultEndLogPosition() - startLogPosition() + 1;
}

void Field::setPreparedCalculatedField(std::unique_ptr<CalculatedFieldBase> prepared) noexcept
{
    prepared_ = std::move(prepared);
}

std::unique_ptr<CalculatedFieldBase> Field::takePreparedCalculatedField() noexcept
{
    return std::move(prepared_);
}

void Field::onRunInserted(RunIndex runIndex) noexcept
{
    for (RunIndex* mark : {&codeStart_, &codeEnd_, &resultEnd_}) {
        if (*mark >= runIndex)
            ++*mark;
    }
}

void Field::onRunRemoved(RunIndex runIndex) noexcept
{
    for (RunIndex* mark : {&codeStart_, &codeEnd_, &resultEnd_}) {
        if (*mark > runIndex)
            --*mark;
    }
}

} // namespace velmo::model

#pragma once

namespace velmo::model {

class DocumentModel;
class PieceTable;

/// The frame of a command on one story: the command runs inside one batch update and one
/// history transaction, so that it is one undo step and observers hear of it once. When the
/// command fails, what it did so far is rolled back and the error goes on to the caller.
class CustomPieceTableCommand {
public:
    explicit CustomPieceTableCommand(PieceTable& pieceTable) noexcept : pieceTable_(pieceTable) {}
    virtual ~CustomPieceTableCommand() = default;
    CustomPieceTableCommand(const CustomPieceTableCommand&) = delete;
    CustomPieceTableCommand& operator=(const CustomPieceTableCommand&) = delete;

    void execute();

protected:
    [[nodiscard]] PieceTable& pieceTable() const noexcept { return pieceTable_; }
    [[nodiscard]] DocumentModel& documentModel() const noexcept;
    virtual void executeCore() = 0;

private:
    PieceTable& pieceTable_; // outlives the command
};

} // namespace velmo::model

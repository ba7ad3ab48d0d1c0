#include "model/custom_piece_table_command.h"

#include "model/document_model.h"
#include "model/piece_table.h"

namespace velmo::model {

DocumentModel& CustomPieceTableCommand::documentModel() const noexcept
{
    return pieceTable_.documentModel();
}

void CustomPieceTableCommand::execute()
{
    // The batch holds the transaction; leaving it by an exception rolls the command back.
    BatchUpdateScope batch(documentModel());
    executeCore();
}

} // namespace velmo::model

// libFuzzer entry: any bytes must load as plain text into a sound model, whatever the encoding.
#include "formats/document_file_service.h"
#include "model/document_model.h"
#include "model/model_integrity_checker.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    velmo::model::DocumentModel document;
    velmo::formats::PlainTextDocumentImporterOptions options;
    options.sourceUri = u"fuzz.txt";
    velmo::formats::loadDocument(document, std::span<const uint8_t>(data, size), velmo::model::DocumentFormat::PlainText,
                                 options);
    if (!velmo::model::findIntegrityProblems(document).empty())
        std::abort();
    return 0;
}

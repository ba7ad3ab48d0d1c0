#pragma once

// The DOCX packages of the shared corpus, read once per test program.

#include "core/editor_exception.h"
#include "core/file_io.h"
#include "formats/docx_test_support.h"
#include "model/pictures/picture_test_support.h"

#include "support/corpus_packages.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace velmo::formats::testing {

/// `path` relative to the shared folder, for messages.
inline std::string relativeName(const std::filesystem::path& path)
{
    return path.lexically_relative(VELMO_SHARED_DIR).generic_string();
}

/// `text` as one word of a POSIX shell command line.
inline std::string shellQuoted(const std::string& text)
{
    std::string quoted = "'";
    for (const char character : text)
        quoted += character == '\'' ? std::string("'\\''") : std::string(1, character);
    return quoted + "'";
}

/// One corpus package: its document, or the reader's error.
struct CorpusDocument {
    std::filesystem::path path;
    std::unique_ptr<model::DocumentModel> document; // null when loading failed
    std::string error;
};

/// Every DOCX, DOCM and DOTX package of the corpus, loaded with its pictures decoded; empty when the corpus is absent.
inline const std::vector<CorpusDocument>& loadedCorpus()
{
    static const std::vector<CorpusDocument> corpus = [] {
        std::vector<CorpusDocument> result;
        for (const std::filesystem::path& path : velmo::testing::corpusPackages({".docx", ".docm", ".dotx"})) {
            CorpusDocument item{path, std::make_unique<model::DocumentModel>(nullptr, &model::testCodec()), {}};
            try {
                loadDocx(*item.document, core::readFile(path.string()));
            } catch (const core::EditorException& error) {
                item.error = error.what();
                item.document.reset();
            }
            result.push_back(std::move(item));
        }
        return result;
    }();
    return corpus;
}

} // namespace velmo::formats::testing

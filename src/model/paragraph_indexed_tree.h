#pragma once

#include "core/positions.h"

#include <array>
#include <cstdint>
#include <memory>

namespace velmo::model {

class Paragraph;

/// Paragraph index, first run index and log position, relative to the enclosing tree node.
struct TreeOffsets {
    int32_t index = 0;
    int32_t runIndex = 0;
    int32_t logPosition = 0;

    TreeOffsets& operator+=(const TreeOffsets& other) noexcept
    {
        index += other.index;
        runIndex += other.runIndex;
        logPosition += other.logPosition;
        return *this;
    }
    TreeOffsets& operator-=(const TreeOffsets& other) noexcept
    {
        index -= other.index;
        runIndex -= other.runIndex;
        logPosition -= other.logPosition;
        return *this;
    }
    friend TreeOffsets operator+(TreeOffsets a, const TreeOffsets& b) noexcept { return a += b; }
    friend TreeOffsets operator-(TreeOffsets a, const TreeOffsets& b) noexcept { return a -= b; }
    bool operator==(const TreeOffsets&) const = default;
};

/// The paragraphs of one story in a tree of fan-out 16. Every node and paragraph stores its
/// offsets relative to its parent, and the first entry of every node has zero offsets, so a
/// change that moves all later paragraphs updates one value per subtree: logarithmic, not linear.
class ParagraphIndexedTree {
public:
    static constexpr int32_t kMaxChildren = 16;

    ParagraphIndexedTree();
    ~ParagraphIndexedTree();
    ParagraphIndexedTree(const ParagraphIndexedTree&) = delete;
    ParagraphIndexedTree& operator=(const ParagraphIndexedTree&) = delete;

    [[nodiscard]] int32_t count() const noexcept { return count_; }
    [[nodiscard]] Paragraph& at(ParagraphIndex index) const;
    /// Index of the paragraph holding the position; -1 for a negative position and the bitwise
    /// complement of the paragraph count for a position after the last paragraph.
    [[nodiscard]] int32_t searchByLogPosition(int32_t logPosition) const;
    /// Absolute index, first run index and log position of a paragraph of this tree.
    [[nodiscard]] TreeOffsets absoluteOffsets(const Paragraph& paragraph) const;

    /// Inserts a paragraph that becomes `index`; paragraphs from `index` on move one index up.
    void insert(ParagraphIndex index, std::unique_ptr<Paragraph> paragraph, RunIndex firstRunIndex,
                DocumentLogPosition logPosition);
    /// Removes a paragraph; later paragraphs move one index down, their positions stay.
    std::unique_ptr<Paragraph> remove(ParagraphIndex index);
    /// Shifts the run indices and log positions of paragraphs from..to (inclusive, clipped).
    void shift(ParagraphIndex from, ParagraphIndex to, int32_t deltaRunIndex, int32_t deltaLogPosition);
    void clear();

    [[nodiscard]] int32_t depth() const noexcept;
    /// Throws "An internal error occurred" when the relative bookkeeping is broken.
    void checkIntegrity() const;

    struct Node;
    struct InnerNode;
    struct LeafNode;

private:
    void shiftRange(Node& node, TreeOffsets nodeBase, int32_t nodeLast, int32_t from, int32_t to,
                    const TreeOffsets& delta);
    [[nodiscard]] LeafNode& leafFor(int32_t index, int32_t& slot) const;
    [[nodiscard]] LeafNode& lastLeaf() const;
    [[nodiscard]] TreeOffsets absoluteOffsets(const Node& node) const;
    /// Splits a full node in two; returns the new right-hand sibling.
    Node& split(Node& node);
    void insertChild(InnerNode& parent, int32_t slot, std::unique_ptr<Node> child);
    void removeEmptyNode(Node& node);
    void collapseRoot();
    void checkNode(const Node& node, const InnerNode* parent, TreeOffsets base, int32_t& nextIndex) const;

    std::unique_ptr<Node> root_;
    int32_t count_ = 0;
};

} // namespace velmo::model

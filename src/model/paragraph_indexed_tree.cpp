#include "model/paragraph_indexed_tree.h"

#include "core/editor_exception.h"
#include "model/paragraph.h"

#include <algorithm>
#include <cassert>

namespace velmo::model {

struct ParagraphIndexedTree::Node {
    explicit Node(bool leaf) noexcept : isLeaf(leaf) {}
    virtual ~Node() = default;

    InnerNode* parent = nullptr;
    TreeOffsets relative; // relative to the parent; the root's are absolute
    int32_t count = 0;
    const bool isLeaf;
};

struct ParagraphIndexedTree::InnerNode final : Node {
    InnerNode() noexcept : Node(false) {}
    std::array<std::unique_ptr<Node>, kMaxChildren> children;
};

struct ParagraphIndexedTree::LeafNode final : Node {
    LeafNode() noexcept : Node(true) {}
    std::array<std::unique_ptr<Paragraph>, kMaxChildren> paragraphs;
};

/// Lets the tree's local helpers reach a paragraph's tree bookkeeping.
struct ParagraphTreeAccess {
    static TreeOffsets& relative(Paragraph& paragraph) noexcept { return paragraph.relative_; }
    static void setParent(Paragraph& paragraph, ParagraphIndexedTree::LeafNode* leaf) noexcept { paragraph.parent_ = leaf; }
};

namespace {

using Node = ParagraphIndexedTree::Node;
using InnerNode = ParagraphIndexedTree::InnerNode;
using LeafNode = ParagraphIndexedTree::LeafNode;

TreeOffsets& entryOffsets(Node& node, int32_t slot)
{
    if (node.isLeaf)
        return ParagraphTreeAccess::relative(*static_cast<LeafNode&>(node).paragraphs[static_cast<size_t>(slot)]);
    return static_cast<InnerNode&>(node).children[static_cast<size_t>(slot)]->relative;
}

const TreeOffsets& entryOffsets(const Node& node, int32_t slot)
{
    return entryOffsets(const_cast<Node&>(node), slot);
}

int32_t slotInParent(const Node& node)
{
    const InnerNode& parent = *node.parent;
    for (int32_t slot = 0; slot < parent.count; ++slot) {
        if (parent.children[static_cast<size_t>(slot)].get() == &node)
            return slot;
    }
    throw core::EditorException::internalError();
}

/// Restores "the first entry has zero offsets" in one node by moving its first entry's offsets
/// into the node itself; returns whether the node's own offsets changed.
bool normalizeNode(Node& node)
{
    if (node.count == 0)
        return false;
    const TreeOffsets first = entryOffsets(node, 0);
    if (first == TreeOffsets{})
        return false;
    node.relative += first;
    for (int32_t slot = 0; slot < node.count; ++slot)
        entryOffsets(node, slot) -= first;
    return true;
}

/// The same from `node` up to the root, as far as a change propagates.
void normalizeUp(Node* node)
{
    while (node && normalizeNode(*node))
        node = node->parent;
}

void setParent(Node& node, int32_t slot, Node* parent)
{
    if (node.isLeaf)
        ParagraphTreeAccess::setParent(*static_cast<LeafNode&>(node).paragraphs[static_cast<size_t>(slot)], static_cast<LeafNode*>(parent));
    else
        static_cast<InnerNode&>(node).children[static_cast<size_t>(slot)]->parent = static_cast<InnerNode*>(parent);
}

template <typename Array>
void moveEntries(Array& from, int32_t fromSlot, Array& to, int32_t toSlot, int32_t count)
{
    for (int32_t i = 0; i < count; ++i)
        to[static_cast<size_t>(toSlot + i)] = std::move(from[static_cast<size_t>(fromSlot + i)]);
}

/// Makes room at `slot` by moving later entries one to the right.
template <typename Array>
void openSlot(Array& entries, int32_t count, int32_t slot)
{
    for (int32_t i = count; i > slot; --i)
        entries[static_cast<size_t>(i)] = std::move(entries[static_cast<size_t>(i - 1)]);
}

template <typename Array>
void closeSlot(Array& entries, int32_t count, int32_t slot)
{
    for (int32_t i = slot; i + 1 < count; ++i)
        entries[static_cast<size_t>(i)] = std::move(entries[static_cast<size_t>(i + 1)]);
    entries[static_cast<size_t>(count - 1)].reset();
}

} // namespace

ParagraphIndexedTree::ParagraphIndexedTree() : root_(std::make_unique<LeafNode>()) {}

ParagraphIndexedTree::~ParagraphIndexedTree() = default;

void ParagraphIndexedTree::clear()
{
    root_ = std::make_unique<LeafNode>();
    count_ = 0;
}

int32_t ParagraphIndexedTree::depth() const noexcept
{
    int32_t result = 1;
    for (const Node* node = root_.get(); !node->isLeaf;
         node = static_cast<const InnerNode*>(node)->children[0].get())
        ++result;
    return result;
}

ParagraphIndexedTree::LeafNode& ParagraphIndexedTree::leafFor(int32_t index, int32_t& slot) const
{
    Node* node = root_.get();
    int32_t base = node->relative.index;
    while (!node->isLeaf) {
        auto& inner = static_cast<InnerNode&>(*node);
        int32_t child = inner.count - 1;
        while (child > 0 && base + inner.children[static_cast<size_t>(child)]->relative.index > index)
            --child;
        node = inner.children[static_cast<size_t>(child)].get();
        base += node->relative.index;
    }
    slot = index - base; // a leaf's paragraphs have relative indices 0, 1, 2, ...
    return static_cast<LeafNode&>(*node);
}

ParagraphIndexedTree::LeafNode& ParagraphIndexedTree::lastLeaf() const
{
    Node* node = root_.get();
    while (!node->isLeaf) {
        auto& inner = static_cast<InnerNode&>(*node);
        node = inner.children[static_cast<size_t>(inner.count - 1)].get();
    }
    return static_cast<LeafNode&>(*node);
}

Paragraph& ParagraphIndexedTree::at(ParagraphIndex index) const
{
    if (index.value() < 0)
        throw core::EditorException::invalidValue(index.value(), "Index");
    if (index.value() >= count_)
        throw core::EditorException::invalidValue(index.value(), "paragraphIndex");
    int32_t slot = 0;
    LeafNode& leaf = leafFor(index.value(), slot);
    return *leaf.paragraphs[static_cast<size_t>(slot)];
}

int32_t ParagraphIndexedTree::searchByLogPosition(int32_t logPosition) const
{
    if (logPosition < 0)
        return -1;
    if (count_ == 0)
        return ~0;
    const Node* node = root_.get();
    TreeOffsets base = node->relative;
    bool alwaysLast = true;
    while (!node->isLeaf) {
        const auto& inner = static_cast<const InnerNode&>(*node);
        int32_t child = inner.count - 1;
        while (child > 0 && base.logPosition + inner.children[static_cast<size_t>(child)]->relative.logPosition > logPosition)
            --child;
        alwaysLast = alwaysLast && child == inner.count - 1;
        node = inner.children[static_cast<size_t>(child)].get();
        base += node->relative;
    }
    const auto& leaf = static_cast<const LeafNode&>(*node);
    int32_t slot = leaf.count - 1;
    while (slot > 0 && base.logPosition + leaf.paragraphs[static_cast<size_t>(slot)]->relative_.logPosition > logPosition)
        --slot;
    const Paragraph& paragraph = *leaf.paragraphs[static_cast<size_t>(slot)];
    if (alwaysLast && slot == leaf.count - 1) {
        const int32_t endLogPosition = base.logPosition + paragraph.relative_.logPosition + paragraph.length_ - 1;
        if (endLogPosition < logPosition)
            return ~count_;
    }
    return base.index + paragraph.relative_.index;
}

TreeOffsets ParagraphIndexedTree::absoluteOffsets(const Node& node) const
{
    TreeOffsets result;
    for (const Node* current = &node; current; current = current->parent)
        result += current->relative;
    return result;
}

TreeOffsets ParagraphIndexedTree::absoluteOffsets(const Paragraph& paragraph) const
{
    if (!paragraph.parent_)
        throw core::EditorException::internalError();
    return paragraph.relative_ + absoluteOffsets(*paragraph.parent_);
}

void ParagraphIndexedTree::shift(ParagraphIndex from, ParagraphIndex to, int32_t deltaRunIndex,
                                 int32_t deltaLogPosition)
{
    const int32_t first = std::max(from.value(), 0);
    const int32_t last = std::min(to.value(), count_ - 1);
    if (first > last || (deltaRunIndex == 0 && deltaLogPosition == 0))
        return;
    shiftRange(*root_, root_->relative, count_ - 1, first, last, TreeOffsets{0, deltaRunIndex, deltaLogPosition});
}

void ParagraphIndexedTree::shiftRange(Node& node, TreeOffsets nodeBase, int32_t nodeLast, int32_t from, int32_t to,
                                      const TreeOffsets& delta)
{
    const int32_t nodeFirst = nodeBase.index;
    if (from <= nodeFirst && nodeLast <= to) {
        node.relative += delta;
        return;
    }
    for (int32_t slot = 0; slot < node.count; ++slot) {
        const int32_t childFirst = nodeBase.index + entryOffsets(node, slot).index;
        const int32_t childLast = slot + 1 < node.count ? nodeBase.index + entryOffsets(node, slot + 1).index - 1 : nodeLast;
        if (childLast < from || childFirst > to)
            continue;
        if (from <= childFirst && childLast <= to) {
            entryOffsets(node, slot) += delta;
            continue;
        }
        Node& child = *static_cast<InnerNode&>(node).children[static_cast<size_t>(slot)];
        shiftRange(child, nodeBase + child.relative, childLast, from, to, delta);
    }
    // Only this node: the caller is still walking its own entries and normalizes itself after.
    normalizeNode(node);
}

void ParagraphIndexedTree::insert(ParagraphIndex index, std::unique_ptr<Paragraph> paragraph, RunIndex firstRunIndex,
                                  DocumentLogPosition logPosition)
{
    const int32_t at = index.value();
    if (at < 0 || at > count_)
        throw core::EditorException::invalidValue(at, "Index");
    int32_t slot = 0;
    LeafNode* leaf = nullptr;
    if (at < count_) {
        leaf = &leafFor(at, slot);
        // Paragraphs from `at` on take the next index; positions are the caller's business.
        shiftRange(*root_, root_->relative, count_ - 1, at, count_ - 1, TreeOffsets{1, 0, 0});
    } else {
        leaf = &lastLeaf();
        slot = leaf->count;
    }
    if (leaf->count == kMaxChildren) {
        auto& right = static_cast<LeafNode&>(split(*leaf));
        if (slot >= kMaxChildren / 2) {
            slot -= kMaxChildren / 2;
            leaf = &right;
        }
    }
    const TreeOffsets absolute{at, firstRunIndex.value(), logPosition.value()};
    paragraph->relative_ = absolute - absoluteOffsets(*leaf);
    paragraph->parent_ = leaf;
    openSlot(leaf->paragraphs, leaf->count, slot);
    leaf->paragraphs[static_cast<size_t>(slot)] = std::move(paragraph);
    ++leaf->count;
    ++count_;
    normalizeUp(leaf);
}

std::unique_ptr<Paragraph> ParagraphIndexedTree::remove(ParagraphIndex index)
{
    const int32_t at = index.value();
    if (at < 0 || at >= count_)
        throw core::EditorException::invalidValue(at, "Index");
    int32_t slot = 0;
    LeafNode& leaf = leafFor(at, slot);
    std::unique_ptr<Paragraph> removed = std::move(leaf.paragraphs[static_cast<size_t>(slot)]);
    closeSlot(leaf.paragraphs, leaf.count, slot);
    --leaf.count;
    removed->parent_ = nullptr;
    const int32_t oldLast = count_ - 1;
    --count_;
    if (leaf.count == 0)
        removeEmptyNode(leaf);
    else
        normalizeUp(&leaf);
    // The later paragraphs still carry their old indices; close the gap.
    if (at < oldLast)
        shiftRange(*root_, root_->relative, oldLast, at + 1, oldLast, TreeOffsets{-1, 0, 0});
    collapseRoot();
    return removed;
}

ParagraphIndexedTree::Node& ParagraphIndexedTree::split(Node& node)
{
    constexpr int32_t kHalf = kMaxChildren / 2;
    std::unique_ptr<Node> sibling;
    if (node.isLeaf)
        sibling = std::make_unique<LeafNode>();
    else
        sibling = std::make_unique<InnerNode>();
    const TreeOffsets pivot = entryOffsets(node, kHalf);
    sibling->relative = node.relative + pivot;
    if (node.isLeaf)
        moveEntries(static_cast<LeafNode&>(node).paragraphs, kHalf, static_cast<LeafNode&>(*sibling).paragraphs, 0, kHalf);
    else
        moveEntries(static_cast<InnerNode&>(node).children, kHalf, static_cast<InnerNode&>(*sibling).children, 0, kHalf);
    sibling->count = kMaxChildren - kHalf;
    node.count = kHalf;
    for (int32_t slot = 0; slot < sibling->count; ++slot) {
        entryOffsets(*sibling, slot) -= pivot;
        setParent(*sibling, slot, sibling.get());
    }
    Node& result = *sibling;
    if (!node.parent) {
        // Splitting the root: the tree grows by one level at the top.
        auto newRoot = std::make_unique<InnerNode>();
        newRoot->relative = node.relative;
        sibling->relative -= node.relative;
        node.relative = TreeOffsets{};
        newRoot->children[0] = std::move(root_);
        newRoot->children[1] = std::move(sibling);
        newRoot->count = 2;
        node.parent = newRoot.get();
        result.parent = newRoot.get();
        root_ = std::move(newRoot);
        return result;
    }
    InnerNode* parent = node.parent;
    int32_t slot = slotInParent(node);
    if (parent->count == kMaxChildren) {
        auto& parentSibling = static_cast<InnerNode&>(split(*parent));
        if (slot >= kHalf) {
            slot -= kHalf;
            parent = &parentSibling;
        }
    }
    // The sibling's offsets were computed relative to the old parent origin; the parent may have
    // been split, so rebase them on the parent that now holds the node.
    sibling->relative = node.relative + pivot;
    insertChild(*parent, slot + 1, std::move(sibling));
    return result;
}

void ParagraphIndexedTree::insertChild(InnerNode& parent, int32_t slot, std::unique_ptr<Node> child)
{
    child->parent = &parent;
    openSlot(parent.children, parent.count, slot);
    parent.children[static_cast<size_t>(slot)] = std::move(child);
    ++parent.count;
}

void ParagraphIndexedTree::removeEmptyNode(Node& node)
{
    if (!node.parent) {
        node.relative = TreeOffsets{};
        return;
    }
    InnerNode& parent = *node.parent;
    closeSlot(parent.children, parent.count, slotInParent(node));
    --parent.count;
    if (parent.count == 0)
        removeEmptyNode(parent);
    else
        normalizeUp(&parent);
}

void ParagraphIndexedTree::collapseRoot()
{
    while (!root_->isLeaf && root_->count == 1) {
        std::unique_ptr<Node> child = std::move(static_cast<InnerNode&>(*root_).children[0]);
        child->relative += root_->relative;
        child->parent = nullptr;
        root_ = std::move(child);
    }
    if (!root_->isLeaf && root_->count == 0)
        clear();
}

void ParagraphIndexedTree::checkIntegrity() const
{
    int32_t nextIndex = 0;
    checkNode(*root_, nullptr, root_->relative, nextIndex);
    if (nextIndex != count_)
        throw core::EditorException::internalError();
}

void ParagraphIndexedTree::checkNode(const Node& node, const InnerNode* parent, TreeOffsets base,
                                     int32_t& nextIndex) const
{
    if (node.parent != parent || node.count > kMaxChildren || (node.count == 0 && parent))
        throw core::EditorException::internalError();
    if (node.count > 0 && entryOffsets(node, 0) != TreeOffsets{})
        throw core::EditorException::internalError();
    for (int32_t slot = 0; slot < node.count; ++slot) {
        const TreeOffsets childBase = base + entryOffsets(node, slot);
        if (node.isLeaf) {
            const Paragraph& paragraph = *static_cast<const LeafNode&>(node).paragraphs[static_cast<size_t>(slot)];
            if (paragraph.parent_ != &node || childBase.index != nextIndex || paragraph.relative_.index != slot)
                throw core::EditorException::internalError();
            ++nextIndex;
        } else {
            const Node& child = *static_cast<const InnerNode&>(node).children[static_cast<size_t>(slot)];
            if (childBase.index != nextIndex)
                throw core::EditorException::internalError();
            checkNode(child, static_cast<const InnerNode*>(&node), childBase, nextIndex);
        }
    }
}

} // namespace velmo::model

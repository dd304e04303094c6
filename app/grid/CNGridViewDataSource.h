#pragma once
// What a thumbnail grid asks of its owner: how many items there are and a cell
// for an index. The grid asks only for the cells it is about to show; a data
// source takes a pooled cell back with dequeueReusableItemWithIdentifier()
// before making a new one. The section is always 0.

namespace lumetra {

class CNGridView;
class CNGridViewItem;

class CNGridViewDataSource {
public:
    virtual ~CNGridViewDataSource() = default;

    virtual int numberOfItemsInSection(CNGridView& gridView, int section) = 0;

    // The cell showing `index`; the grid takes ownership of a new cell. A null
    // cell leaves the place empty.
    virtual CNGridViewItem* itemAtIndex(CNGridView& gridView, int index, int section) = 0;
};

}  // namespace lumetra

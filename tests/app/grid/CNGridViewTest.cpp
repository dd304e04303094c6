#include <gtest/gtest.h>

#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "app/Images.h"
#include "app/grid/CNGridView.h"
#include "app/grid/CNGridViewDataSource.h"
#include "app/grid/CNGridViewItem.h"

using namespace lumetra;

namespace {

// Items 0 .. count-1 showing one shared picture; counts the cells it makes.
struct PictureSource : CNGridViewDataSource {
    int numberOfItemsInSection(CNGridView&, int) override { return count; }
    CNGridViewItem* itemAtIndex(CNGridView& grid, int, int) override {
        CNGridViewItem* cell = grid.dequeueReusableItemWithIdentifier("CNGridViewItem");
        if (!cell) {
            cell = new CNGridViewItem;
            ++made;
        }
        cell->setItemImage(picture);
        return cell;
    }
    int count = 0;
    int made = 0;
    QImage picture = QImage(24, 16, QImage::Format_RGB32);
};

// A grid 3 columns of 80 x 80 wide and 200 high, with a hand-fired click timer.
struct GridFixture : ::testing::Test {
    void SetUp() override {
        source.count = 1000;
        grid.setFrameShape(QFrame::NoFrame);
        grid.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid.setDataSource(&source);
        grid.setItemSize(QSize(80, 80));
        grid.setClickTimer([this](std::function<void()> fire) { timers.push_back(fire); });
        grid.resize(250, 200);
        grid.show();
        grid.reloadData();
    }
    QWidget* view() { return grid.viewport(); }
    static QPoint cell(int index) { return QPoint(index % 3 * 80 + 40, index / 3 * 80 + 40); }
    void fireTimers() {
        for (auto& fire : std::exchange(timers, {})) fire();
    }
    PictureSource source;
    CNGridView grid;
    std::vector<std::function<void()>> timers;
};

}  // namespace

TEST_F(GridFixture, OnlyVisibleCellsAndThePoolLiveWhileScrolling) {
    EXPECT_EQ(grid.visibleRange().length, 12);  // 3 visible rows and one more
    QTest::mouseClick(view(), Qt::LeftButton, {}, cell(0));
    for (int top = 0; top <= grid.verticalScrollBar()->maximum(); top += 37) {
        grid.verticalScrollBar()->setValue(top);
        EXPECT_LE(grid.liveItemCount(), 12);
    }
    grid.verticalScrollBar()->setValue(grid.verticalScrollBar()->maximum());
    ASSERT_NE(grid.visibleItem(999), nullptr);
    EXPECT_EQ(grid.visibleItem(999)->index(), 999);
    EXPECT_EQ(source.made, 12);
    grid.verticalScrollBar()->setValue(0);  // the selection outlives its cell
    EXPECT_TRUE(grid.visibleItem(0)->selected());
    source.count = 1001;
    grid.insertItemAtIndex(0, true);
    EXPECT_EQ(grid.selectedIndexes(), QList<int>{1});
    EXPECT_TRUE(grid.visibleItem(1)->selected());
    EXPECT_FALSE(grid.visibleItem(0)->selected());
}

TEST_F(GridFixture, ClicksSelectAndResolveAfterTheInterval) {
    QSignalSpy selected(&grid, &CNGridView::didSelectItemAtIndex);
    QSignalSpy clicked(&grid, &CNGridView::didClickItemAtIndex);
    QSignalSpy doubled(&grid, &CNGridView::didDoubleClickItemAtIndex);
    QSignalSpy deselectedAll(&grid, &CNGridView::willDeselectAllItems);
    QTest::mouseClick(view(), Qt::LeftButton, {}, cell(1));
    EXPECT_TRUE(clicked.isEmpty());
    fireTimers();
    EXPECT_EQ(clicked.size(), 1);
    QTest::mouseClick(view(), Qt::LeftButton, {}, cell(4));
    QTest::mouseClick(view(), Qt::LeftButton, {}, cell(4));
    fireTimers();
    EXPECT_EQ(clicked.size(), 1);
    ASSERT_EQ(doubled.size(), 1);
    EXPECT_EQ(doubled.at(0).at(0).toInt(), 4);
    EXPECT_EQ(selected.size(), 2);
    QTest::mouseClick(view(), Qt::LeftButton, Qt::ControlModifier, cell(4));
    EXPECT_TRUE(grid.selectedIndexes().isEmpty());
    QTest::mouseClick(view(), Qt::LeftButton, {}, cell(2));
    QTest::mouseClick(view(), Qt::LeftButton, {}, QPoint(245, 20));  // right of the columns
    EXPECT_TRUE(grid.selectedIndexes().isEmpty());
    ASSERT_EQ(deselectedAll.size(), 1);
    EXPECT_EQ(deselectedAll.at(0).at(0).value<QList<int>>(), QList<int>{2});
}

TEST_F(GridFixture, RightClickSelectsAndReportsTheMenu) {
    QMenu menu;
    QAction* open = menu.addAction("Open");
    grid.setItemContextMenu(&menu);
    QSignalSpy right(&grid, &CNGridView::rightMouseButtonClickedOnItem);
    QSignalSpy closed(&grid, &CNGridView::didActivateContextMenuWithIndexes);
    QTest::mouseClick(view(), Qt::RightButton, {}, cell(5));
    ASSERT_EQ(right.size(), 1);
    EXPECT_EQ(right.at(0).at(0).value<QList<int>>(), QList<int>{5});
    EXPECT_EQ(open->data().value<QList<int>>(), QList<int>{5});
    menu.hide();
    ASSERT_TRUE(closed.wait());
    EXPECT_EQ(closed.at(0).at(1).toInt(), 5);
    QTest::mouseClick(view(), Qt::RightButton, {}, QPoint(245, 20));
    EXPECT_TRUE(grid.selectedIndexes().isEmpty());
}

TEST_F(GridFixture, KeyboardMovesAndRequests) {
    QSignalSpy preview(&grid, &CNGridView::previewRequested);
    QSignalSpy remove(&grid, &CNGridView::deleteRequested);
    QSignalSpy hover(&grid, &CNGridView::willHoverItemAtIndex);
    QTest::keyClick(&grid, Qt::Key_Right);
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(grid.selectedIndexes(), QList<int>{3});
    QTest::keyClick(&grid, Qt::Key_End);
    EXPECT_EQ(grid.selectedIndexes(), QList<int>{999});
    EXPECT_NE(grid.visibleItem(999), nullptr);  // scrolled into view
    QTest::keyClick(&grid, Qt::Key_Space);
    QTest::keyClick(&grid, Qt::Key_Delete);
    EXPECT_EQ(preview.size(), 1);
    EXPECT_EQ(remove.size(), 1);
    QTest::mouseMove(view(), QPoint(120, 60));
    EXPECT_EQ(hover.size(), 1);
}

TEST_F(GridFixture, RubberBandSelectsCoveredCellsAndEscapeRestores) {
    grid.setAllowsMultipleSelection(true);
    grid.setAllowsMultipleSelectionWithDrag(true);
    QTest::mousePress(view(), Qt::LeftButton, {}, QPoint(2, 2));
    QMouseEvent move(QEvent::MouseMove, QPointF(170, 90), view()->mapToGlobal(QPointF(170, 90)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(view(), &move);
    EXPECT_EQ(grid.selectedIndexes(), (QList<int>{0, 1, 2, 3, 4, 5}));
    QTest::keyClick(&grid, Qt::Key_Escape);
    EXPECT_TRUE(grid.selectedIndexes().isEmpty());
}

TEST(CNGridViewResources, TheBackgroundPatternIsCompiledIn) {
    EXPECT_EQ(bitmapImage("BackgroundNoisy").size(), QSize(128, 128));
    EXPECT_TRUE(bitmapImage("NoSuchImage").isNull());
}

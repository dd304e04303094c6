#pragma once
// The scrolling grid of equal cells that shows an album's pictures or
// recordings. It asks its data source for the item count and for the cells in
// sight only, recycles cells that scroll away (so only the visible cells and a
// small pool exist), tracks hover and selection, and turns mouse and keyboard
// input into the signals below.
//
// Signals follow the grid's events, each with section 0 where it has one:
// hover, selection (will/did), deselect-all, click and double click (resolved
// after the double-click interval, see ClickGatherer), the right click (the
// selected indexes) and the closing of the context menu. Ctrl + click on the
// selected cell deselects it.
// Keyboard: arrows, Home and End move the selection, Delete/Backspace ask to
// delete the selection, space asks to preview the selected item, Enter to measure it.

#include <QAbstractScrollArea>
#include <QBrush>
#include <QList>
#include <QPointer>
#include <QSize>
#include <QString>
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "policy/grid/ClickGatherer.h"
#include "policy/grid/GridLayout.h"

class QMenu;
class QRubberBand;

namespace lumetra {

class CNGridViewDataSource;
class CNGridViewItem;

class CNGridView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CNGridView(QWidget* parent = nullptr);
    ~CNGridView() override;

    // Not owned; the grid asks it again on reloadData().
    void setDataSource(CNGridViewDataSource* dataSource) { dataSource_ = dataSource; }

    QSize itemSize() const { return itemSize_; }
    void setItemSize(QSize size);
    const QBrush& backgroundColor() const { return background_; }
    // A colour or a tiled texture, drawn behind the cells; scrolls with them. An
    // empty grid draws none: the widget behind it shows.
    void setBackgroundColor(const QBrush& brush);
    bool scrollElasticity() const { return scrollElasticity_; }
    // Overshoot of kinetic (touch) scrolling at the ends.
    void setScrollElasticity(bool elastic);
    bool allowsSelection() const { return allowsSelection_; }
    void setAllowsSelection(bool allows) { allowsSelection_ = allows; }
    bool allowsMultipleSelection() const { return allowsMultipleSelection_; }
    void setAllowsMultipleSelection(bool allows) { allowsMultipleSelection_ = allows; }
    bool allowsMultipleSelectionWithDrag() const { return allowsMultipleSelectionWithDrag_; }
    void setAllowsMultipleSelectionWithDrag(bool allows) {
        allowsMultipleSelectionWithDrag_ = allows;
    }
    bool useSelectionRing() const { return useSelectionRing_; }
    void setUseSelectionRing(bool use);
    bool useHover() const { return useHover_; }
    void setUseHover(bool use);
    bool useCenterAlignment() const { return useCenterAlignment_; }
    void setUseCenterAlignment(bool use);
    // Shown on a right click over a cell; not owned. Each action's data holds
    // the selected indexes (QList<int>) while the menu is open.
    QMenu* itemContextMenu() const;
    void setItemContextMenu(QMenu* menu);
    double contentInset() const { return layout().inset(); }

    // Asks for the count again, drops every cell and the pool, lays out again.
    void reloadData();
    // One item was inserted at `index`: later cells, the selection and the
    // hover move one place on. Cells are placed at once (no animation).
    void insertItemAtIndex(int index, bool animated);
    // A pooled cell of that identifier, blank, or null when none is pooled.
    CNGridViewItem* dequeueReusableItemWithIdentifier(const QString& identifier);
    // Selects only `index` and scrolls it into view, as the arrow keys do.
    void selectItem(int index);
    void selectAllItems();
    void deselectAllItems();
    QList<int> selectedIndexes() const;

    // The cell showing `index` when it is in sight, else null: the data source
    // updates a cell whose thumbnail arrives.
    CNGridViewItem* visibleItem(int index) const;
    GridRange visibleRange() const;
    int numberOfItems() const { return count_; }
    // Cells that exist: those shown and those pooled.
    int liveItemCount() const;
    // Scrolls the least needed to show the cell.
    void scrollToItem(int index);

    // Replaces the double-click timer (by default a single-shot timer of the
    // desktop's double-click interval).
    void setClickTimer(ClickGatherer::StartTimer startTimer);

signals:
    void willHoverItemAtIndex(int index, int section);
    void willUnhoverItemAtIndex(int index, int section);
    void willSelectItemAtIndex(int index, int section);
    void didSelectItemAtIndex(int index, int section);
    void willDeselectItemAtIndex(int index, int section);
    void didDeselectItemAtIndex(int index, int section);
    void willDeselectAllItems(const QList<int>& selectedIndexes);
    void didDeselectAllItems();
    void didClickItemAtIndex(int index, int section);
    void didDoubleClickItemAtIndex(int index, int section);
    // A right click over a cell, after it was selected: the selected indexes.
    void rightMouseButtonClickedOnItem(const QList<int>& indexes);
    // The context menu closed (after its chosen action ran): the indexes it
    // was shown for and the index under the mouse.
    void didActivateContextMenuWithIndexes(const QList<int>& indexes, int selection, int section);
    void deleteRequested(const QList<int>& indexes);
    void previewRequested(int index);
    void measureRequested(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // Space belongs to the grid (the preview) while it has the focus, not to the
    // window's shortcut.
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    GridLayout layout() const;
    double top() const;
    std::optional<int> indexAt(QPointF viewportPos) const;
    void layoutCells();
    void updateContentHeight(const GridLayout& grid);
    void poolCell(CNGridViewItem* cell);
    void adopt(CNGridViewItem* cell, int index);
    void dropAllCells();
    void applyToCells(void (CNGridViewItem::*apply)(bool), bool value);

    void hover(std::optional<int> index);
    void select(int index);
    void deselect(int index);
    void selectOnly(int index);
    void setSelection(const std::set<int>& indexes);
    void leftPress(std::optional<int> index, QPointF pos, Qt::KeyboardModifiers modifiers);
    void rightPress(std::optional<int> index, QPoint globalPos);
    void dragBand(QPointF pos);
    void endBand(bool abort);
    void deliverClicks(const std::vector<GridClick>& clicks);

    CNGridViewDataSource* dataSource_ = nullptr;
    QSize itemSize_;
    QBrush background_;
    bool scrollElasticity_ = true;
    bool allowsSelection_ = true;
    bool allowsMultipleSelection_ = false;
    bool allowsMultipleSelectionWithDrag_ = false;
    bool useSelectionRing_ = true;
    bool useHover_ = true;
    bool useCenterAlignment_ = false;
    QPointer<QMenu> itemContextMenu_;

    int count_ = 0;
    int contentHeight_ = 0;
    std::map<int, CNGridViewItem*> visible_;
    std::map<QString, std::vector<CNGridViewItem*>> pool_;
    std::set<int> selected_;
    std::optional<int> hovered_;
    std::optional<int> lastSelected_;
    ClickGatherer clicks_;

    // Rubber-band selection: where the drag began (content coordinates) and
    // the selection before it, restored when Escape aborts it.
    QRubberBand* band_ = nullptr;
    std::optional<QPointF> bandOrigin_;
    std::set<int> selectionBeforeBand_;
};

}  // namespace lumetra

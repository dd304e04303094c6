#include "app/grid/CNGridView.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QRubberBand>
#include <QScrollBar>
#include <QScroller>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <utility>

#include "app/grid/CNGridViewDataSource.h"
#include "app/grid/CNGridViewItem.h"

namespace lumetra {
namespace {

QList<int> toList(const std::set<int>& indexes) {
    return QList<int>(indexes.begin(), indexes.end());
}

}  // namespace

CNGridView::CNGridView(QWidget* parent)
    : QAbstractScrollArea(parent),
      itemSize_(CNGridViewItem::defaultItemSize()),
      background_(palette().brush(QPalette::Button)),
      clicks_(
          [this](std::function<void()> fire) {
              QTimer::singleShot(QApplication::doubleClickInterval(), this, std::move(fire));
          },
          [this](const std::vector<GridClick>& clicks) { deliverClicks(clicks); }) {
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    // An empty grid paints nothing: the panel behind shows, with no frame around it.
    setFrameShape(QFrame::NoFrame);
    viewport()->setAutoFillBackground(false);
    setContextMenuPolicy(Qt::PreventContextMenu);
    viewport()->setContextMenuPolicy(Qt::PreventContextMenu);
    setScrollElasticity(true);
}

CNGridView::~CNGridView() = default;

// ---- options ---------------------------------------------------------------

void CNGridView::setItemSize(QSize size) {
    size = size.expandedTo(QSize(1, 1));
    if (size == itemSize_) return;
    itemSize_ = size;
    layoutCells();
}

void CNGridView::setBackgroundColor(const QBrush& brush) {
    background_ = brush;
    viewport()->update();
}

void CNGridView::setScrollElasticity(bool elastic) {
    scrollElasticity_ = elastic;
    QScroller* scroller = QScroller::scroller(viewport());
    QScrollerProperties properties = scroller->scrollerProperties();
    const QVariant policy =
        QVariant::fromValue(elastic ? QScrollerProperties::OvershootWhenScrollable
                                    : QScrollerProperties::OvershootAlwaysOff);
    properties.setScrollMetric(QScrollerProperties::VerticalOvershootPolicy, policy);
    properties.setScrollMetric(QScrollerProperties::HorizontalOvershootPolicy, policy);
    scroller->setScrollerProperties(properties);
}

QMenu* CNGridView::itemContextMenu() const { return itemContextMenu_; }

void CNGridView::setItemContextMenu(QMenu* menu) { itemContextMenu_ = menu; }

void CNGridView::setUseSelectionRing(bool use) {
    useSelectionRing_ = use;
    applyToCells(&CNGridViewItem::setUseSelectionRing, use);
}

void CNGridView::setUseHover(bool use) {
    if (!use) hover(std::nullopt);
    useHover_ = use;
}

void CNGridView::setUseCenterAlignment(bool use) {
    if (use == useCenterAlignment_) return;
    useCenterAlignment_ = use;
    layoutCells();
}

// ---- layout ----------------------------------------------------------------

GridLayout CNGridView::layout() const {
    const QSize visible = viewport()->size();
    return GridLayout(itemSize_.width(), itemSize_.height(), visible.width(), visible.height(),
                      useCenterAlignment_, count_);
}

double CNGridView::top() const { return verticalScrollBar()->value(); }

std::optional<int> CNGridView::indexAt(QPointF viewportPos) const {
    return layout().indexAt(viewportPos.x(), viewportPos.y() + top());
}

GridRange CNGridView::visibleRange() const { return layout().visibleRange(top()); }

void CNGridView::updateContentHeight(const GridLayout& grid) {
    const int height = static_cast<int>(std::ceil(grid.contentHeight()));
    // Small changes are let go, so the scroll range does not jitter.
    if (std::abs(height - contentHeight_) <= 1 && contentHeight_ != 0) return;
    contentHeight_ = height;
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, std::max(0, height - viewport()->height()));
    bar->setPageStep(viewport()->height());
    bar->setSingleStep(std::max(1, itemSize_.height() / 2));
}

void CNGridView::layoutCells() {
    const GridLayout grid = layout();
    updateContentHeight(grid);
    const GridRange range = grid.visibleRange(top());

    // Cells that left the range go to the pool first, so the data source can
    // take them back for the cells coming into sight.
    for (auto it = visible_.begin(); it != visible_.end();) {
        if (range.contains(it->first)) {
            ++it;
            continue;
        }
        CNGridViewItem* cell = it->second;
        it = visible_.erase(it);
        poolCell(cell);
    }
    for (int index = range.first; dataSource_ && index < range.first + range.length; ++index) {
        if (visible_.count(index)) continue;
        CNGridViewItem* cell = dataSource_->itemAtIndex(*this, index, 0);
        // A cell that shows another index already cannot be placed twice.
        if (cell && !cell->index()) adopt(cell, index);
    }
    const double offset = top();
    for (const auto& [index, cell] : visible_) {
        const GridRect r = grid.itemRect(index);
        cell->setGeometry(static_cast<int>(r.x), static_cast<int>(std::lround(r.y - offset)),
                          static_cast<int>(r.width), static_cast<int>(r.height));
    }
    viewport()->update();
}

void CNGridView::adopt(CNGridViewItem* cell, int index) {
    for (auto& [identifier, cells] : pool_) std::erase(cells, cell);
    if (cell->parentWidget() != viewport()) cell->setParent(viewport());
    cell->setIndex(index);
    cell->setUseSelectionRing(useSelectionRing_);
    cell->setSelected(selected_.count(index) > 0);
    cell->setHovered(hovered_ == index);
    visible_[index] = cell;
    cell->show();
}

void CNGridView::poolCell(CNGridViewItem* cell) {
    cell->hide();
    cell->prepareForReuse();
    pool_[cell->reuseIdentifier()].push_back(cell);
}

void CNGridView::dropAllCells() {
    for (auto& [index, cell] : visible_) delete cell;
    visible_.clear();
    for (auto& [identifier, cells] : pool_)
        for (CNGridViewItem* cell : cells) delete cell;
    pool_.clear();
}

void CNGridView::applyToCells(void (CNGridViewItem::*apply)(bool), bool value) {
    for (auto& [index, cell] : visible_) (cell->*apply)(value);
}

CNGridViewItem* CNGridView::dequeueReusableItemWithIdentifier(const QString& identifier) {
    const auto it = pool_.find(identifier);
    if (it == pool_.end() || it->second.empty()) return nullptr;
    CNGridViewItem* cell = it->second.back();
    it->second.pop_back();
    return cell;
}

CNGridViewItem* CNGridView::visibleItem(int index) const {
    const auto it = visible_.find(index);
    return it == visible_.end() ? nullptr : it->second;
}

int CNGridView::liveItemCount() const {
    size_t pooled = 0;
    for (const auto& [identifier, cells] : pool_) pooled += cells.size();
    return static_cast<int>(visible_.size() + pooled);
}

void CNGridView::reloadData() {
    count_ = dataSource_ ? std::max(0, dataSource_->numberOfItemsInSection(*this, 0)) : 0;
    dropAllCells();
    clicks_.clear();
    hovered_.reset();
    // Selected indexes that still name an item stay selected.
    selected_.erase(selected_.lower_bound(count_), selected_.end());
    if (lastSelected_ && *lastSelected_ >= count_) lastSelected_.reset();
    layoutCells();
}

void CNGridView::insertItemAtIndex(int index, bool /*animated*/) {
    index = std::clamp(index, 0, count_);
    count_ = dataSource_ ? std::max(0, dataSource_->numberOfItemsInSection(*this, 0)) : count_ + 1;
    const auto shift = [index](int i) { return i >= index ? i + 1 : i; };
    std::map<int, CNGridViewItem*> moved;
    for (auto& [i, cell] : visible_) {
        cell->setIndex(shift(i));
        moved.emplace(shift(i), cell);
    }
    visible_ = std::move(moved);
    std::set<int> selected;
    for (int i : selected_) selected.insert(shift(i));
    selected_ = std::move(selected);
    if (hovered_) hovered_ = shift(*hovered_);
    if (lastSelected_) lastSelected_ = shift(*lastSelected_);
    clicks_.shiftFrom(index);
    layoutCells();
}

void CNGridView::scrollToItem(int index) {
    if (index < 0 || index >= count_) return;
    const GridRect r = layout().itemRect(index);
    const double height = viewport()->height();
    QScrollBar* bar = verticalScrollBar();
    if (r.y < top())
        bar->setValue(static_cast<int>(std::floor(r.y)));
    else if (r.y + r.height > top() + height)
        bar->setValue(static_cast<int>(std::ceil(r.y + r.height - height)));
}

void CNGridView::setClickTimer(ClickGatherer::StartTimer startTimer) {
    clicks_.clear();
    clicks_.setStartTimer(std::move(startTimer));
}

// ---- hover and selection ---------------------------------------------------

void CNGridView::hover(std::optional<int> index) {
    if (!useHover_ || index == hovered_) return;
    if (const std::optional<int> previous = std::exchange(hovered_, std::nullopt)) {
        if (CNGridViewItem* cell = visibleItem(*previous)) cell->setHovered(false);
        emit willUnhoverItemAtIndex(*previous, 0);
    }
    if (!index) return;
    hovered_ = index;
    if (CNGridViewItem* cell = visibleItem(*index)) cell->setHovered(true);
    emit willHoverItemAtIndex(*index, 0);
}

void CNGridView::select(int index) {
    if (selected_.count(index)) return;
    if (CNGridViewItem* cell = visibleItem(index); cell && !cell->selectable()) return;
    emit willSelectItemAtIndex(index, 0);
    selected_.insert(index);
    lastSelected_ = index;
    if (CNGridViewItem* cell = visibleItem(index)) cell->setSelected(true);
    emit didSelectItemAtIndex(index, 0);
}

void CNGridView::deselect(int index) {
    if (!selected_.count(index)) return;
    emit willDeselectItemAtIndex(index, 0);
    selected_.erase(index);
    if (lastSelected_ == index) lastSelected_.reset();
    if (CNGridViewItem* cell = visibleItem(index)) cell->setSelected(false);
    emit didDeselectItemAtIndex(index, 0);
}

void CNGridView::selectOnly(int index) {
    if (selected_ == std::set<int>{index}) return;
    setSelection({index});
}

void CNGridView::selectItem(int index) {
    if (index < 0 || index >= count_) return;
    selectOnly(index);
    scrollToItem(index);
}

void CNGridView::setSelection(const std::set<int>& indexes) {
    for (int index : std::set<int>(selected_))
        if (!indexes.count(index)) deselect(index);
    for (int index : indexes)
        if (index >= 0 && index < count_) select(index);
}

void CNGridView::selectAllItems() {
    std::set<int> all;
    for (int i = 0; i < count_; ++i) all.insert(i);
    setSelection(all);
}

void CNGridView::deselectAllItems() {
    emit willDeselectAllItems(toList(selected_));
    selected_.clear();
    lastSelected_.reset();
    applyToCells(&CNGridViewItem::setSelected, false);
    emit didDeselectAllItems();
}

QList<int> CNGridView::selectedIndexes() const { return toList(selected_); }

// ---- input -----------------------------------------------------------------

bool CNGridView::viewportEvent(QEvent* event) {
    if (event->type() == QEvent::Leave) hover(std::nullopt);
    return QAbstractScrollArea::viewportEvent(event);
}

void CNGridView::mousePressEvent(QMouseEvent* event) {
    const std::optional<int> index = indexAt(event->position());
    if (event->button() == Qt::LeftButton)
        leftPress(index, event->position(), event->modifiers());
    else if (event->button() == Qt::RightButton)
        rightPress(index, event->globalPosition().toPoint());
    event->accept();
}

// The second press of a double click: clicks are gathered from mouse-ups.
void CNGridView::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void CNGridView::leftPress(std::optional<int> index, QPointF pos, Qt::KeyboardModifiers modifiers) {
    if (allowsMultipleSelection_ && allowsMultipleSelectionWithDrag_) {
        bandOrigin_ = QPointF(pos.x(), pos.y() + top());
        selectionBeforeBand_ = selected_;
    }
    if (!allowsSelection_) return;
    const bool ctrl = modifiers & Qt::ControlModifier;
    if (!index)
        deselectAllItems();
    else if (ctrl && selected_.count(*index))
        deselect(*index);
    else if (ctrl && allowsMultipleSelection_)
        select(*index);
    else
        selectOnly(*index);
}

void CNGridView::rightPress(std::optional<int> index, QPoint globalPos) {
    if (!index) {
        deselectAllItems();
        return;
    }
    if (!selected_.count(*index)) selectOnly(*index);
    const QList<int> indexes = toList(selected_);
    emit rightMouseButtonClickedOnItem(indexes);
    if (!itemContextMenu_) return;
    for (QAction* action : itemContextMenu_->actions())
        action->setData(QVariant::fromValue(indexes));
    // Told after the chosen action has run: that runs as the menu hides. A
    // menu shown before and never closed is not reported any more.
    disconnect(itemContextMenu_, &QMenu::aboutToHide, this, nullptr);
    connect(
        itemContextMenu_, &QMenu::aboutToHide, this,
        [this, indexes, selection = *index] {
            emit didActivateContextMenuWithIndexes(indexes, selection, 0);
        },
        static_cast<Qt::ConnectionType>(Qt::QueuedConnection | Qt::SingleShotConnection));
    itemContextMenu_->popup(globalPos);
}

void CNGridView::mouseMoveEvent(QMouseEvent* event) {
    hover(indexAt(event->position()));
    if (bandOrigin_ && (event->buttons() & Qt::LeftButton)) dragBand(event->position());
}

void CNGridView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    endBand(false);
    clicks_.mouseUp(indexAt(event->position()));
}

void CNGridView::dragBand(QPointF pos) {
    const QPointF end(pos.x(), pos.y() + top());
    const QRectF rect = QRectF(*bandOrigin_, end).normalized();
    if (!band_) band_ = new QRubberBand(QRubberBand::Rectangle, viewport());
    band_->setGeometry(rect.translated(0, -top()).toAlignedRect());
    band_->show();
    const auto covered =
        layout().indexesIn(GridRect{rect.x(), rect.y(), rect.width(), rect.height()});
    setSelection(std::set<int>(covered.begin(), covered.end()));
}

void CNGridView::endBand(bool abort) {
    if (abort && bandOrigin_ && band_ && band_->isVisible()) setSelection(selectionBeforeBand_);
    bandOrigin_.reset();
    if (band_) band_->hide();
}

void CNGridView::deliverClicks(const std::vector<GridClick>& clicks) {
    for (const GridClick& click : clicks) {
        if (click.index >= count_) continue;  // the items changed meanwhile
        if (click.kind == GridClick::Kind::DoubleClick)
            emit didDoubleClickItemAtIndex(click.index, 0);
        else
            emit didClickItemAtIndex(click.index, 0);
    }
}

bool CNGridView::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
        event->accept();
        return true;
    }
    return QAbstractScrollArea::event(event);
}

void CNGridView::keyPressEvent(QKeyEvent* event) {
    std::optional<GridMove> move;
    switch (event->key()) {
        case Qt::Key_Left:
            move = GridMove::Left;
            break;
        case Qt::Key_Right:
            move = GridMove::Right;
            break;
        case Qt::Key_Up:
            move = GridMove::Up;
            break;
        case Qt::Key_Down:
            move = GridMove::Down;
            break;
        case Qt::Key_Home:
            move = GridMove::Home;
            break;
        case Qt::Key_End:
            move = GridMove::End;
            break;
        case Qt::Key_Escape:
            if (!bandOrigin_) return QAbstractScrollArea::keyPressEvent(event);
            endBand(true);
            return;
        case Qt::Key_Delete:
        case Qt::Key_Backspace:
            if (!selected_.empty()) emit deleteRequested(toList(selected_));
            return;
        case Qt::Key_Space:
            if (lastSelected_) emit previewRequested(*lastSelected_);
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (lastSelected_) emit measureRequested(*lastSelected_);
            return;
        default:
            return QAbstractScrollArea::keyPressEvent(event);
    }
    if (!allowsSelection_) return;
    const std::optional<int> from = lastSelected_       ? lastSelected_
                                    : selected_.empty() ? std::nullopt
                                                        : std::optional<int>(*selected_.begin());
    if (const std::optional<int> to = layout().move(from, *move)) selectItem(*to);
}

// ---- painting and geometry -------------------------------------------------

void CNGridView::paintEvent(QPaintEvent* event) {
    if (count_ == 0) return;
    QPainter painter(viewport());
    painter.setBrushOrigin(QPointF(0, -top()));  // a texture scrolls with the cells
    painter.fillRect(event->rect(), background_);
}

void CNGridView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    contentHeight_ = 0;  // the page size changed: set the range afresh
    layoutCells();
}

void CNGridView::scrollContentsBy(int, int) { layoutCells(); }

}  // namespace lumetra

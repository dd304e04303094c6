#include "app/NSGridlinesView.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/PopoverPlacement.h"

namespace lumetra {

NSGridlinesView::NSGridlinesView(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      caption_(new QLabel(this)),
      field_(new QLineEdit(this)),
      ok_(new QPushButton(tr("OK"), this)),
      cancel_(new QPushButton(tr("Cancel"), this)) {
    setObjectName(QStringLiteral("GridlinesView"));
    setWindowModality(Qt::WindowModal);
    setAttribute(Qt::WA_TranslucentBackground);
    field_->setObjectName(QStringLiteral("GridlinesField"));
    field_->setPlaceholderText(tr("Spacing"));
    field_->setAccessibleName(tr("Grid spacing"));
    field_->setAlignment(Qt::AlignCenter);
    ok_->setObjectName(QStringLiteral("accentButton"));
    ok_->setDefault(true);
    ok_->setAccessibleDescription(tr("Show the overlay with this spacing"));
    cancel_->setAccessibleDescription(tr("Close without changing the overlay"));

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cancel_);
    buttons->addWidget(ok_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 14);
    layout->setSpacing(10);
    layout->addWidget(caption_);
    layout->addWidget(field_);
    layout->addLayout(buttons);
    setFixedWidth(230);

    connect(ok_, &QPushButton::clicked, this, &NSGridlinesView::okRequested);
    connect(cancel_, &QPushButton::clicked, this, &NSGridlinesView::cancelRequested);
}

void NSGridlinesView::popUp(QWidget* anchor, const QString& unit) {
    caption_->setText(tr("Grid spacing (%1)").arg(unit));
    adjustSize();
    open();  // styled and laid out once shown: its size is final only then
    if (anchor) {
        const QPoint below = anchor->mapToGlobal(QPoint(anchor->width() / 2, anchor->height() + 6));
        const QSize size = frameGeometry().size();
        move(keptOnAnchorsScreen(*anchor, QPoint(below.x() - size.width() / 2, below.y()), size));
    }
    field_->setFocus();
    field_->selectAll();
}

void NSGridlinesView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
    painter.fillPath(path, palette().color(QPalette::Button));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawPath(path);
}

void NSGridlinesView::reject() { emit cancelRequested(); }

}  // namespace lumetra

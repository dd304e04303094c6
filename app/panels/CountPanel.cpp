#include "app/panels/CountPanel.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

#include "app/KeptSettings.h"
#include "app/RQVideoView.h"
#include "app/panels/PanelWidgets.h"

namespace lumetra {
namespace {

constexpr int kSwatchSize = 16;

// The class's colour with its number on it: the colour never tells the class alone.
QIcon classIcon(int markClass) {
    QPixmap swatch(kSwatchSize, kSwatchSize);
    swatch.fill(Qt::transparent);
    QPainter painter(&swatch);
    const RgbColor c = countClassColor(markClass);
    const QColor colour = QColor::fromRgbF(static_cast<float>(c.red), static_cast<float>(c.green),
                                           static_cast<float>(c.blue));
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawRoundedRect(QRectF(0, 0, kSwatchSize, kSwatchSize), 3, 3);
    QFont font = painter.font();
    font.setPixelSize(11);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(colour.lightnessF() > 0.55 ? Qt::black : Qt::white);
    painter.drawText(QRect(0, 0, kSwatchSize, kSwatchSize), Qt::AlignCenter,
                     QString::number(markClass));
    return QIcon(swatch);
}

}  // namespace

CountPanel::Widgets CountPanel::build(QWidget* parent, QVBoxLayout* column) {
    Widgets w;
    column->addWidget(label(parent, tr("COUNT"), "panelTitle"));
    w.countClassBox = new QComboBox(parent);
    w.countClassBox->setObjectName(QStringLiteral("countClassBox"));
    w.countClassBox->setAccessibleName(tr("Count class"));
    w.countClassBox->setEditable(true);
    w.countClassBox->setInsertPolicy(QComboBox::NoInsert);
    w.countClassBox->setCompleter(nullptr);  // a new name is typed, not completed to an old one
    w.countClassBox->setToolTip(tr("The class of new count marks (keys 1-9); type to rename it"));
    w.countClassBox->lineEdit()->setFocusPolicy(Qt::ClickFocus);
    const CountClassNames names = defaultCountClassNames();
    for (int c = 1; c <= kCountClasses; ++c)
        w.countClassBox->addItem(classIcon(c),
                                 QString::fromStdString(names[static_cast<size_t>(c - 1)]));
    column->addWidget(w.countClassBox);
    return w;
}

CountPanel::CountPanel(const Widgets& widgets, RQVideoView& view, QObject* parent)
    : QObject(parent), w_(widgets), view_(view) {
    connect(w_.countClassBox, &QComboBox::currentIndexChanged, this, [this](int index) {
        keptSettings().setValue(kept::kCountClass, index + 1);
        showInView();
    });
    connect(w_.countClassBox->lineEdit(), &QLineEdit::editingFinished, this, &CountPanel::rename);
}

void CountPanel::restore() {
    const QSettings kept = keptSettings();
    const QStringList names = kept.value(kept::kCountClassNames).toStringList();
    for (qsizetype i = 0; i < names.size() && i < kCountClasses; ++i) {
        const QString name = names[i].trimmed();
        if (name.isEmpty()) continue;
        names_[static_cast<size_t>(i)] = name.toStdString();
        w_.countClassBox->setItemText(static_cast<int>(i), name);
    }
    bool ok = false;
    const int chosen = kept.value(kept::kCountClass).toInt(&ok);
    if (ok && isCountClass(chosen)) w_.countClassBox->setCurrentIndex(chosen - 1);
    w_.countClassBox->setEditText(w_.countClassBox->itemText(w_.countClassBox->currentIndex()));
    showInView();
}

void CountPanel::chooseClass(int markClass) {
    if (isCountClass(markClass)) w_.countClassBox->setCurrentIndex(markClass - 1);
}

// An empty name is refused: the class keeps the one it had.
void CountPanel::rename() {
    const int index = w_.countClassBox->currentIndex();
    const QString name = w_.countClassBox->currentText().trimmed();
    const auto slot = static_cast<size_t>(index);
    if (name.isEmpty() || name.toStdString() == names_[slot]) {
        w_.countClassBox->setEditText(QString::fromStdString(names_[slot]));
        return;
    }
    names_[slot] = name.toStdString();
    w_.countClassBox->setItemText(index, name);
    QStringList kept;
    for (const std::string& n : names_) kept.append(QString::fromStdString(n));
    keptSettings().setValue(kept::kCountClassNames, kept);
    showInView();
    emit classNamesChanged();
}

void CountPanel::showInView() {
    view_.setCountClasses(w_.countClassBox->currentIndex() + 1, names_);
}

}  // namespace lumetra

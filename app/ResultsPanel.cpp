#include "app/ResultsPanel.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/AlertPresenter.h"
#include "app/Images.h"
#include "image/AtomicFile.h"
#include "measure/results/ResultsText.h"
#include "measure/tools/ToolTable.h"

namespace lumetra {
namespace {

// "#" and "Tool" are read as text; the quantities as numbers.
constexpr int kToolColumn = 1;
constexpr int kFirstValueColumn = 2;
// The panel is narrow: the tool shows as its button image (its name as the tip),
// leaving the room to the values.
constexpr int kToolColumnWidth = 34;

// A quantity's unit goes under its name, so that a column is little wider than its values.
QString compactTitle(QString title) {
    const qsizetype unit = title.lastIndexOf(QStringLiteral(" ("));
    if (unit >= 0) title[unit] = QLatin1Char('\n');
    return title;
}

}  // namespace

ResultsPanel::ResultsPanel(AlertPresenter& alerts, QWidget* parent)
    : QWidget(parent), alerts_(alerts) {
    setObjectName(QStringLiteral("ResultsPanel"));
    view_ = new QTableWidget(this);
    view_->setObjectName(QStringLiteral("resultsTable"));
    view_->setAccessibleName(tr("Results"));
    view_->setAccessibleDescription(
        tr("Every measurement on the picture with its values; choosing a row chooses the "
           "measurement"));
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::SingleSelection);
    view_->setTabKeyNavigation(false);  // Tab goes on to the buttons; the arrows move in it
    view_->verticalHeader()->hide();
    view_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    view_->horizontalHeader()->setStretchLastSection(true);

    exportButton_ = new QPushButton(tr("Export\u2026"), this);
    exportButton_->setObjectName(QStringLiteral("btExportCsv"));
    exportButton_->setToolTip(tr("Save the table as a CSV file"));
    copyButton_ = new QPushButton(tr("Copy"), this);
    copyButton_->setObjectName(QStringLiteral("btCopyResults"));
    copyButton_->setToolTip(tr("Copy the table to the clipboard, to paste it into a spreadsheet"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(exportButton_);
    buttons->addWidget(copyButton_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view_);
    layout->addLayout(buttons);

    connect(view_, &QTableWidget::itemSelectionChanged, this,
            [this] { emit shapeSelected(selectedShape()); });
    connect(exportButton_, &QPushButton::clicked, this, &ResultsPanel::chooseExportFile);
    connect(copyButton_, &QPushButton::clicked, this, &ResultsPanel::copyToClipboard);
    setShapes({}, CalibrationValues{}, defaultCountClassNames());
}

int ResultsPanel::selectedShape() const {
    const auto rows = view_->selectionModel()->selectedRows();
    if (rows.isEmpty()) return -1;
    const auto row = static_cast<size_t>(rows.first().row());
    return row < table_.shapeOfRow.size() ? table_.shapeOfRow[row] : -1;
}

void ResultsPanel::selectShape(int index) {
    if (index == selectedShape()) return;
    const auto& rows = table_.shapeOfRow;
    const auto row = std::find(rows.begin(), rows.end(), index);
    if (index >= 0 && row != rows.end())
        view_->selectRow(static_cast<int>(row - rows.begin()));
    else
        view_->clearSelection();
}

void ResultsPanel::setShapes(std::span<const RQShape> shapes, const CalibrationValues& cal,
                             const CountClassNames& names) {
    const int before = selectedShape();
    table_ = resultsTable(shapes, cal, names, ResultsTexts::Shown);
    written_ = resultsTable(shapes, cal, names);
    {
        const QSignalBlocker quiet(view_);
        view_->clear();
        const auto columns = static_cast<int>(table_.header.size());
        const auto rows = static_cast<int>(table_.rows.size());
        view_->setColumnCount(columns);
        view_->setRowCount(rows);
        for (int c = 0; c < columns; ++c) {
            const auto column = static_cast<size_t>(c);
            const QString title = QString::fromStdString(table_.header[column]);
            auto* header = new QTableWidgetItem(c == kToolColumn ? QString() : compactTitle(title));
            header->setToolTip(title);
            view_->setHorizontalHeaderItem(c, header);
            bool empty = true;
            for (int r = 0; r < rows; ++r) {
                const std::string& cell = table_.rows[static_cast<size_t>(r)][column];
                empty = empty && cell.empty();
                auto* item = new QTableWidgetItem(QString::fromStdString(cell));
                const int shape = table_.shapeOfRow[static_cast<size_t>(r)];
                const ToolSpec* tool = findTool(shape >= 0 ? shapes[static_cast<size_t>(shape)].type
                                                           : uint8_t{kModeCount});
                if (c == kToolColumn && tool) {
                    item->setIcon(imageIcon(tool->image));
                    item->setToolTip(QCoreApplication::translate("MeasureTool", tool->name));
                    item->setText(QString());
                }
                if (c >= kFirstValueColumn && c != static_cast<int>(resultsTextColumn()) &&
                    c != static_cast<int>(resultsClassColumn()))
                    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                view_->setItem(r, c, item);
            }
            // Quantities no shape has take no room; number and tool always show.
            view_->setColumnHidden(c, c >= kFirstValueColumn && empty);
        }
        view_->horizontalHeader()->setSectionResizeMode(kToolColumn, QHeaderView::Interactive);
        view_->setColumnWidth(kToolColumn, kToolColumnWidth);
        const auto kept = std::find(table_.shapeOfRow.begin(), table_.shapeOfRow.end(), before);
        if (before >= 0 && kept != table_.shapeOfRow.end())
            view_->selectRow(static_cast<int>(kept - table_.shapeOfRow.begin()));
    }
    exportButton_->setEnabled(!table_.rows.empty());
    copyButton_->setEnabled(!table_.rows.empty());
    if (selectedShape() != before) emit shapeSelected(selectedShape());
}

bool ResultsPanel::exportCsv(const QString& path) {
    const std::string csv = resultsCsv(written_);
    if (writeFileAtomically(QFile::encodeName(path).toStdString(), csv)) return true;
    alerts_.alert(tr("The results could not be written to this file"));
    return false;
}

void ResultsPanel::copyToClipboard() const {
    QGuiApplication::clipboard()->setText(QString::fromStdString(resultsTabSeparated(written_)));
}

void ResultsPanel::chooseExportFile() {
    QString folder = lastExportFolder_;
    if (folder.isEmpty()) folder = exportFolder_ ? exportFolder_() : QDir::homePath();
    // The dialog asks before an existing file is replaced.
    QFileDialog dialog(this, tr("Export CSV"), folder, tr("CSV files (*.csv)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    if (dialog.exec() != QDialog::Accepted) return;
    const QString path = dialog.selectedFiles().value(0);
    if (path.isEmpty()) return;
    lastExportFolder_ = QFileInfo(path).absolutePath();
    exportCsv(path);
}

}  // namespace lumetra

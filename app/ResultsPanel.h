#pragma once
// The results panel beside the picture: a table of the stored measurements in
// the current calibration unit and the counts per class
// (measure/results/ResultsTable), an export to a CSV file and a copy to the
// clipboard as tab-separated text. Choosing a measurement's row reports the
// shape's index, so that the window can highlight it in the view.

#include <QWidget>
#include <functional>
#include <span>

#include "measure/LabelFormat.h"
#include "measure/RQShape.h"
#include "measure/results/ResultsTable.h"

class QPushButton;
class QTableWidget;

namespace lumetra {

class AlertPresenter;

class ResultsPanel : public QWidget {
    Q_OBJECT
public:
    // alerts: where a failed export is reported; not owned.
    explicit ResultsPanel(AlertPresenter& alerts, QWidget* parent = nullptr);

    // The folder the export panel opens in until one was used; by default the
    // user's home.
    void setExportFolder(std::function<QString()> folder) { exportFolder_ = std::move(folder); }

    // Shows the shapes under the calibration, count classes named by names. The
    // chosen shape index stays chosen while a row shows it; when none does,
    // shapeSelected(-1) is emitted.
    void setShapes(std::span<const RQShape> shapes, const CalibrationValues& cal,
                   const CountClassNames& names);

    // The table as shown, in the user's language.
    const ResultsTable& table() const { return table_; }
    // The chosen row's shape index; -1 for none or a row of counts.
    int selectedShape() const;
    // Chooses the shape's row (-1 or an index outside the table: none), reported
    // as a choice in the table is.
    void selectShape(int index);

    // Writes the table as CSV to path, replacing a file there (the save dialog
    // asked first), its titles and tool names as written, not translated. A failure
    // is reported through the alerts; returns success.
    bool exportCsv(const QString& path);
    // Puts the table on the clipboard as tab-separated text, as the CSV has it.
    void copyToClipboard() const;

signals:
    void shapeSelected(int index);

private:
    void chooseExportFile();

    AlertPresenter& alerts_;
    std::function<QString()> exportFolder_;
    QString lastExportFolder_;
    ResultsTable table_;    // shown
    ResultsTable written_;  // for the CSV and the clipboard
    QTableWidget* view_ = nullptr;
    QPushButton* exportButton_ = nullptr;
    QPushButton* copyButton_ = nullptr;
};

}  // namespace lumetra

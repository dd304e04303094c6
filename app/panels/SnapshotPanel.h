#pragma once
// The snapshot settings: whether each snapshot keeps a clean copy of its frame and
// an analysis copy (a calibrated TIFF), both kept between runs, and the "Save for
// analysis" button, which writes the picture on screen without measurements as such
// a TIFF into the album's picture folder.

#include <QObject>
#include <QString>
#include <functional>

class QCheckBox;
class QPushButton;
class QVBoxLayout;
class QWidget;

namespace lumetra {

class AlertPresenter;
class RQGlobalVariables;
class RQVideoView;

class SnapshotPanel : public QObject {
    Q_OBJECT
public:
    struct Widgets {
        QCheckBox* cbCleanCopy = nullptr;
        QCheckBox* cbAnalysisCopy = nullptr;
        QPushButton* btSaveForAnalysis = nullptr;
    };

    // Builds the panel's widgets, titled "SNAPSHOTS", at the end of column.
    static Widgets build(QWidget* parent, QVBoxLayout* column);

    // pictureReady: whether there is a picture (a camera or a file), saying so when not.
    SnapshotPanel(const Widgets& widgets, RQGlobalVariables& settings, RQVideoView& view,
                  AlertPresenter& alerts, std::function<bool()> pictureReady, QObject* parent);

    // The two settings kept from the last run (a clean copy by default).
    void restore();
    // The button: the frame on screen as an analysis TIFF, under the calibration the
    // view measures in. A failure is shown.
    void saveForAnalysis();

signals:
    // An analysis copy was written to path.
    void analysisSaved(const QString& path);

private:
    Widgets w_;
    RQGlobalVariables& settings_;
    RQVideoView& view_;
    AlertPresenter& alerts_;
    std::function<bool()> pictureReady_;
};

}  // namespace lumetra

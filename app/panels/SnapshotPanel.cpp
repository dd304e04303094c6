#include "app/panels/SnapshotPanel.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/AlertPresenter.h"
#include "app/KeptSettings.h"
#include "app/RQVideoView.h"
#include "app/panels/PanelWidgets.h"
#include "capture/AnalysisCopy.h"
#include "capture/StampedName.h"
#include "storage/RQGlobalVariables.h"

namespace lumetra {
namespace {

QCheckBox* checkBox(QWidget* parent, const QString& text, const char* objectName,
                    const QString& toolTip) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QString::fromLatin1(objectName));
    box->setToolTip(toolTip);
    return box;
}

}  // namespace

SnapshotPanel::Widgets SnapshotPanel::build(QWidget* parent, QVBoxLayout* column) {
    Widgets w;
    column->addWidget(label(parent, tr("SNAPSHOTS"), "panelTitle"));
    w.cbCleanCopy =
        checkBox(parent, tr("Keep a clean copy"), "cbCleanCopy",
                 tr("Beside a snapshot with measurements, keep the picture without them "
                    "(NAME.clean.jpg), so that the snapshot can be measured again"));
    w.cbCleanCopy->setChecked(true);
    w.cbAnalysisCopy = checkBox(parent, tr("Keep a TIFF copy"), "cbAnalysisCopy",
                                tr("With every snapshot, save the picture without measurements "
                                   "as a calibrated TIFF (NAME.tif) for image-analysis programs"));
    w.btSaveForAnalysis = new QPushButton(tr("Save for Analysis"), parent);
    w.btSaveForAnalysis->setObjectName(QStringLiteral("btSaveForAnalysis"));
    w.btSaveForAnalysis->setToolTip(
        tr("Save the picture without measurements as a calibrated TIFF"));
    column->addWidget(w.cbCleanCopy);
    column->addWidget(w.cbAnalysisCopy);
    column->addWidget(w.btSaveForAnalysis);
    return w;
}

SnapshotPanel::SnapshotPanel(const Widgets& widgets, RQGlobalVariables& settings, RQVideoView& view,
                             AlertPresenter& alerts, std::function<bool()> pictureReady,
                             QObject* parent)
    : QObject(parent),
      w_(widgets),
      settings_(settings),
      view_(view),
      alerts_(alerts),
      pictureReady_(std::move(pictureReady)) {
    connect(w_.cbCleanCopy, &QCheckBox::toggled, this, [this](bool on) {
        settings_.setSnapshotCleanCopy(on);
        keptSettings().setValue(kept::kCleanCopy, on);
    });
    connect(w_.cbAnalysisCopy, &QCheckBox::toggled, this, [this](bool on) {
        settings_.setSnapshotAnalysisCopy(on);
        keptSettings().setValue(kept::kAnalysisCopy, on);
    });
    connect(w_.btSaveForAnalysis, &QPushButton::clicked, this, &SnapshotPanel::saveForAnalysis);
}

void SnapshotPanel::restore() {
    const QSettings kept = keptSettings();
    w_.cbCleanCopy->setChecked(kept.value(kept::kCleanCopy, true).toBool());
    w_.cbAnalysisCopy->setChecked(kept.value(kept::kAnalysisCopy, false).toBool());
    settings_.setSnapshotCleanCopy(w_.cbCleanCopy->isChecked());
    settings_.setSnapshotAnalysisCopy(w_.cbAnalysisCopy->isChecked());
}

void SnapshotPanel::saveForAnalysis() {
    if (!pictureReady_()) return;
    const Frame frame = view_.fullFrame();
    if (frame.isNull()) {  // the picture shown could not be decoded at its full size
        alerts_.alert(
            tr("The picture could not be decoded at its full size, so there is "
               "nothing to save."));
        return;
    }
    WriteResult failure;
    const auto path =
        writeAnalysisCopy(frame, snapshotRecord(view_.model(), frame.width, frame.height, false),
                          settings_.getStrDocumentsPicture(), currentTimestampName(), &failure);
    if (!path) {
        alerts_.alert(QString::fromStdString(failure.message()));
        return;
    }
    emit analysisSaved(QString::fromStdString(*path));
}

}  // namespace lumetra

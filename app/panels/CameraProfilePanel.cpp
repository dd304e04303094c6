#include "app/panels/CameraProfilePanel.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/AlertPresenter.h"
#include "app/panels/CameraPanel.h"
#include "app/panels/PanelWidgets.h"

namespace lumetra {
namespace {

QToolButton* textButton(QWidget* parent, const char* name, const QString& text,
                        const QString& toolTip) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(text);
    button->setToolTip(toolTip);
    button->setEnabled(false);
    return button;
}

// Chooses the entry titled title in box through call, unless it is chosen already;
// false when the list has no such entry (a firmware that changed).
bool chooseEntry(CameraSide& side, QComboBox* box, const std::string& title,
                 void (CameraSide::*call)(int)) {
    if (title.empty()) return true;
    const int index = box->findText(QString::fromStdString(title));
    if (index >= 0 && index != box->currentIndex()) (side.*call)(index);
    return index >= 0;
}

}  // namespace

CameraProfilePanel::Widgets CameraProfilePanel::build(QWidget* parent, QVBoxLayout* column) {
    Widgets w;
    column->addWidget(label(parent, tr("Profile"), "secondaryText"));
    w.cameraProfiles = new QComboBox(parent);
    w.cameraProfiles->setObjectName(QStringLiteral("cameraProfiles"));
    w.cameraProfiles->setAccessibleName(tr("Camera profile"));
    w.cameraProfiles->setAccessibleDescription(
        tr("The profiles kept for this microscope: choosing one sets its adjustments, resolution "
           "and frame rate; Save keeps the current ones under the name typed"));
    // Being editable makes the list's pop-up at once; it is named too.
    w.cameraProfiles->view()->setAccessibleName(tr("Camera profiles"));
    w.cameraProfiles->setEditable(true);
    w.cameraProfiles->setInsertPolicy(QComboBox::NoInsert);
    w.cameraProfiles->lineEdit()->setPlaceholderText(tr("Profile name"));
    w.cameraProfiles->lineEdit()->setAccessibleName(tr("Profile name"));
    w.cameraProfiles->setEnabled(false);
    w.btSaveProfile = textButton(parent, "btSaveProfile", tr("Save"),
                                 tr("Keep this camera's adjustments, resolution and "
                                    "frame rate under the name typed"));
    w.btDeleteProfile = textButton(parent, "btDeleteProfile", tr("Delete"),
                                   tr("Forget this camera's profile of that name"));
    column->addWidget(w.cameraProfiles);
    // The buttons have a row of their own under the list, so that longer words than the
    // English ones fit the narrow side panel.
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(4);
    buttons->addStretch(1);
    buttons->addWidget(w.btSaveProfile);
    buttons->addWidget(w.btDeleteProfile);
    column->addLayout(buttons);
    return w;
}

CameraProfilePanel::CameraProfilePanel(const Widgets& widgets, CameraPanel& camera,
                                       std::string path, AlertPresenter& alerts, QObject* parent)
    : QObject(parent), w_(widgets), camera_(camera), alerts_(alerts), profiles_(std::move(path)) {
    if (const std::string problem = profiles_.load(); !problem.empty())
        alerts_.alert(QString::fromStdString(problem));
    connect(&camera_, &CameraPanel::activeCameraChanged, this, &CameraProfilePanel::cameraChanged);
    connect(w_.cameraProfiles, &QComboBox::activated, this,
            [this](int index) { choose(w_.cameraProfiles->itemText(index)); });
    connect(w_.btSaveProfile, &QToolButton::clicked, this, &CameraProfilePanel::save);
    connect(w_.btDeleteProfile, &QToolButton::clicked, this, &CameraProfilePanel::remove);
}

void CameraProfilePanel::cameraChanged() {
    const CameraSide* side = camera_.activeSide();
    const std::string key = side ? side->profileKey() : std::string();
    key_ = key;
    for (QWidget* widget :
         {static_cast<QWidget*>(w_.cameraProfiles), static_cast<QWidget*>(w_.btSaveProfile),
          static_cast<QWidget*>(w_.btDeleteProfile)})
        widget->setEnabled(!key_.empty());
    const auto last = profiles_.lastUsed(key_);
    showProfiles(last ? QString::fromStdString(last->name) : QString());
    // The camera shows its lists and adjustments right after it connected.
    if (last)
        QTimer::singleShot(0, this, [this, key = key_, profile = *last] {
            if (key == key_) apply(profile);
        });
}

void CameraProfilePanel::showProfiles(const QString& current) {
    w_.cameraProfiles->clear();
    for (const CameraProfile& p : profiles_.profilesOf(key_))
        w_.cameraProfiles->addItem(QString::fromStdString(p.name));
    w_.cameraProfiles->setCurrentIndex(w_.cameraProfiles->findText(current));
    w_.cameraProfiles->setEditText(current);
}

bool CameraProfilePanel::choose(const QString& name) {
    for (const CameraProfile& p : profiles_.profilesOf(key_)) {
        if (p.name != name.toStdString()) continue;
        apply(p);
        report(profiles_.use(key_, p.name));
        return true;
    }
    return false;
}

void CameraProfilePanel::apply(const CameraProfile& profile) {
    CameraSide* side = camera_.activeSide();
    const auto kind = cameraKind(camera_.mode());
    if (!side || !kind) return;
    const CameraPanel::KindWidgets& lists = camera_.widgets().of(*kind);
    QStringList missing;
    if (!chooseEntry(*side, lists.formats, profile.resolution, &CameraSide::chooseFormat))
        missing << QString::fromStdString(profile.resolution);
    if (!chooseEntry(*side, lists.rates, profile.frameRate, &CameraSide::chooseFrameRate))
        missing << QString::fromStdString(profile.frameRate);
    // A slider moved reaches the side as the user's move would.
    const auto& sliders = camera_.widgets().adjustmentSliders;
    for (size_t i = 0; i < sliders.size(); ++i)
        if (sliders[i]->isEnabled()) sliders[i]->setValue(profile.adjustments[i]);
    if (!missing.isEmpty())
        alerts_.alert(tr("The camera does not offer %1 now, so that stays as it is; "
                         "the rest of the profile \"%2\" is applied.")
                          .arg(missing.join(tr(" or ")), QString::fromStdString(profile.name)));
}

CameraProfile CameraProfilePanel::currentSettings(const std::string& name) const {
    CameraProfile profile{name, {}, {}, {}};
    const auto& sliders = camera_.widgets().adjustmentSliders;
    for (size_t i = 0; i < sliders.size(); ++i) profile.adjustments[i] = sliders[i]->value();
    if (const auto kind = cameraKind(camera_.mode())) {
        const CameraPanel::KindWidgets& lists = camera_.widgets().of(*kind);
        profile.resolution = lists.formats->currentText().toStdString();
        profile.frameRate = lists.rates->currentText().toStdString();
    }
    return profile;
}

void CameraProfilePanel::save() {
    const QString name = w_.cameraProfiles->currentText().trimmed();
    if (key_.empty()) return;
    if (name.isEmpty()) {
        alerts_.alert(tr("Type a name for the profile first."));
        return;
    }
    report(profiles_.save(key_, currentSettings(name.toStdString())));
    showProfiles(name);
}

void CameraProfilePanel::remove() {
    const QString name = w_.cameraProfiles->currentText().trimmed();
    if (key_.empty() || w_.cameraProfiles->findText(name) < 0) return;
    report(profiles_.remove(key_, name.toStdString()));
    showProfiles(QString());
}

void CameraProfilePanel::report(const WriteResult& written) {
    if (!written) alerts_.alert(QString::fromStdString(written.message()));
}

}  // namespace lumetra

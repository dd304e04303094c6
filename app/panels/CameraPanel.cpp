#include "app/panels/CameraPanel.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/CameraListBox.h"
#include "app/panels/PanelWidgets.h"

namespace lumetra {
namespace {

// How each kind shows in the panel, in kind order.
struct KindLook {
    const char* button;
    const char* image;
    const char* toolTip;
    const char* name;        // the button's text, and the status line's
    const char* listPrefix;  // of the lists' object names
};
constexpr KindLook kKindLooks[] = {
    {"btUSBCam", "usbcam", QT_TRANSLATE_NOOP("lumetra::CameraPanel", "Connect the USB microscope"),
     QT_TRANSLATE_NOOP("lumetra::CameraPanel", "USB"), "USBVideo"},
    {"btWiFiCam", "wificam",
     QT_TRANSLATE_NOOP("lumetra::CameraPanel", "Connect the WiFi microscope"),
     QT_TRANSLATE_NOOP("lumetra::CameraPanel", "WiFi"), "WiFiVideo"},
    {"btOpenPicture", "openpicture",
     QT_TRANSLATE_NOOP("lumetra::CameraPanel", "Open a picture to measure on it (Ctrl+O)"),
     QT_TRANSLATE_NOOP("lumetra::CameraPanel", "Open"), "Picture"},
};
// Connect buttons per row: the panel is too narrow for more.
constexpr size_t kButtonsPerRow = 2;
static_assert(std::size(kKindLooks) == kCameraKinds);

const KindLook& lookOf(CameraKind kind) { return kKindLooks[static_cast<size_t>(kind)]; }

QComboBox* hiddenPopUp(QWidget* parent, const QString& objectName, const QString& name,
                       const QString& description) {
    auto* box = new CameraListBox(parent);
    box->setObjectName(objectName);
    box->setAccessibleName(name);
    box->setAccessibleDescription(description);
    box->hide();
    return box;
}

// A captioned slider without a number field.
QWidget* compactSliderRow(QWidget* parent, const QString& caption, QSlider*& slider,
                          const QString& objectName) {
    auto* row = new QWidget(parent);
    auto* column = new QVBoxLayout(row);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    column->addWidget(label(row, caption, "secondaryText"));
    slider = new QSlider(Qt::Horizontal, row);
    slider->setObjectName(objectName);
    slider->setAccessibleName(caption);
    slider->setAccessibleDescription(
        CameraPanel::tr("An adjustment of the microscope's picture; Reset sets every one back"));
    slider->setEnabled(false);
    column->addWidget(slider);
    return row;
}

}  // namespace

CameraPanel::Widgets CameraPanel::build(QWidget* left, QVBoxLayout* leftColumn) {
    Widgets w;
    leftColumn->addWidget(label(left, tr("CAMERA"), "panelTitle"));
    QHBoxLayout* buttons = nullptr;
    for (size_t k = 0; k < kCameraKinds; ++k) {
        if (k % kButtonsPerRow == 0) {
            buttons = new QHBoxLayout;
            buttons->setSpacing(8);
            leftColumn->addLayout(buttons);
        }
        const KindLook& look = kKindLooks[k];
        QToolButton* b = iconButton(left, look.button, look.image, tr(look.toolTip), 40);
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        b->setIconSize(QSize(24, 24));
        b->setProperty("role", QStringLiteral("camera"));
        b->setText(tr(look.name));
        // The buttons of a row share its width.
        b->setFixedHeight(40);
        b->setMinimumWidth(80);
        b->setMaximumWidth(QWIDGETSIZE_MAX);
        b->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        buttons->addWidget(b);
        w.kinds[k].connect = b;
    }
    w.cameraStatus = label(left, tr(kNoCameraStatus), "cameraStatus");
    w.cameraStatus->setWordWrap(true);  // a long device name shows whole
    leftColumn->addWidget(w.cameraStatus);
    w.btLed =
        iconButton(left, "btLed", "snapoff", tr("Take snapshots with the camera's own button"), 32);
    w.btLed->hide();  // only a WiFi camera that needs polling shows it
    leftColumn->addWidget(w.btLed);
    // Red, hidden until a camera side needs it.
    w.ctrSpinner = new QProgressBar(left);
    w.ctrSpinner->setObjectName(QStringLiteral("ctrSpinner"));
    w.ctrSpinner->setRange(0, 0);
    w.ctrSpinner->setTextVisible(false);
    w.ctrSpinner->setFixedHeight(4);
    w.ctrSpinner->setStyleSheet(
        QStringLiteral("QProgressBar { background: #c0392b; border: none; }"));
    w.ctrSpinner->hide();
    leftColumn->addWidget(w.ctrSpinner);
    for (size_t k = 0; k < kCameraKinds; ++k) {
        const QString prefix = QString::fromLatin1(kKindLooks[k].listPrefix);
        KindWidgets& kind = w.kinds[k];
        const QString camera = tr(kKindLooks[k].name);
        kind.devices =
            hiddenPopUp(left, prefix + QStringLiteral("NameUpButton"),
                        tr("%1 microscope").arg(camera), tr("The microscope whose picture shows"));
        kind.formats = hiddenPopUp(left, prefix + QStringLiteral("FormatUpButton"),
                                   tr("%1 resolution").arg(camera),
                                   tr("The size of the pictures the microscope sends"));
        kind.rates = hiddenPopUp(left, prefix + QStringLiteral("FPSUpButton"),
                                 tr("%1 frame rate").arg(camera),
                                 tr("How many pictures a second the microscope sends"));
        for (QComboBox* box : {kind.devices, kind.formats, kind.rates}) leftColumn->addWidget(box);
    }
    return w;
}

void CameraPanel::buildAdjustments(Widgets& w, QWidget* right, QVBoxLayout* column) {
    auto* title = new QHBoxLayout;
    title->addWidget(label(right, tr("PICTURE"), "panelTitle"));
    w.btDefault = new QToolButton(right);
    w.btDefault->setObjectName(QStringLiteral("btDefault"));
    w.btDefault->setText(tr("Reset"));
    w.btDefault->setToolTip(tr("Set every picture adjustment back to its default"));
    title->addStretch(1);
    title->addWidget(w.btDefault);
    column->addLayout(title);
    const std::array<std::pair<const char*, const char*>, 6> adjustments{{
        {QT_TR_NOOP("Brightness"), "sliderBrightness"},
        {QT_TR_NOOP("Contrast"), "sliderContrast"},
        {QT_TR_NOOP("Saturation"), "sliderSaturation"},
        {QT_TR_NOOP("Hue"), "sliderHue"},
        {QT_TR_NOOP("Sharpness"), "sliderSharpness"},
        {QT_TR_NOOP("Gamma"), "sliderGamma"},
    }};
    for (size_t i = 0; i < adjustments.size(); ++i) {
        column->addWidget(compactSliderRow(right, tr(adjustments[i].first), w.adjustmentSliders[i],
                                           QString::fromLatin1(adjustments[i].second)));
    }
    w.profiles = CameraProfilePanel::build(right, column);
}

CameraPanel::CameraPanel(const Widgets& widgets, QObject* parent) : QObject(parent), w_(widgets) {
    for (size_t k = 0; k < kCameraKinds; ++k) connectKind(static_cast<CameraKind>(k));
    for (size_t i = 0; i < w_.adjustmentSliders.size(); ++i) {
        connect(w_.adjustmentSliders[i], &QSlider::valueChanged, this, [this, i](int value) {
            if (CameraSide* active = activeSide())
                active->adjust(static_cast<Adjustment>(i), value);
        });
    }
    connect(w_.btDefault, &QToolButton::clicked, this, [this] {
        if (CameraSide* active = activeSide()) active->resetAdjustments();
    });
    connect(w_.btLed, &QToolButton::clicked, this, [this] {
        if (CameraSide* active = activeSide()) active->toggleShutterButton();
    });
}

// Only the user's choices count: the panel fills and selects the lists with their
// signals blocked.
void CameraPanel::connectKind(CameraKind kind) {
    const KindWidgets& w = w_.of(kind);
    const auto toSide = [this, kind](void (CameraSide::*call)(int)) {
        return [this, kind, call](int index) {
            if (CameraSide* s = side(kind)) (s->*call)(index);
        };
    };
    connect(w.connect, &QToolButton::clicked, this, [this, kind] {
        if (CameraSide* s = side(kind)) s->connectCamera();
    });
    connect(static_cast<CameraListBox*>(w.devices), &CameraListBox::aboutToShowPopup, this,
            [this, kind] {
                if (CameraSide* s = side(kind)) s->refreshDevices();
            });
    connect(w.devices, &QComboBox::activated, this, toSide(&CameraSide::chooseDevice));
    connect(w.formats, &QComboBox::activated, this, toSide(&CameraSide::chooseFormat));
    connect(w.rates, &QComboBox::activated, this, toSide(&CameraSide::chooseFrameRate));
}

void CameraPanel::setSide(CameraKind kind, CameraSide* side) {
    sides_[static_cast<size_t>(kind)] = side;
    if (side) side->showPictureAt(shownAt_.first, shownAt_.second);
}

void CameraPanel::showPictureAt(int width, int height) {
    shownAt_ = {width, height};
    for (CameraSide* side : sides_)
        if (side) side->showPictureAt(width, height);
}

CameraSide* CameraPanel::activeSide() const {
    const auto kind = cameraKind(mode_);
    return kind ? side(*kind) : nullptr;
}

void CameraPanel::connected(CameraMode mode, const QString& status) {
    const auto was = cameraKind(mode_);
    if (was && was != cameraKind(mode)) {
        if (CameraSide* other = side(*was)) other->stopCamera();
    }
    mode_ = mode;
    w_.cameraStatus->setText(status);
    emit activeCameraChanged();
}

void CameraPanel::stopped() {
    if (const auto kind = cameraKind(mode_))
        w_.cameraStatus->setText(tr("%1 microscope disconnected").arg(tr(lookOf(*kind).name)));
}

void CameraPanel::lost() {
    mode_ = CameraMode::None;  // the status line keeps saying which camera went
    for (const KindWidgets& kind : w_.kinds)
        for (QComboBox* box : {kind.devices, kind.formats, kind.rates}) box->hide();
    emit activeCameraChanged();
}

void CameraPanel::stopAll() {
    for (CameraSide* s : sides_)
        if (s) s->stopCamera();
}

void CameraPanel::setBusy(bool busy) { w_.ctrSpinner->setVisible(busy); }

void CameraPanel::showLists(CameraKind kind, const CameraList& devices, const CameraList& formats,
                            const CameraList& rates) {
    const std::array<const CameraList*, 3> lists{&devices, &formats, &rates};
    for (size_t k = 0; k < kCameraKinds; ++k) {
        const KindWidgets& w = w_.kinds[k];
        const std::array<QComboBox*, 3> boxes{w.devices, w.formats, w.rates};
        for (size_t i = 0; i < boxes.size(); ++i) {
            if (static_cast<CameraKind>(k) != kind) {
                boxes[i]->hide();
                continue;
            }
            const QSignalBlocker quiet(boxes[i]);
            boxes[i]->clear();
            boxes[i]->addItems(lists[i]->items);
            boxes[i]->setCurrentIndex(lists[i]->selected);
            boxes[i]->setVisible(!lists[i]->items.isEmpty());
        }
    }
}

void CameraPanel::showAdjustments(const std::array<SliderSetting, 6>& sliders) {
    for (size_t i = 0; i < sliders.size(); ++i) {
        QSlider* slider = w_.adjustmentSliders[i];
        const QSignalBlocker quiet(slider);
        slider->setRange(sliders[i].minimum, sliders[i].maximum);
        slider->setValue(sliders[i].value);
        slider->setEnabled(sliders[i].maximum > sliders[i].minimum);
    }
}

void CameraPanel::showShutterButton(bool visible, const QString& image, const QString& toolTip) {
    w_.btLed->setVisible(visible);
    if (!visible) return;
    setButtonImage(w_.btLed, image.toStdString());
    w_.btLed->setToolTip(toolTip);
    w_.btLed->setAccessibleDescription(toolTip);
}

}  // namespace lumetra

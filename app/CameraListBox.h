#pragma once
// A camera pop-up list that says when it is about to open, so that the device
// list can be read again (a microscope plugged in since shows up). The panel is
// narrow: a current entry too long for the box ends in an ellipsis, and the box's
// tool tip holds it whole (taken when the tip is asked for, as the window fills
// the lists with their signals blocked).

#include <QComboBox>

namespace lumetra {

class CameraListBox : public QComboBox {
    Q_OBJECT
public:
    using QComboBox::QComboBox;

    void showPopup() override {
        emit aboutToShowPopup();
        QComboBox::showPopup();
    }

signals:
    void aboutToShowPopup();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace lumetra

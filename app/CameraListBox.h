#pragma once
// A camera pop-up list that says when it is about to open, so that the device
// list can be read again (a microscope plugged in since shows up).

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
};

}  // namespace lumetra

#pragma once
// The drawing-settings panel: line width, label size and decimals (a slider each,
// beside a field where a number in range can be typed) and the line and label
// colours. A change goes to the settings object, the measuring view and the kept
// settings, so that the next run starts with it.

#include <QObject>

class QLineEdit;
class QSlider;
class QVBoxLayout;
class QWidget;

namespace lumetra {

class ColorWell;
class RQGlobalVariables;
class RQVideoView;

class DrawingPanel : public QObject {
    Q_OBJECT
public:
    struct Widgets {
        QSlider* sliderWidth = nullptr;
        QSlider* sliderFont = nullptr;
        QSlider* sliderDecimal = nullptr;
        QLineEdit* WidthTextField = nullptr;
        QLineEdit* FontTextField = nullptr;
        QLineEdit* DecimalTextField = nullptr;
        ColorWell* lColorWell = nullptr;
        ColorWell* fColorWell = nullptr;
    };

    // Builds the panel's widgets, titled "DRAWING", at the end of column.
    static Widgets build(QWidget* parent, QVBoxLayout* column);

    // Wires the widgets to the settings and the view; nothing is applied yet.
    DrawingPanel(const Widgets& widgets, RQGlobalVariables& settings, RQVideoView& view,
                 QObject* parent);

    // The drawing settings kept from the last run, applied through the controls, so
    // that settings, fields and view follow as on a user's change; the sliders clamp
    // what is out of range.
    void restore();

private:
    Widgets w_;
    RQGlobalVariables& settings_;
    RQVideoView& view_;
};

}  // namespace lumetra

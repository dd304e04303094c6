#include "app/panels/DrawingPanel.h"

#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QVBoxLayout>

#include "app/ColorWell.h"
#include "app/KeptSettings.h"
#include "app/RQVideoView.h"
#include "app/panels/PanelWidgets.h"
#include "storage/RQGlobalVariables.h"

namespace lumetra {
namespace {

// One number setting: its slider, the field beside it, where it is kept and the
// settings object's setter.
struct NumberSetting {
    QSlider* slider;
    QLineEdit* field;
    const char* key;
    void (*set)(RQGlobalVariables&, int32_t);
};

struct ColourSetting {
    ColorWell* well;
    const char* key;
    void (*set)(RQGlobalVariables&, RgbColor);
};

RgbColor toRgb(const QColor& color) { return {color.redF(), color.greenF(), color.blueF()}; }

// One drawing setting: caption, slider and a field showing its value, where a
// value in range can also be typed.
QWidget* sliderRow(QWidget* parent, const QString& caption, QSlider*& slider, QLineEdit*& field,
                   const char* sliderName, const char* fieldName, int minimum, int maximum,
                   int value) {
    auto* row = new QWidget(parent);
    auto* grid = new QGridLayout(row);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(4);
    grid->addWidget(label(row, caption, "secondaryText"), 0, 0, 1, 2);
    slider = new QSlider(Qt::Horizontal, row);
    slider->setObjectName(QString::fromLatin1(sliderName));
    slider->setAccessibleName(caption);
    slider->setAccessibleDescription(
        DrawingPanel::tr("Drag, or press the arrow keys; the number beside it follows"));
    slider->setRange(minimum, maximum);
    slider->setValue(value);
    slider->setPageStep(1);
    field = new QLineEdit(QString::number(value), row);
    field->setObjectName(QString::fromLatin1(fieldName));
    field->setAccessibleName(caption);
    field->setAccessibleDescription(
        DrawingPanel::tr("Type a number in range; the slider beside it follows"));
    field->setValidator(new QIntValidator(minimum, maximum, field));
    field->setAlignment(Qt::AlignCenter);
    field->setFixedWidth(40);
    grid->addWidget(slider, 1, 0);
    grid->addWidget(field, 1, 1);
    return row;
}

ColorWell* colourWell(QWidget* parent, const char* objectName, const QString& toolTip,
                      const QColor& colour) {
    auto* well = new ColorWell(parent);
    well->setObjectName(QString::fromLatin1(objectName));
    well->setToolTip(toolTip);
    well->setAccessibleName(toolTip);
    well->setColor(colour);
    return well;
}

}  // namespace

DrawingPanel::Widgets DrawingPanel::build(QWidget* parent, QVBoxLayout* column) {
    Widgets w;
    column->addWidget(label(parent, tr("DRAWING"), "panelTitle"));
    column->addWidget(sliderRow(parent, tr("Line width"), w.sliderWidth, w.WidthTextField,
                                "sliderWidth", "WidthTextField", 1, 10, 2));
    column->addWidget(sliderRow(parent, tr("Label size"), w.sliderFont, w.FontTextField,
                                "sliderFont", "FontTextField", 8, 48, 16));
    column->addWidget(sliderRow(parent, tr("Decimals"), w.sliderDecimal, w.DecimalTextField,
                                "sliderDecimal", "DecimalTextField", 0, 6, 3));
    auto* colours = new QGridLayout;
    colours->setHorizontalSpacing(8);
    colours->setVerticalSpacing(10);
    w.lColorWell = colourWell(parent, "lColorWell", tr("Line colour"), Qt::red);
    w.fColorWell = colourWell(parent, "fColorWell", tr("Label colour"), Qt::blue);
    colours->addWidget(label(parent, tr("Line colour"), "secondaryText"), 0, 0);
    colours->addWidget(w.lColorWell, 0, 1, Qt::AlignRight);
    colours->addWidget(label(parent, tr("Label colour"), "secondaryText"), 1, 0);
    colours->addWidget(w.fColorWell, 1, 1, Qt::AlignRight);
    column->addLayout(colours);
    return w;
}

DrawingPanel::DrawingPanel(const Widgets& widgets, RQGlobalVariables& settings, RQVideoView& view,
                           QObject* parent)
    : QObject(parent), w_(widgets), settings_(settings), view_(view) {
    const NumberSetting numbers[] = {{w_.sliderWidth, w_.WidthTextField, kept::kLineWidth,
                                      [](RQGlobalVariables& s, int32_t v) { s.setILineWidth(v); }},
                                     {w_.sliderFont, w_.FontTextField, kept::kFontSize,
                                      [](RQGlobalVariables& s, int32_t v) { s.setIFontSize(v); }},
                                     {w_.sliderDecimal, w_.DecimalTextField, kept::kDecimals,
                                      [](RQGlobalVariables& s, int32_t v) { s.setIDecimal(v); }}};
    for (const NumberSetting& n : numbers) {
        connect(n.slider, &QSlider::valueChanged, this, [this, n](int value) {
            n.field->setText(QString::number(value));
            keptSettings().setValue(n.key, value);
            n.set(settings_, value);
            view_.setUpdatedProperty(settings_);
        });
        // A number typed beside a slider moves the slider (the field accepts only its range).
        connect(n.field, &QLineEdit::editingFinished, n.slider,
                [n] { n.slider->setValue(n.field->text().toInt()); });
    }
    const ColourSetting colours[] = {
        {w_.lColorWell, kept::kLineColour,
         [](RQGlobalVariables& s, RgbColor v) { s.setOLineColor(v); }},
        {w_.fColorWell, kept::kLabelColour,
         [](RQGlobalVariables& s, RgbColor v) { s.setOFontColor(v); }}};
    for (const ColourSetting& c : colours) {
        connect(c.well, &ColorWell::colorChosen, this, [this, c](const QColor& colour) {
            keptSettings().setValue(c.key, colour.name());
            c.set(settings_, toRgb(colour));
            view_.setUpdatedProperty(settings_);
        });
    }
}

void DrawingPanel::restore() {
    const QSettings kept = keptSettings();
    const std::pair<const char*, QSlider*> numbers[] = {{kept::kLineWidth, w_.sliderWidth},
                                                        {kept::kFontSize, w_.sliderFont},
                                                        {kept::kDecimals, w_.sliderDecimal}};
    for (const auto& [key, slider] : numbers) {
        bool ok = false;
        const int value = kept.value(key).toInt(&ok);
        if (ok) slider->setValue(value);
    }
    const std::pair<const char*, ColorWell*> colours[] = {{kept::kLineColour, w_.lColorWell},
                                                          {kept::kLabelColour, w_.fColorWell}};
    for (const auto& [key, well] : colours) {
        const QColor colour(kept.value(key).toString());
        if (!colour.isValid()) continue;
        well->setColor(colour);
        emit well->colorChosen(colour);
    }
}

}  // namespace lumetra

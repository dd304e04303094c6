#pragma once
// A colour well: a swatch button that opens a colour chooser and reports the
// chosen colour.

#include <QColor>
#include <QToolButton>

namespace lumetra {

class ColorWell : public QToolButton {
    Q_OBJECT
public:
    explicit ColorWell(QWidget* parent = nullptr);

    QColor color() const { return color_; }
    // Sets the swatch without reporting it.
    void setColor(const QColor& color);
    // Sets the swatch and reports it, as a choice in the chooser does.
    void choose(const QColor& color);

signals:
    void colorChosen(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void openChooser();

    QColor color_ = Qt::red;
};

}  // namespace lumetra

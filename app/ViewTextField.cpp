#include "app/ViewTextField.h"

#include <QLineEdit>

namespace lumetra {

void ViewTextField::sync(QWidget& view, MeasureModel& model, const ViewFit& f, double zoom) {
    if (!model.textField) {
        if (edit_) edit_->hide();
        return;
    }
    const TextFieldModel& field = *model.textField;
    if (!edit_) {
        edit_ = new QLineEdit(&view);
        edit_->setObjectName(QStringLiteral("textField"));
        // What is typed goes to the model at once, so that choosing a tool,
        // resizing or Escape, which show the model's text again, keep it.
        QObject::connect(edit_, &QLineEdit::textChanged, &view, [&model](const QString& text) {
            if (model.textField) model.textField->stringValue = text.toStdString();
        });
    }
    edit_->setAlignment(field.centred ? Qt::AlignCenter : Qt::AlignLeft | Qt::AlignVCenter);
    edit_->setPlaceholderText(QString::fromStdString(field.placeholder));
    const QString text = QString::fromStdString(field.stringValue);
    if (edit_->text() != text) edit_->setText(text);
    // The model's frame is y-up from the picture's lower-left corner, in units.
    // Anchored at its lower-left corner; its size is the one at fit, as labels keep theirs.
    const double size = f.scale / zoom;
    edit_->setGeometry(QRectF(f.pixelX(field.x), f.pixelY(field.y) - field.height * size,
                              field.width * size, field.height * size)
                           .toRect());
    const bool appearing = !field.hidden && edit_->isHidden();
    edit_->setVisible(!field.hidden);
    if (appearing) edit_->setFocus();  // ready for typing when the tool is chosen
}

}  // namespace lumetra

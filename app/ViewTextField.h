#pragma once
// The text tool's field over the measuring view: a line edit made on first use,
// kept showing the model's text field where it lies on the picture, and writing
// what is typed back into the model at once.

#include "measure/MeasureModel.h"
#include "policy/WindowArea.h"

class QLineEdit;
class QWidget;

namespace lumetra {

class ViewTextField {
public:
    // Shows `model`'s text field over `view` as placed by `fit`, at the size it has at
    // fit (`zoom` being the view's zoom factor), or hides it when the model has none.
    // The model must outlive the view.
    void sync(QWidget& view, MeasureModel& model, const ViewFit& fit, double zoom);
    // Null until the model first had a text field.
    QLineEdit* edit() const { return edit_; }

private:
    QLineEdit* edit_ = nullptr;  // owned by the view
};

}  // namespace lumetra

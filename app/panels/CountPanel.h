#pragma once
// The counting panel: the list of the nine count classes, each shown with its
// colour and number, where the class of new marks is chosen (also with the keys
// 1 to 9) and its name edited in place. The chosen class and the names go to the
// measuring view and the kept settings, so that the next run starts with them.

#include <QObject>

#include "measure/CountMarks.h"

class QComboBox;
class QVBoxLayout;
class QWidget;

namespace lumetra {

class RQVideoView;

class CountPanel : public QObject {
    Q_OBJECT
public:
    struct Widgets {
        QComboBox* countClassBox = nullptr;
    };

    // Builds the panel's widgets, titled "COUNT", at the end of column.
    static Widgets build(QWidget* parent, QVBoxLayout* column);

    CountPanel(const Widgets& widgets, RQVideoView& view, QObject* parent);

    // The names and the class kept from the last run; the defaults where none
    // were kept, or where a kept name is empty.
    void restore();
    // Makes markClass (1 to 9) the class of new marks; other numbers change nothing.
    void chooseClass(int markClass);
    const CountClassNames& names() const { return names_; }

signals:
    // A class was renamed: the results name it anew.
    void classNamesChanged();

private:
    void rename();
    void showInView();

    Widgets w_;
    RQVideoView& view_;
    CountClassNames names_ = defaultCountClassNames();
};

}  // namespace lumetra

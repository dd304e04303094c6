#pragma once
// The time-lapse popover of the capture bar: how often (seconds or minutes), until
// when (a number of pictures, a duration, or until stopped), whether the
// measurements are burnt in, and whether a movie is made at a chosen frame rate.

#include <QDialog>

#include "app/TimeLapseCapture.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QSpinBox;

namespace lumetra {

class TimeLapseSheet : public QDialog {
    Q_OBJECT
public:
    explicit TimeLapseSheet(QWidget* parent);

    // Shows the popover below anchor.
    void popUp(QWidget* anchor);
    // The time-lapse the fields describe.
    TimeLapseSettings settings() const;

signals:
    void startRequested(const TimeLapseSettings& settings);

private:
    void showEndFields();

    QDoubleSpinBox* every_;
    QComboBox* unit_;  // seconds, minutes
    QComboBox* end_;   // after pictures, after a duration, until stopped
    QSpinBox* count_;
    QSpinBox* minutes_;
    QCheckBox* measurements_;
    QCheckBox* movie_;
    QSpinBox* movieRate_;
};

}  // namespace lumetra

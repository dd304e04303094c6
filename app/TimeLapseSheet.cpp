#include "app/TimeLapseSheet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLocale>
#include <QPushButton>
#include <QSpinBox>
#include <chrono>
#include <cmath>

#include "app/PopoverPlacement.h"

namespace lumetra {
namespace {

enum EndChoice { AfterCount, AfterDuration, UntilStopped };

QSpinBox* spinBox(QWidget* parent, const char* name, const QString& accessibleName, int minimum,
                  int maximum, int value, const QString& suffix) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setAccessibleName(accessibleName);
    box->setRange(minimum, maximum);
    box->setValue(value);
    box->setSuffix(suffix);
    return box;
}

}  // namespace

TimeLapseSheet::TimeLapseSheet(QWidget* parent)
    : QDialog(parent, Qt::Popup),
      every_(new QDoubleSpinBox(this)),
      unit_(new QComboBox(this)),
      end_(new QComboBox(this)),
      count_(spinBox(this, "timeLapseCount", tr("Number of pictures"), 1, 100000, 10,
                     tr(" pictures"))),
      minutes_(spinBox(this, "timeLapseDuration", tr("Duration"), 1, 100000, 60, tr(" min"))),
      measurements_(new QCheckBox(tr("Burn in the measurements"), this)),
      movie_(new QCheckBox(tr("Make a movie at"), this)),
      movieRate_(
          spinBox(this, "timeLapseMovieRate", tr("Movie frame rate"), 1, 60, 10, tr(" frames/s"))) {
    setObjectName(QStringLiteral("TimeLapseSheet"));
    every_->setObjectName(QStringLiteral("timeLapseInterval"));
    every_->setAccessibleName(tr("Interval"));
    every_->setLocale(QLocale::c());  // numbers keep the point in every language
    every_->setRange(0.1, 100000.0);
    every_->setDecimals(1);
    every_->setValue(10.0);
    unit_->setObjectName(QStringLiteral("timeLapseUnit"));
    unit_->setAccessibleName(tr("Interval unit"));
    unit_->addItems({tr("seconds"), tr("minutes")});
    end_->setObjectName(QStringLiteral("timeLapseEnd"));
    end_->setAccessibleName(tr("Stop"));
    end_->addItems({tr("after"), tr("for"), tr("until stopped")});
    measurements_->setObjectName(QStringLiteral("timeLapseMeasurements"));
    measurements_->setChecked(true);
    movie_->setObjectName(QStringLiteral("timeLapseMovie"));
    auto* start = new QPushButton(tr("Start"), this);
    start->setObjectName(QStringLiteral("accentButton"));
    start->setDefault(true);

    auto* every = new QHBoxLayout;
    every->addWidget(every_);
    every->addWidget(unit_);
    auto* end = new QHBoxLayout;
    end->addWidget(end_);
    end->addWidget(count_);
    end->addWidget(minutes_);
    auto* movie = new QHBoxLayout;
    movie->addWidget(movie_);
    movie->addWidget(movieRate_);
    auto* form = new QFormLayout(this);
    form->addRow(tr("A snapshot every"), every);
    form->addRow(tr("Stop"), end);
    form->addRow(measurements_);
    form->addRow(movie);
    form->addRow(start);
    showEndFields();

    connect(end_, &QComboBox::currentIndexChanged, this, &TimeLapseSheet::showEndFields);
    connect(movie_, &QCheckBox::toggled, movieRate_, &QSpinBox::setEnabled);
    movieRate_->setEnabled(false);
    connect(start, &QPushButton::clicked, this, [this] {
        hide();
        emit startRequested(settings());
    });
}

void TimeLapseSheet::showEndFields() {
    count_->setVisible(end_->currentIndex() == AfterCount);
    minutes_->setVisible(end_->currentIndex() == AfterDuration);
}

void TimeLapseSheet::popUp(QWidget* anchor) {
    adjustSize();
    show();  // styled and laid out once shown: its size is final only then
    if (anchor)
        move(keptOnAnchorsScreen(*anchor, anchor->mapToGlobal(QPoint(0, anchor->height() + 6)),
                                 frameGeometry().size()));
}

TimeLapseSettings TimeLapseSheet::settings() const {
    using std::chrono::milliseconds;
    const double seconds = every_->value() * (unit_->currentIndex() == 1 ? 60.0 : 1.0);
    TimeLapseSettings s;
    s.plan.interval = milliseconds(std::llround(seconds * 1000.0));
    if (end_->currentIndex() == AfterCount) s.plan.count = count_->value();
    if (end_->currentIndex() == AfterDuration)
        s.plan.duration = std::chrono::minutes(minutes_->value());
    s.withMeasurements = measurements_->isChecked();
    s.movieFramesPerSecond = movie_->isChecked() ? movieRate_->value() : 0;
    return s;
}

}  // namespace lumetra

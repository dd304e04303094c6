#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QSpinBox>
#include <QToolButton>
#include <tuple>

#include "AppTestSupport.h"
#include "SnapshotTestSupport.h"
#include "app/SnapshotCapture.h"
#include "app/TimeLapseCapture.h"
#include "app/TimeLapseSheet.h"
#include "capture/recording/RecordingName.h"
#include "support/MovieReader.h"

using namespace lumetra;
using namespace lumetra::test;
using namespace std::chrono_literals;

// The window with a connected camera, its snapshots taken for real and its time-lapse
// on a clock the test moves (`now`).
class TimeLapseRun : public ::testing::Test {
protected:
    TimeLapseRun() {
        h.window->captureBar().setSnapshotSide(&snapshots);
        lapse.setClock([this] { return now; });
        h.connectCamera();
    }
    WindowHarness h;
    SnapshotCapture snapshots{h.window->captureBar(), h.settings(),
                              std::make_unique<SilentSounds>()};
    lumetra::TimeLapseCapture& lapse = h.window->captureBar().timeLapse();
    TimeLapseSchedule::Clock::time_point now{};
    QSignalSpy finished{&lapse, &lumetra::TimeLapseCapture::finished};
};

// The window's time-lapse on a clock the test drives: pictures come with the camera's
// frames when due, a frozen view and a dropout cost the picture due meanwhile, which is
// reported, and the movie of what was taken is read back.
TEST_F(TimeLapseRun, TakesDuePicturesCountsWhatAFreezeAndADropoutCostAndAssemblesTheMovie) {
    lapse.start({{10s, 4, 0s}, false, 5});

    h.frame();  // the first camera picture starts the schedule
    now += 4s;
    h.frame();  // not due yet
    now += 6s;
    h.frame();
    EXPECT_EQ(jpegNames(h.settings().getStrDocumentsPicture()).size(), 2u);
    const QLabel* progress = h.ui().capture.timeLapseProgress;
    EXPECT_TRUE(progress->isVisible());
    EXPECT_EQ(progress->text(), "Time-lapse: 2 taken, 2 to go, next in 10 s");

    // A frozen view shows no picture of the moment: none is taken.
    h.window->captureBar().setFrozen(true);
    now += 10s;
    h.frame();
    EXPECT_EQ(jpegNames(h.settings().getStrDocumentsPicture()).size(), 2u);
    h.window->captureBar().setFrozen(false);
    now += 15s;  // no camera picture until 35 s: the one due at 20 s is missed
    h.frame();
    lapse.start({{10s, 4, 0s}, false, 0});  // the movie is still being made
    EXPECT_EQ(h.alerts->alerts, QStringList{"The last time-lapse's movie is still being made; "
                                            "start the next one when it is saved."});
    ASSERT_TRUE(finished.wait(60000));
    EXPECT_FALSE(finished.at(0).at(0).toBool());
    const QString summary = finished.at(0).at(1).toString();
    EXPECT_TRUE(
        summary.startsWith("Time-lapse ended: 3 pictures taken, 1 picture missed (no new "
                           "camera picture in time). Movie saved to "))
        << summary;
    EXPECT_EQ(progress->text(), summary);
    EXPECT_FALSE(lapse.running());

    const std::vector<std::string> movies = fileNames(h.settings().getStrDocumentsVideo());
    ASSERT_EQ(movies.size(), 2u);  // the movie and its thumbnail
    const Movie movie = readMovie(h.settings().getStrDocumentsVideo() + movies[0]);
    EXPECT_EQ(movie.times.size(), 3u);
    EXPECT_NEAR(movie.duration, 0.6, 0.01);
}

TEST_F(TimeLapseRun, APictureThatCannotBeSavedEndsItAndSaysWhyAsDoesAMovieWithoutItsFolder) {
    lapse.start({{10s, 3, 0s}, true, 5});
    h.frame();
    std::filesystem::remove_all(h.settings().getStrDocumentsPicture());
    std::filesystem::remove_all(h.settings().getStrDocumentsVideo());
    now += 10s;
    h.frame();
    ASSERT_EQ(finished.count(), 1);
    EXPECT_FALSE(finished.at(0).at(0).toBool());
    const QString summary = finished.at(0).at(1).toString();
    EXPECT_TRUE(
        summary.startsWith("Time-lapse ended: 1 picture taken. A picture of the "
                           "time-lapse could not be saved. No movie: "))
        << summary;
    EXPECT_FALSE(lapse.running());
}

// Closing the window ends a time-lapse under way like its button; while the movie is
// assembled the window stays, says why, and closes once the movie is saved.
TEST_F(TimeLapseRun, ClosingMakesTheMovieAndWaitsForItSayingSo) {
    lapse.start({{10s, 3, 0s}, false, 5});
    h.frame();  // the first of three pictures
    EXPECT_FALSE(h.window->close());
    EXPECT_FALSE(lapse.running());
    EXPECT_TRUE(lapse.makingMovie());
    EXPECT_TRUE(h.window->isVisible());
    EXPECT_EQ(h.ui().txt_recording->text(),
              "Finishing the time-lapse's movie; the window closes when it is saved.");
    ASSERT_TRUE(finished.wait(60000));
    EXPECT_FALSE(h.window->isVisible());
    EXPECT_EQ(fileNames(h.settings().getStrDocumentsVideo()).size(), 2u)
        << "the movie and its thumbnail";
}

TEST(TimeLapseButton, TheButtonsPopoverStartsOneAndTheButtonStopsIt) {
    WindowHarness h;
    h.connectCamera();
    QToolButton* button = h.ui().capture.btTimeLapse;
    button->click();
    auto* sheet = h.window->findChild<TimeLapseSheet*>();
    ASSERT_TRUE(sheet && sheet->isVisible());
    sheet->findChild<QDoubleSpinBox*>("timeLapseInterval")->setValue(1.5);
    sheet->findChild<QComboBox*>("timeLapseUnit")->setCurrentIndex(1);  // minutes
    sheet->findChild<QSpinBox*>("timeLapseCount")->setValue(5);
    sheet->findChild<QCheckBox*>("timeLapseMeasurements")->setChecked(false);
    const TimeLapseSettings settings = sheet->settings();
    EXPECT_EQ(
        std::tuple(settings.plan.interval, settings.plan.count, settings.plan.duration,
                   settings.withMeasurements, settings.movieFramesPerSecond),
        std::tuple(std::chrono::milliseconds(90s), 5, std::chrono::milliseconds(0), false, 0));

    TimeLapseCapture& lapse = h.window->captureBar().timeLapse();
    QSignalSpy finished(&lapse, &TimeLapseCapture::finished);
    sheet->findChild<QPushButton*>("accentButton")->click();
    EXPECT_TRUE(lapse.running());
    EXPECT_FALSE(sheet->isVisible());
    EXPECT_EQ(imageOf(button), "timelapse_s");
    button->click();
    EXPECT_FALSE(lapse.running());
    ASSERT_EQ(finished.count(), 1);
    EXPECT_EQ(finished.at(0).at(1).toString(), "Time-lapse ended: 0 pictures taken.");
    EXPECT_EQ(imageOf(button), "timelapse");
}

TEST(TimeLapseButton, TheIntervalKeepsThePointUnderAGermanLocale) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const TimeLapseSheet sheet(nullptr);
    const QString shown = sheet.findChild<QDoubleSpinBox*>("timeLapseInterval")->text();
    QLocale::setDefault(before);
    EXPECT_EQ(shown, "10.0");
}

TEST(TimeLapseButton, ThePopoverUnderAButtonAtTheScreensEdgeStaysOnTheScreen) {
    QWidget anchor;
    anchor.resize(30, 30);
    const QRect area = anchor.screen()->availableGeometry();
    anchor.move(area.right() - 40, area.top());
    TimeLapseSheet sheet(nullptr);
    sheet.popUp(&anchor);
    EXPECT_TRUE(area.contains(sheet.frameGeometry()))
        << sheet.frameGeometry().x() << "+" << sheet.frameGeometry().width() << " beyond "
        << area.right();
}

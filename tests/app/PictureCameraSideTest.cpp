#include <gtest/gtest.h>

#include <QComboBox>
#include <QDropEvent>
#include <QImage>
#include <QLabel>
#include <QMimeData>
#include <QSignalSpy>
#include <QUrl>
#include <filesystem>
#include <fstream>

#include "AppTestSupport.h"
#include "app/AlbumPages.h"
#include "app/PictureCameraSide.h"
#include "app/ResultsPanel.h"
#include "app/SnapshotCapture.h"
#include "app/panels/AlbumPanel.h"
#include "app/panels/MeasureBar.h"
#include "image/JpegCodec.h"
#include "storage/StorageLayout.h"

using namespace lumetra;
using namespace lumetra::test;
namespace fs = std::filesystem;

namespace {

// A picture of 800 x 600 with a green-to-blue ramp across.
QImage ramp() {
    QImage image(800, 600, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) image.setPixel(x, y, qRgb(0, 255 - x / 4, x / 4));
    return image;
}

// The window with a picture side and a snapshot side attached.
class PictureCameraSideTest : public ::testing::Test {
protected:
    PictureCameraSideTest() {
        h.window->captureBar().setSnapshotSide(&capture);
        h.window->setPictureOpener([this](const QString& path) { side.openPicture(path); });
    }

    // Waits until the picture asked for shows or is refused; true when it shows.
    bool shows(const std::function<void()>& ask) {
        QSignalSpy shown(&side, &PictureCameraSide::pictureShown);
        QSignalSpy refused(&side, &PictureCameraSide::pictureRefused);
        ask();
        return QTest::qWaitFor([&] { return shown.count() + refused.count() > 0; }, 20000) &&
               shown.count() == 1;
    }
    bool open(const QString& path) {
        return shows([&] { h.window->openPicture(path); });
    }
    QString file(const char* name) const {
        return QString::fromStdString((dir.path() / name).string());
    }
    QString status() const { return h.ui().camera.cameraStatus->text(); }
    const ResultsTable& results() const { return h.window->resultsPanel().table(); }
    const MediaList& album() const { return h.window->albumPanel().oPicMutArray(); }

    WindowHarness h;
    TempDir dir;
    SnapshotCapture capture{h.window->captureBar(), h.settings(), std::make_unique<SilentSounds>()};
    PictureCameraSide side{*h.window};
};

}  // namespace

TEST_F(PictureCameraSideTest, APictureIsMeasuredAndASnapshotOfItReopensAsItWasMeasured) {
    ASSERT_TRUE(ramp().save(file("slide.png")));
    // Dropped on the window.
    QMimeData dropped;
    dropped.setUrls({QUrl::fromLocalFile(file("slide.png"))});
    ASSERT_TRUE(shows([&] {
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(h.window.get(), &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &dropped, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(h.window.get(), &drop);
    }));
    EXPECT_EQ(h.window->cameraMode(), CameraMode::Picture);
    EXPECT_EQ(status(), "Picture: slide.png");
    EXPECT_EQ(std::pair(h.window->laidOutWidth(), h.window->laidOutHeight()), std::pair(800, 600));

    // Measured in a calibration: the repeated picture takes the redraw path for the tool.
    h.window->calibrationCompleted({"Ref", 60.0f, "mm", 1.0f});
    h.ui().measure.toolButtons.at(kModeLine)->click();
    QTRY_VERIFY(h.view()->redrawing());
    click(h.view(), 100, 100);
    move(h.view(), 333.3, 171.7);
    click(h.view(), 333.3, 171.7);
    move(h.view(), 150, 300);
    click(h.view(), 150, 300);
    const ResultsTable taken = results();
    ASSERT_EQ(taken.rows.size(), 1u);

    // One album item, its clean copy beside it.
    h.ui().capture.btSnapshot->click();
    ASSERT_EQ(album().size(), 1u);
    const std::string snapshot = album().items().front().itemTitle;
    const std::string snapshotBytes = slurp(snapshot);
    ASSERT_TRUE(fs::exists(cleanCopyPath(snapshot)));

    // Another calibration and no shapes, then "Measure" (Enter) in the album.
    h.window->calibrationCompleted({"Other", 30.0f, "µm", 1.0f});
    h.window->measureBar().deleteShapes(true);  // none chosen: all of them
    ASSERT_TRUE(results().rows.empty());
    CNGridView& grid = h.window->albumPanel().albumPages().grid(MediaKind::Picture);
    grid.selectItem(0);
    ASSERT_TRUE(shows([&] { QTest::keyClick(&grid, Qt::Key_Return); }));
    EXPECT_EQ(status(), "Picture: " + QString::fromStdString(fs::path(snapshot).filename()));
    EXPECT_EQ(side.shownFile().toStdString(), cleanCopyPath(snapshot));
    EXPECT_EQ(results().header, taken.header);
    EXPECT_EQ(results().rows, taken.rows);
    EXPECT_EQ(h.window->calibration().strCalName(), "Ref");
    EXPECT_EQ(h.ui().calibration.CalComboBox->currentText(), "Ref") << "listed with these values";
    // The clean frame, without the line burnt in.
    const Frame& shown = h.view()->currentFrame();
    ASSERT_EQ(std::pair(shown.width, shown.height), std::pair(800, 600));
    EXPECT_LT(shown.row(600 - 1 - 160)[4 * 300 + 2], 40) << "no red where the line ran";

    // Shapes drawn on a view of another size are not placed on this one.
    const std::string sidecar = sidecarPath(snapshot);
    const std::string original = slurp(sidecar);
    std::string json = original;
    ASSERT_NE(json.find("950.0"), std::string::npos) << json;
    json.replace(json.find("950.0"), 5, "900.0");
    std::ofstream(sidecar, std::ios::binary | std::ios::trunc) << json;
    h.alerts->alerts.clear();
    ASSERT_TRUE(open(QString::fromStdString(snapshot)));
    EXPECT_TRUE(results().rows.empty());
    ASSERT_EQ(h.alerts->alerts.size(), 1);
    EXPECT_TRUE(h.alerts->alerts.front().contains("are not restored"));
    std::ofstream(sidecar, std::ios::binary | std::ios::trunc) << original;
    ASSERT_TRUE(open(QString::fromStdString(snapshot)));
    ASSERT_EQ(results().rows, taken.rows);

    // Measured again, it is a new snapshot; the first stays as it was.
    h.ui().capture.btSnapshot->click();
    ASSERT_EQ(album().size(), 2u);
    EXPECT_EQ(slurp(snapshot), snapshotBytes);

    // Without its clean copy the snapshot shows itself, and says why there are no shapes.
    fs::remove(cleanCopyPath(snapshot));
    ASSERT_TRUE(open(QString::fromStdString(snapshot)));
    EXPECT_TRUE(status().contains("burnt in")) << status();
    EXPECT_TRUE(results().rows.empty());

    // A camera connecting replaces the picture.
    h.connectCamera();
    EXPECT_TRUE(side.shownFile().isEmpty());
    EXPECT_EQ(h.window->cameraMode(), CameraMode::Usb);
}

TEST_F(PictureCameraSideTest, AFileThatCannotBeShownIsNamedWithTheReason) {
    ASSERT_TRUE(QImage(9000, 2, QImage::Format_RGB32).save(file("wide.png")));
    const std::vector<uint8_t> tall = encodeJpeg(Frame::allocate(8, 8200), 90);
    std::ofstream(file("tall.jpg").toStdString(), std::ios::binary)
        .write(reinterpret_cast<const char*>(tall.data()),
               static_cast<std::streamsize>(tall.size()));
    const std::vector<uint8_t> good = encodeJpeg(Frame::allocate(64, 64), 90);
    std::ofstream(file("cut.jpg").toStdString(), std::ios::binary)
        .write(reinterpret_cast<const char*>(good.data()),
               static_cast<std::streamsize>(good.size() / 2));
    std::ofstream(file("notes.jpg").toStdString()) << "not a picture";
    fs::create_directory(dir.path() / "folder.png");

    const std::pair<const char*, const char*> cases[] = {
        {"missing.png", "there is no such file"},
        {"folder.png", "it is not a file"},
        {"notes.jpg", "it is not a picture (JPEG, PNG, ...)"},
        {"wide.png", "the picture is 9000 x 2 pixels, more than 8192 on a side"},
        {"tall.jpg", "the picture is 8 x 8200 pixels, more than 8192 on a side"},
        {"cut.jpg", "the picture is damaged or incomplete"},
    };
    // The Open button asks for the file.
    side.setFileChooser([&] { return file("missing.png"); });
    EXPECT_FALSE(shows([&] { h.ui().camera.of(CameraKind::Picture).connect->click(); }));
    for (const auto& [name, why] : cases) {
        h.alerts->alerts.clear();
        EXPECT_FALSE(open(file(name))) << name;
        EXPECT_EQ(h.alerts->alerts, QStringList{QStringLiteral("Cannot open \"%1\": %2.")
                                                    .arg(QLatin1String(name), QLatin1String(why))});
    }
    EXPECT_EQ(h.window->cameraMode(), CameraMode::None);
    EXPECT_TRUE(side.shownFile().isEmpty());
}

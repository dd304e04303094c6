#include <gtest/gtest.h>

#include <QFile>
#include <QImage>

#include "app/FindScaleCommand.h"
#include "app/Images.h"
#include "app/LaunchOptions.h"
#include "image/JpegCodec.h"
#include "support/TempDir.h"
#include "tools/camsim/MicrometerSlide.h"

namespace lumetra {
namespace {

TEST(FindScaleCommand, AnswersTheDemoMicrometersPeriodOrWhyNot) {
    test::TempDir dir;
    const Frame slide = camsim::renderMicrometerSlide(1280, 720, 0, 7);
    const QString png = QString::fromStdString((dir.path() / "slide.png").string());
    ASSERT_TRUE(frameImage(slide).save(png));
    // The same picture as a JPEG, read by the project's own decoder.
    const QString jpeg = QString::fromStdString((dir.path() / "slide.jpg").string());
    const std::vector<uint8_t> bytes = encodeJpeg(slide, 92);
    QFile jpegFile(jpeg);
    ASSERT_TRUE(jpegFile.open(QIODevice::WriteOnly) &&
                jpegFile.write(reinterpret_cast<const char*>(bytes.data()),
                               static_cast<qint64>(bytes.size())) > 0);
    jpegFile.close();
    const camsim::ScaleGeometry g = camsim::scaleGeometry(1280, 720);
    const double y = g.baselineY - g.majorLength / 5.0;  // through the short ticks
    const QString line = QStringLiteral("%1,%2,%3,%2")
                             .arg(g.firstTickX - 4)
                             .arg(y)
                             .arg(g.firstTickX + 100 * g.spacing + 4);

    LaunchOptions options;
    ASSERT_TRUE(options.parse({"lumetra", "--find-scale", line, png}))
        << options.error().toStdString();
    ASSERT_TRUE(options.findScale);
    const CommandAnswer answer = findScaleCommand(*options.findScale, options.findScalePicture);
    ASSERT_EQ(answer.status, 0) << answer.err.toStdString();
    EXPECT_TRUE(answer.err.isEmpty());
    const QStringList fields = answer.out.trimmed().split(QLatin1Char(' '));
    ASSERT_EQ(fields.size(), 3) << answer.out.toStdString();
    EXPECT_NEAR(fields[0].section('=', 1).toDouble(), g.spacing, 2e-4 * g.spacing);
    EXPECT_TRUE(fields[0].startsWith("period_px=") && fields[1].startsWith("sigma_px="));
    EXPECT_EQ(fields[2], "ticks=101");
    const CommandAnswer fromJpeg = findScaleCommand(*options.findScale, jpeg);
    EXPECT_EQ(fromJpeg.status, 0) << fromJpeg.err.toStdString();
    EXPECT_TRUE(fromJpeg.out.endsWith(" ticks=101\n")) << fromJpeg.out.toStdString();

    // Above the scale, a file that is no picture, one that is not there.
    ScaleLine above;
    ASSERT_TRUE(parseScaleLine(QStringLiteral("200, 100, 1000, 100"), above));
    EXPECT_EQ(findScaleCommand(above, png).status, 1);
    const QString text = QString::fromStdString((dir.path() / "notes.png").string());
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("\xFF\xD8 not a picture") > 0);
    file.close();
    for (const QString& path : {text, png + "-missing"}) {
        const CommandAnswer refused = findScaleCommand(*options.findScale, path);
        EXPECT_EQ(refused.status, 1);
        EXPECT_TRUE(refused.out.isEmpty());
        EXPECT_TRUE(refused.err.contains(path)) << refused.err.toStdString();
    }

    for (const QStringList& bad : {QStringList{"lumetra", "--find-scale", "1,2,3", png},
                                   QStringList{"lumetra", "--find-scale", "1,2,3,x", png},
                                   QStringList{"lumetra", "--find-scale", line}}) {
        LaunchOptions refused;
        EXPECT_FALSE(refused.parse(bad));
        EXPECT_TRUE(refused.error().startsWith("--find-scale: "));
    }
}

}  // namespace
}  // namespace lumetra

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "capture/recording/RecordingName.h"
#include "capture/recording/TimeLapseMovie.h"
#include "image/JpegCodec.h"
#include "support/MovieReader.h"
#include "support/TempDir.h"

namespace lumetra {
namespace {

std::string writePicture(const std::filesystem::path& path, int width, int height, uint8_t grey) {
    Frame frame = Frame::allocate(width, height);
    std::memset(frame.data.get(), grey, frame.byteCount());
    const auto jpeg = encodeJpeg(frame, 90);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(jpeg.data()),
               static_cast<std::streamsize>(jpeg.size()));
    return path.string();
}

TEST(TimeLapseMovie, EachReadablePictureIsOneFrameAtTheChosenRate) {
    test::TempDir dir;
    const std::string broken = (dir.path() / "broken.jpg").string();
    std::ofstream(broken) << "not a picture";
    const std::vector<std::string> pictures = {
        writePicture(dir.path() / "1.jpg", 160, 120, 40), broken,
        writePicture(dir.path() / "2.jpg", 320, 240, 120),  // scaled into the first's size
        writePicture(dir.path() / "3.jpg", 160, 120, 220)};
    const std::string movie = (dir.path() / "lapse.mp4").string();
    const TimeLapseMovieResult result = assembleTimeLapseMovie(pictures, movie, 5);
    ASSERT_TRUE(result) << result.error;
    EXPECT_EQ(std::pair(result.frames, result.leftOut), std::pair(3, 1));
    EXPECT_TRUE(std::filesystem::exists(thumbnailPathOf(movie)));

    const test::Movie read = test::readMovie(movie);
    EXPECT_EQ(read.codec, AV_CODEC_ID_H264);
    EXPECT_EQ(std::pair(read.width, read.height), std::pair(160, 120));
    ASSERT_EQ(read.times.size(), 3u);
    for (size_t i = 0; i < 3; ++i) EXPECT_NEAR(read.times[i], 0.2 * double(i), 1e-6);
    EXPECT_NEAR(read.duration, 0.6, 0.01);
    EXPECT_NEAR(read.luma(80, 60), 220 * 219 / 255 + 16, 6);  // the last picture, video range
}

TEST(TimeLapseMovie, NoReadablePictureMeansNoMovieAndSaysSo) {
    test::TempDir dir;
    const std::string broken = (dir.path() / "broken.jpg").string();
    std::ofstream(broken) << "not a picture";
    const std::string movie = (dir.path() / "lapse.mp4").string();
    std::ofstream{movie};  // reserved
    const TimeLapseMovieResult result = assembleTimeLapseMovie({broken}, movie, 10);
    EXPECT_EQ(result.error,
              "None of the time-lapse's pictures could be read, so there is no movie.");
    EXPECT_FALSE(std::filesystem::exists(movie));
    EXPECT_FALSE(std::filesystem::exists(thumbnailPathOf(movie)));
}

TEST(TimeLapseMovie, AFailedMovieLeavesAThumbnailItDidNotWrite) {
    test::TempDir dir;
    const std::string movie = (dir.path() / "lapse.mp4").string();
    std::ofstream{movie};  // reserved
    // Someone else's file took the thumbnail's name after the reservation.
    std::ofstream(thumbnailPathOf(movie)) << "not ours";
    const TimeLapseMovieResult result =
        assembleTimeLapseMovie({writePicture(dir.path() / "1.jpg", 160, 120, 40)}, movie, 5);
    EXPECT_FALSE(result);
    EXPECT_FALSE(std::filesystem::exists(movie));
    EXPECT_EQ(test::slurp(thumbnailPathOf(movie)), "not ours");
}

}  // namespace
}  // namespace lumetra

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "camera/MultipartParser.h"

using namespace lumetra;

namespace {

struct Part {
    std::string mediaType;
    PartHeaders headers;
    std::string body;
};

class Recorder : public MultipartParser::Listener {
public:
    void partBegin(const PartHeaders& headers, const std::string& mediaType) override {
        parts.push_back({mediaType, headers, {}});
    }
    void partData(const uint8_t* data, size_t size) override {
        ASSERT_FALSE(parts.empty()) << "body bytes before any part start";
        parts.back().body.append(reinterpret_cast<const char*>(data), size);
    }
    std::vector<Part> parts;
};

PartHeaders multipartResponse() {
    PartHeaders h;
    h.add("Content-Type", "multipart/x-mixed-replace;boundary=frame");
    return h;
}

void feed(MultipartParser& p, const std::string& s) {
    p.feed(reinterpret_cast<const uint8_t*>(s.data()), s.size());
}

std::vector<Part> parseInSteps(const std::string& stream, size_t step,
                               const PartHeaders& response = multipartResponse()) {
    Recorder r;
    MultipartParser p(r, response);
    for (size_t i = 0; i < stream.size(); i += step) feed(p, stream.substr(i, step));
    return r.parts;
}

// Picture-like bytes with a NUL and near-misses of the delimiter.
const char kBinaryBytes[] = "\xFF\xD8 jpeg \r\n -- \r\n--fram \x00\xFF\xD9";
const std::string kBinary(kBinaryBytes, sizeof(kBinaryBytes) - 1);

const std::string kTwoParts = "--frame\r\nContent-Type: image/jpeg\r\nphoto_cnt: 3\r\n\r\n" +
                              kBinary +
                              "\r\n--frame\r\nContent-Type: text/plain\r\n\r\nhello\r\n--frame\r\n";

}  // namespace

TEST(MultipartContentType, MediaTypeAndBoundaryAreReadLeniently) {
    EXPECT_EQ(mediaTypeOf("Image/JPEG; q=1"), "image/jpeg");
    EXPECT_EQ(boundaryOf("multipart/x-mixed-replace;boundary=ffmpeg"), "ffmpeg");
    EXPECT_EQ(boundaryOf("Multipart/X-Mixed-Replace; charset=x; BOUNDARY=\"a b\""), "a b");
    EXPECT_FALSE(boundaryOf("image/jpeg;boundary=x"));
    EXPECT_FALSE(boundaryOf("multipart/x-mixed-replace"));
    EXPECT_FALSE(boundaryOf("multipart/x-mixed-replace;boundary="));
    PartHeaders h;
    h.add("photo_cnt", "7");
    EXPECT_EQ(h.value("PHOTO_CNT"), "7");
}

TEST(MultipartParsing, GivesHeadersMediaTypeAndBodyOfEachPartWhateverTheChunkSize) {
    for (size_t step : {1u, 2u, 3u, 7u, 10u, 11u, 64u, 1000u}) {
        const auto parts = parseInSteps(kTwoParts, step);
        ASSERT_EQ(parts.size(), 2u) << "step " << step;
        EXPECT_EQ(parts[0].mediaType, "image/jpeg");
        EXPECT_EQ(parts[0].headers.value("photo_cnt"), "3") << "step " << step;
        EXPECT_EQ(parts[0].body, kBinary) << "step " << step;
        EXPECT_EQ(parts[1].mediaType, "text/plain");
        EXPECT_EQ(parts[1].body, "hello") << "step " << step;
    }
}

TEST(MultipartParsing, HoldsBackOnlyBytesThatMayStartADelimiter) {
    Recorder r;
    MultipartParser p(r, multipartResponse());
    feed(p, "--frame\r\nContent-Type: image/jpeg\r\n\r\nabc\xFF\xD9\r\n");
    EXPECT_EQ(r.parts[0].body, "abc\xFF\xD9") << "the end of a picture is not held back";
    feed(p, "--fr");
    feed(p, "og\r\n--frame\r\n\r\n");
    ASSERT_EQ(r.parts.size(), 2u);
    EXPECT_EQ(r.parts[0].body, "abc\xFF\xD9\r\n--frog");
}

TEST(MultipartParsing, ToleratesMissingLineBreaksPreambleAndPaddingAndStopsAtTheClose) {
    const auto parts = parseInSteps(
        "junk\r\n--frame   \r\nContent-Type: image/jpeg\r\nno colon\r\n\r\nAB--frame\r\n\r\nCD\n"
        "--frame--\r\n--frame\r\nContent-Type: image/jpeg\r\n\r\nafter the end\r\n",
        4);
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0].body, "AB");
    EXPECT_EQ(parts[0].headers.fields().size(), 1u);
    EXPECT_EQ(parts[1].mediaType, "") << "a part without Content-Type";
    EXPECT_EQ(parts[1].body, "CD");
}

TEST(MultipartParsing, OversizedHeaderBlockAndGarbageAreSkippedUntilTheNextDelimiter) {
    std::string stream = "--frame\r\nX-Junk: " + std::string(MultipartParser::kMaxHeaderBlock, 'j');
    std::string junk(1 << 20, '\0');
    for (size_t i = 0; i < junk.size(); ++i) junk[i] = static_cast<char>((i * 131) % 251);
    stream += junk + "\r\n--frame\r\nContent-Type: image/jpeg\r\n\r\nkept\r\n--frame\r\n";
    const auto parts = parseInSteps(stream, 4096);
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_EQ(parts[0].body, "kept");
}

TEST(MultipartParsing, ResponseThatIsNotMultipartIsOnePartWithTheResponseHeaders) {
    PartHeaders response;
    response.add("Content-Type", "image/jpeg");
    response.add("photo_cnt", "2");
    const auto parts = parseInSteps("\xFF\xD8 whole picture \xFF\xD9", 4, response);
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_EQ(parts[0].mediaType, "image/jpeg");
    EXPECT_EQ(parts[0].headers.value("photo_cnt"), "2");
    EXPECT_EQ(parts[0].body, "\xFF\xD8 whole picture \xFF\xD9");
}

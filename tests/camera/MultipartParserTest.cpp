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
    std::vector<size_t> pieces;  // sizes of the data events
};

class Recorder : public MultipartParser::Listener {
public:
    void partBegin(const PartHeaders& headers, const std::string& mediaType) override {
        parts.push_back({mediaType, headers, {}, {}});
    }
    void partData(const uint8_t* data, size_t size) override {
        ASSERT_FALSE(parts.empty()) << "body bytes before any part start";
        parts.back().body.append(reinterpret_cast<const char*>(data), size);
        parts.back().pieces.push_back(size);
    }
    std::vector<Part> parts;
};

PartHeaders multipartResponse(const std::string& boundary = "frame") {
    PartHeaders h;
    h.add("Content-Type", "multipart/x-mixed-replace;boundary=" + boundary);
    return h;
}

void feed(MultipartParser& p, const std::string& s) {
    p.feed(reinterpret_cast<const uint8_t*>(s.data()), s.size());
}

// Feeds the text split at every given step size.
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

std::string twoParts() {
    return "--frame\r\nContent-Type: image/jpeg\r\nContent-Length: " +
           std::to_string(kBinary.size()) + "\r\nphoto_cnt: 3\r\n\r\n" + kBinary +
           "\r\n--frame\r\nContent-Type: text/plain\r\n\r\nhello\r\n--frame\r\n";
}

}  // namespace

// ---- Content-Type helpers ----

TEST(MultipartContentType, MediaTypeIsLowerCaseWithoutParameters) {
    EXPECT_EQ(mediaTypeOf("Image/JPEG; q=1"), "image/jpeg");
    EXPECT_EQ(mediaTypeOf("  image/jpeg  "), "image/jpeg");
    EXPECT_EQ(mediaTypeOf(""), "");
}

TEST(MultipartContentType, BoundaryIsFoundAmongParametersAndUnquoted) {
    EXPECT_EQ(boundaryOf("multipart/x-mixed-replace;boundary=ffmpeg"), "ffmpeg");
    EXPECT_EQ(boundaryOf("multipart/x-mixed-replace; charset=x; BOUNDARY=\"a b\""), "a b");
    EXPECT_EQ(boundaryOf("Multipart/X-Mixed-Replace;boundary=x;foo=bar"), "x");
}

TEST(MultipartContentType, NoBoundaryForOtherTypesOrEmptyValues) {
    EXPECT_FALSE(boundaryOf("image/jpeg;boundary=x"));
    EXPECT_FALSE(boundaryOf("multipart/x-mixed-replace"));
    EXPECT_FALSE(boundaryOf("multipart/x-mixed-replace;boundary="));
    EXPECT_FALSE(boundaryOf("multipart/x-mixed-replace;boundary=" + std::string(201, 'b')));
}

TEST(PartHeadersLookup, NamesCompareCaseInsensitively) {
    PartHeaders h;
    h.add("photo_cnt", "7");
    h.add("Content-Type", "image/jpeg");
    EXPECT_EQ(h.value("PHOTO_CNT"), "7");
    EXPECT_EQ(h.value("content-type"), "image/jpeg");
    EXPECT_FALSE(h.value("Content-Length"));
}

// ---- Splitting a stream into parts ----

TEST(MultipartParsing, ReportsHeadersAndMediaTypeBeforeTheBodyOfEachPart) {
    const auto parts = parseInSteps(twoParts(), twoParts().size());
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0].mediaType, "image/jpeg");
    EXPECT_EQ(parts[0].headers.value("photo_cnt"), "3");
    EXPECT_EQ(parts[0].body, kBinary);
    EXPECT_EQ(parts[1].mediaType, "text/plain");
    EXPECT_EQ(parts[1].body, "hello");
}

TEST(MultipartParsing, GivesTheSamePartsWhateverTheChunkSize) {
    const std::string stream = twoParts();
    for (size_t step : {1u, 2u, 3u, 7u, 9u, 10u, 11u, 64u}) {
        const auto parts = parseInSteps(stream, step);
        ASSERT_EQ(parts.size(), 2u) << "step " << step;
        EXPECT_EQ(parts[0].body, kBinary) << "step " << step;
        EXPECT_EQ(parts[0].headers.value("photo_cnt"), "3") << "step " << step;
        EXPECT_EQ(parts[1].body, "hello") << "step " << step;
    }
}

TEST(MultipartParsing, PassesTheEndOfAPictureOnWithoutWaitingForTheNextPart) {
    Recorder r;
    MultipartParser p(r, multipartResponse());
    feed(p, "--frame\r\nContent-Type: image/jpeg\r\n\r\nabc\xFF\xD9\r\n");
    ASSERT_EQ(r.parts.size(), 1u);
    // Only the line break, which may begin the next delimiter, is held back.
    EXPECT_EQ(r.parts[0].body, "abc\xFF\xD9");
}

TEST(MultipartParsing, BodyBytesThatOnlyLookLikeADelimiterStartArePassedOnLater) {
    Recorder r;
    MultipartParser p(r, multipartResponse());
    feed(p, "--frame\r\nContent-Type: image/jpeg\r\n\r\nab\r\n--fr");
    EXPECT_EQ(r.parts[0].body, "ab");
    feed(p, "og\r\n--frame\r\n\r\n");
    ASSERT_EQ(r.parts.size(), 2u);
    EXPECT_EQ(r.parts[0].body, "ab\r\n--frog");
}

TEST(MultipartParsing, ToleratesADelimiterWithoutALineBreakBeforeIt) {
    const auto parts = parseInSteps(
        "--frame\r\nContent-Type: image/jpeg\r\n\r\nAB--frame\r\nContent-Type: "
        "image/jpeg\r\n\r\nCD\n--frame\r\n",
        4);
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0].body, "AB");
    EXPECT_EQ(parts[1].body, "CD");
}

TEST(MultipartParsing, SkipsPreambleAndTransportPaddingAndStopsAtTheCloseDelimiter) {
    const auto parts = parseInSteps(
        "junk before\r\n--frame   \r\nContent-Type: image/jpeg\r\n\r\nX\r\n--frame--\r\n"
        "--frame\r\nContent-Type: image/jpeg\r\n\r\nafter the end\r\n",
        5);
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_EQ(parts[0].body, "X");
}

TEST(MultipartParsing, PartWithoutContentTypeHasAnEmptyMediaTypeAndMalformedLinesAreSkipped) {
    const auto parts =
        parseInSteps("--frame\r\nno colon here\r\nphoto_cnt: 9\r\n\r\nbody\r\n--frame\r\n", 3);
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_EQ(parts[0].mediaType, "");
    EXPECT_EQ(parts[0].headers.value("photo_cnt"), "9");
    EXPECT_EQ(parts[0].headers.fields().size(), 1u);
}

TEST(MultipartParsing, OversizedHeaderBlockIsSkippedUntilTheNextDelimiter) {
    std::string stream = "--frame\r\nContent-Type: image/jpeg\r\nX-Junk: ";
    stream += std::string(MultipartParser::kMaxHeaderBlock + 10, 'j');
    stream += "\r\n\r\nlost\r\n--frame\r\nContent-Type: image/jpeg\r\n\r\nkept\r\n--frame\r\n";
    const auto parts = parseInSteps(stream, 1000);
    ASSERT_EQ(parts.size(), 1u);
    EXPECT_EQ(parts[0].body, "kept");
}

TEST(MultipartParsing, GarbageWithoutDelimiterYieldsNothingAndHoldsLittle) {
    Recorder r;
    MultipartParser p(r, multipartResponse());
    std::string junk(1 << 20, '\0');
    for (size_t i = 0; i < junk.size(); ++i) junk[i] = static_cast<char>((i * 131) % 251);
    for (int i = 0; i < 20; ++i) feed(p, junk);
    EXPECT_TRUE(r.parts.empty());
    // The stream recovers as soon as a delimiter comes.
    feed(p, "\r\n--frame\r\nContent-Type: image/jpeg\r\n\r\nok\r\n--frame\r\n");
    ASSERT_EQ(r.parts.size(), 1u);
    EXPECT_EQ(r.parts[0].body, "ok");
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

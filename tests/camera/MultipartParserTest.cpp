#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "camera/MultipartParser.h"

using namespace lumetra;
using namespace std::string_literals;
using Parts = std::vector<std::string>;

namespace {

PartHeaders responseOfType(const std::string& contentType) {
    PartHeaders h;
    h.add("Content-Type", contentType);
    return h;
}

// A parser that writes down each part it reports as "<media type>[<photo_cnt>]<body>".
class Parsed : public MultipartParser::Listener {
public:
    explicit Parsed(
        PartHeaders response = responseOfType("multipart/x-mixed-replace;boundary=frame"))
        : parser_(*this, std::move(response)) {}
    // Feeds the stream in pieces of `step` bytes.
    Parsed& feed(const std::string& stream, size_t step = 1 << 20) {
        for (size_t i = 0; i < stream.size(); i += step) {
            const std::string piece = stream.substr(i, step);
            parser_.feed(reinterpret_cast<const uint8_t*>(piece.data()), piece.size());
        }
        return *this;
    }
    void partBegin(const PartHeaders& headers, const std::string& mediaType) override {
        parts.push_back(mediaType + "[" + std::string(headers.value("photo_cnt").value_or("")) +
                        "]");
    }
    void partData(const uint8_t* data, size_t size) override {
        ASSERT_FALSE(parts.empty()) << "body bytes before any part start";
        parts.back().append(reinterpret_cast<const char*>(data), size);
    }
    Parts parts;

private:
    MultipartParser parser_;
};

}  // namespace

TEST(MultipartContentType, MediaTypeAndBoundaryAreReadLeniently) {
    EXPECT_EQ(mediaTypeOf("Image/JPEG; q=1"), "image/jpeg");
    EXPECT_EQ(boundaryOf("multipart/x-mixed-replace;boundary=ffmpeg"), "ffmpeg");
    EXPECT_EQ(boundaryOf("Multipart/X-Mixed-Replace; charset=x; BOUNDARY=\"a b\""), "a b");
    for (const char* bad : {"image/jpeg;boundary=x", "multipart/x-mixed-replace;boundary="})
        EXPECT_FALSE(boundaryOf(bad)) << bad;
    PartHeaders h;
    h.add("photo_cnt", "7");
    EXPECT_EQ(h.value("PHOTO_CNT"), "7");
}

TEST(MultipartParsing, GivesHeadersMediaTypeAndBodyOfEachPartWhateverTheChunkSize) {
    // Picture-like bytes with a NUL and near-misses of the delimiter.
    const std::string binary = "\xFF\xD8 jpeg \r\n -- \r\n--fram \x00\xFF\xD9"s;
    const std::string stream = "--frame\r\nContent-Type: image/jpeg\r\nphoto_cnt: 3\r\n\r\n" +
                               binary + "\r\n--frame\r\nContent-Type: text/plain\r\n\r\nhello\r\n";
    for (size_t step : {1u, 2u, 3u, 7u, 10u, 11u, 64u, 1000u})
        EXPECT_EQ(Parsed().feed(stream + "--frame\r\n", step).parts,
                  (Parts{"image/jpeg[3]" + binary, "text/plain[]hello"}))
            << "step " << step;
}

TEST(MultipartParsing, HoldsBackOnlyBytesThatMayStartADelimiter) {
    Parsed p;
    p.feed("--frame\r\nContent-Type: image/jpeg\r\n\r\nabc\xFF\xD9\r\n");
    EXPECT_EQ(p.parts, Parts{"image/jpeg[]abc\xFF\xD9"}) << "the end of a picture is not held back";
    p.feed("--fr").feed("og\r\n--frame\r\n\r\n");
    EXPECT_EQ(p.parts, (Parts{"image/jpeg[]abc\xFF\xD9\r\n--frog", "[]"}));
}

TEST(MultipartParsing, SurvivesHostileFramingAndStopsAtTheClose) {
    // Preamble, padding after a delimiter, a header line without a colon, missing line
    // breaks before delimiters, a header block past the limit followed by 1 MiB of junk.
    std::string junk(1 << 20, '\0');
    for (size_t i = 0; i < junk.size(); ++i) junk[i] = static_cast<char>((i * 131) % 251);
    const std::string stream =
        "junk\r\n--frame   \r\nContent-Type: image/jpeg\r\nno colon\r\n\r\nAB--frame\r\n\r\nCD\n"
        "--frame\r\nX-Junk: " +
        std::string(MultipartParser::kMaxHeaderBlock, 'j') + junk +
        "\r\n--frame\r\n\r\nEF\r\n--frame--\r\n--frame\r\n\r\nafter the end\r\n";
    EXPECT_EQ(Parsed().feed(stream, 5).parts, (Parts{"image/jpeg[]AB", "[]CD", "[]EF"}));
}

TEST(MultipartParsing, ResponseThatIsNotMultipartIsOnePartWithTheResponseHeaders) {
    PartHeaders response = responseOfType("image/jpeg");
    response.add("photo_cnt", "2");
    EXPECT_EQ(Parsed(response).feed("\xFF\xD8 picture \xFF\xD9", 4).parts,
              Parts{"image/jpeg[2]\xFF\xD8 picture \xFF\xD9"});
}

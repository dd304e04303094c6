#pragma once
// Encodes a BGRA picture into JPEG a band of rows at a time, so a picture can be
// encoded while its later rows are still being made. The bytes are the ones
// encodeJpeg gives for the same picture and quality (4:2:0, the same transform),
// with an optional comment (COM segment) right after the JFIF header, and they
// grow in one buffer that finish() hands over without a copy.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace lumetra {

class JpegRowEncoder {
public:
    // A picture of width x height pixels at quality 1..100. An empty comment
    // writes no comment segment; a long one is cut as kMaxJpegComment says.
    JpegRowEncoder(int width, int height, int quality, std::string_view comment = {});
    ~JpegRowEncoder();
    JpegRowEncoder(const JpegRowEncoder&) = delete;
    JpegRowEncoder& operator=(const JpegRowEncoder&) = delete;

    // Encodes the next `count` rows, `stride` bytes apart. False once encoding
    // has failed (bad size, no memory, more rows than the picture has).
    bool writeRows(const uint8_t* rows, int count, int stride);

    // The JPEG once all rows were written; empty when encoding failed or rows
    // are missing.
    std::vector<uint8_t> finish();

    int rowsWritten() const;
    bool failed() const;

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace lumetra

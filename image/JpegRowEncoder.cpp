#include "image/JpegRowEncoder.h"

// clang-format off: jpeglib.h needs the size types declared first.
#include <jpeglib.h>

#include <cstdio>
// clang-format on

#include <algorithm>
#include <csetjmp>
#include <new>

#include "image/JpegComment.h"

namespace lumetra {

// libjpeg reports errors by calling error_exit, which must not return: it jumps
// back into the call that failed, which then marks the encoder failed.
struct JpegRowEncoder::State {
    jpeg_compress_struct info{};
    jpeg_error_mgr errors{};
    jpeg_destination_mgr destination{};
    std::jmp_buf failure{};
    std::vector<uint8_t> bytes;
    bool started = false;
    bool failed = false;

    static void errorExit(j_common_ptr info) {
        auto* self = static_cast<State*>(info->client_data);
        std::longjmp(self->failure, 1);
    }
    static void silent(j_common_ptr) {}

    // The output grows in `bytes`; libjpeg fills the part after what it has written.
    static void initDestination(j_compress_ptr info) {
        auto* self = static_cast<State*>(info->client_data);
        self->bytes.resize(std::max<size_t>(self->bytes.size(), 64 * 1024));
        info->dest->next_output_byte = self->bytes.data();
        info->dest->free_in_buffer = self->bytes.size();
    }
    static boolean emptyOutput(j_compress_ptr info) {
        auto* self = static_cast<State*>(info->client_data);
        const size_t used = self->bytes.size();
        bool grown = true;
        try {
            self->bytes.resize(used * 2);
        } catch (const std::bad_alloc&) {
            grown = false;
        }
        if (!grown) errorExit(reinterpret_cast<j_common_ptr>(info));
        info->dest->next_output_byte = self->bytes.data() + used;
        info->dest->free_in_buffer = self->bytes.size() - used;
        return TRUE;
    }
    static void termDestination(j_compress_ptr info) {
        auto* self = static_cast<State*>(info->client_data);
        self->bytes.resize(self->bytes.size() - info->dest->free_in_buffer);
    }
};

JpegRowEncoder::JpegRowEncoder(int width, int height, int quality, std::string_view comment)
    : state_(std::make_unique<State>()) {
    State& s = *state_;
    s.info.err = jpeg_std_error(&s.errors);
    s.errors.error_exit = &State::errorExit;
    s.errors.output_message = &State::silent;
    s.info.client_data = &s;
    if (width <= 0 || height <= 0) {
        s.failed = true;
        return;
    }
    if (setjmp(s.failure)) {
        s.failed = true;
        return;
    }
    jpeg_create_compress(&s.info);
    s.started = true;
    s.destination.init_destination = &State::initDestination;
    s.destination.empty_output_buffer = &State::emptyOutput;
    s.destination.term_destination = &State::termDestination;
    s.info.dest = &s.destination;
    // A first guess at the size (a quality-90 picture takes about half a byte a pixel);
    // beyond it the buffer doubles, a failure to grow being an encoding failure.
    constexpr size_t kFirstGuessLimit = size_t{8} << 20;
    s.bytes.resize(
        std::min(static_cast<size_t>(width) * static_cast<size_t>(height) / 2, kFirstGuessLimit) +
        4096);
    s.info.image_width = static_cast<JDIMENSION>(width);
    s.info.image_height = static_cast<JDIMENSION>(height);
    s.info.input_components = 4;
    s.info.in_color_space = JCS_EXT_BGRA;
    jpeg_set_defaults(&s.info);
    const int q = std::clamp(quality, 1, 100);
    jpeg_set_quality(&s.info, q, TRUE);
    s.info.dct_method = JDCT_ISLOW;  // the accurate transform, as encodeJpeg takes
    jpeg_set_colorspace(&s.info, JCS_YCbCr);
    jpeg_start_compress(&s.info, TRUE);
    const std::string_view text = fittedJpegComment(comment);
    if (!text.empty())
        jpeg_write_marker(&s.info, JPEG_COM, reinterpret_cast<const JOCTET*>(text.data()),
                          static_cast<unsigned int>(text.size()));
}

JpegRowEncoder::~JpegRowEncoder() {
    if (state_->started) jpeg_destroy_compress(&state_->info);
}

bool JpegRowEncoder::writeRows(const uint8_t* rows, int count, int stride) {
    State& s = *state_;
    if (s.failed) return false;
    if (count < 0 || !rows || stride <= 0 ||
        static_cast<JDIMENSION>(count) > s.info.image_height - s.info.next_scanline) {
        s.failed = true;
        return false;
    }
    if (setjmp(s.failure)) {
        s.failed = true;
        return false;
    }
    JSAMPROW pointers[16];
    int done = 0;
    while (done < count) {
        const int batch = std::min(count - done, 16);
        for (int i = 0; i < batch; ++i)
            pointers[i] = const_cast<JSAMPROW>(rows + static_cast<ptrdiff_t>(done + i) * stride);
        done += static_cast<int>(
            jpeg_write_scanlines(&s.info, pointers, static_cast<JDIMENSION>(batch)));
    }
    return true;
}

std::vector<uint8_t> JpegRowEncoder::finish() {
    State& s = *state_;
    if (s.failed || s.info.next_scanline != s.info.image_height) {
        s.failed = true;
        return {};
    }
    if (setjmp(s.failure)) {
        s.failed = true;
        return {};
    }
    jpeg_finish_compress(&s.info);
    return std::move(s.bytes);
}

int JpegRowEncoder::rowsWritten() const { return static_cast<int>(state_->info.next_scanline); }

bool JpegRowEncoder::failed() const { return state_->failed; }

}  // namespace lumetra

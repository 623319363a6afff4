#include "document/files/jpeg_file_source.h"

#include <unistd.h>

#include <jerror.h>
#include <cerrno>

namespace kreslix {
namespace {

constexpr std::size_t kBufferBytes = 64 * 1024;

// Plain data only: libjpeg may leave any of the functions below by longjmp.
struct FileSource {
    jpeg_source_mgr base;  // first member: libjpeg passes a pointer to it
    int descriptor;
    JOCTET* buffer;
    bool anyRead;
    bool readFailed;
    std::size_t bytesRead;  // from the file so far
};

FileSource* sourceOf(j_decompress_ptr cinfo) {
    return reinterpret_cast<FileSource*>(cinfo->src);
}

void initSource(j_decompress_ptr) {}
void termSource(j_decompress_ptr) {}

boolean fillInputBuffer(j_decompress_ptr cinfo) {
    FileSource* source = sourceOf(cinfo);
    ssize_t got;
    do {
        got = ::read(source->descriptor, source->buffer, kBufferBytes);
    } while (got < 0 && errno == EINTR);
    if (got < 0) {
        source->readFailed = true;
        ERREXIT(cinfo, JERR_FILE_READ);
    }
    if (got == 0) {
        if (!source->anyRead)
            ERREXIT(cinfo, JERR_INPUT_EMPTY);
        WARNMS(cinfo, JWRN_JPEG_EOF);
        static const JOCTET kEndMarker[] = {0xFF, JPEG_EOI};
        source->base.next_input_byte = kEndMarker;
        source->base.bytes_in_buffer = sizeof kEndMarker;
        return TRUE;
    }
    source->anyRead = true;
    source->bytesRead += std::size_t(got);
    source->base.next_input_byte = source->buffer;
    source->base.bytes_in_buffer = std::size_t(got);
    return TRUE;
}

void skipInputData(j_decompress_ptr cinfo, long count) {
    jpeg_source_mgr* source = cinfo->src;
    if (count <= 0)
        return;
    while (std::size_t(count) > source->bytes_in_buffer) {
        count -= long(source->bytes_in_buffer);
        fillInputBuffer(cinfo);
    }
    source->next_input_byte += count;
    source->bytes_in_buffer -= std::size_t(count);
}

}  // namespace

void useJpegFileSource(j_decompress_ptr cinfo, int descriptor) {
    auto* source = static_cast<FileSource*>((*cinfo->mem->alloc_small)(
        reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, sizeof(FileSource)));
    source->buffer = static_cast<JOCTET*>((*cinfo->mem->alloc_large)(
        reinterpret_cast<j_common_ptr>(cinfo), JPOOL_PERMANENT, kBufferBytes));
    source->descriptor = descriptor;
    source->anyRead = false;
    source->readFailed = false;
    source->bytesRead = 0;
    source->base.init_source = initSource;
    source->base.fill_input_buffer = fillInputBuffer;
    source->base.skip_input_data = skipInputData;
    source->base.resync_to_restart = jpeg_resync_to_restart;
    source->base.term_source = termSource;
    source->base.next_input_byte = nullptr;
    source->base.bytes_in_buffer = 0;
    cinfo->src = &source->base;
}

std::size_t jpegFileBytesConsumed(j_decompress_ptr cinfo) {
    const FileSource* source = sourceOf(cinfo);
    // The made-up end marker is in the buffer without having been read from the file.
    return source->base.bytes_in_buffer > source->bytesRead
               ? source->bytesRead
               : source->bytesRead - source->base.bytes_in_buffer;
}

bool jpegFileReadFailed(j_decompress_ptr cinfo) {
    return cinfo->src && sourceOf(cinfo)->readFailed;
}

}  // namespace kreslix

#include "document/files/jpeg_decoder.h"

#include <sys/mman.h>
#include <sys/stat.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <system_error>
#include <thread>
// jpeglib.h needs FILE and size_t declared before it.
#include <jerror.h>
#include <jpeglib.h>

#include <QImage>
#include <QString>

#include "common/error.h"
#include "document/files/jpeg_file_source.h"
#include "document/files/jpeg_pixels.h"
#include "document/files/picture_size.h"

namespace kreslix {
namespace {

// Everything below that libjpeg can leave by longjmp holds only plain data: no destructor is ever
// skipped. C++ objects live in the callers, and exceptions are raised only after the
// decompressor is destroyed.

struct ErrorManager {
    jpeg_error_mgr base;  // first member: libjpeg passes a pointer to it
    std::jmp_buf jump;
};

// Real progressive files have a dozen scans; a crafted one with thousands would make decoding
// take minutes, each scan passing over the whole picture again.
constexpr int kMaxScans = 256;

void limitScans(j_common_ptr cinfo) {
    auto* decompress = reinterpret_cast<j_decompress_ptr>(cinfo);
    if (decompress->input_scan_number > kMaxScans)
        ERREXIT1(cinfo, JERR_BAD_SCAN_SCRIPT, kMaxScans);
}

void leaveOnError(j_common_ptr cinfo) {
    auto* manager = reinterpret_cast<ErrorManager*>(cinfo->err);
    std::longjmp(manager->jump, 1);
}

// Warnings (corrupt data that the library can still decode) are ignored, and nothing is printed.
void ignoreMessage(j_common_ptr, int) {}
void printNothing(j_common_ptr) {}

// Makes the picture once the header has given its size and the bytes the library will keep
// besides it; returns its first scanline, or null to stop the decoding. Must not throw.
using AllocateFunction = uchar* (*)(void* context, JDIMENSION width, JDIMENSION height,
                                    qint64 decoderBytes, qsizetype* bytesPerLine) noexcept;

enum class Outcome { Decoded, LibraryError, Refused, Stopped };

struct DecodeJob {
    const unsigned char* data = nullptr;
    std::size_t size = 0;
    int descriptor = -1;      // read from this open file instead of data when not negative
    bool readFailed = false;  // the file could not be read, after a LibraryError
    bool headerOnly = false;
    AllocateFunction allocate = nullptr;
    void* context = nullptr;
    qint64 memoryLimit = 0;  // bytes for the picture and the library's own memory together
    int components = 0;      // filled in from the header
    int errorCode = 0;       // the library's message code after a LibraryError
    WorkProgress* progress = nullptr;  // told how far the decoding is, asked whether to stop
    std::size_t fileSize = 0;          // of the file read from the descriptor
    double reported = -1;              // the last fraction told
    bool stopped = false;              // the decoding ended on a stop request
};

// libjpeg calls this with its own progress record: ours holds the job it belongs to.
struct ProgressMonitor {
    jpeg_progress_mgr base;  // first member: libjpeg passes a pointer to it
    DecodeJob* job;
};

// How far the decoding is: half for the bytes of the file taken in, half for the rows given out.
// A progressive file is taken in whole, scan by scan, before its first row is given out; a
// baseline one moves both halves together.
double decodedFraction(j_decompress_ptr cinfo, const DecodeJob& job) {
    const std::size_t total = job.descriptor >= 0 ? job.fileSize : job.size;
    std::size_t consumed = 0;
    if (job.descriptor >= 0) {
        consumed = jpegFileBytesConsumed(cinfo);
    } else if (cinfo->src) {
        consumed = job.size - std::min(job.size, cinfo->src->bytes_in_buffer);
    }
    const double input = total > 0 ? std::min(1.0, double(consumed) / double(total)) : 0;
    const double output =
        cinfo->output_height > 0 ? double(cinfo->output_scanline) / cinfo->output_height : 0;
    return (input + output) / 2;
}

// From this size on, a stopped decoding gives its memory back on a thread of its own.
constexpr qint64 kBackgroundReleasePixels = qint64(1) << 24;

// A decoding stopped by the user may hold gigabytes of coefficients, and giving them back page
// by page takes longer than anyone should wait after asking for a stop: a thread of its own does
// it. The library's memory belongs to the record alone, so a copy of the record frees it all.
void releaseInBackground(const jpeg_decompress_struct& cinfo) {
    static jpeg_error_mgr quiet;  // freeing reports nothing; set once, read only
    static jpeg_error_mgr* const errors = jpeg_std_error(&quiet);
    auto* kept = new jpeg_decompress_struct(cinfo);
    kept->err = errors;
    kept->progress = nullptr;
    try {
        std::thread([kept] {
            jpeg_destroy_decompress(kept);
            delete kept;
        }).detach();
    } catch (const std::system_error&) {
        jpeg_destroy_decompress(kept);
        delete kept;
    }
}

// Called by the library for every MCU row it takes in (every scan of a progressive file) and
// every row it gives out: limits the scans, tells the progress and leaves on a stop request.
void monitorProgress(j_common_ptr cinfo) {
    limitScans(cinfo);
    DecodeJob& job = *reinterpret_cast<ProgressMonitor*>(cinfo->progress)->job;
    if (!job.progress)
        return;
    if (job.progress->stopRequested()) {
        job.stopped = true;
        std::longjmp(reinterpret_cast<ErrorManager*>(cinfo->err)->jump, 1);
    }
    const double fraction = decodedFraction(reinterpret_cast<j_decompress_ptr>(cinfo), job);
    if (fraction > job.reported) {
        job.reported = fraction;
        job.progress->report(fraction);
    }
}

// Picture pixels in memory order blue, green, red, alpha; alpha is set to 0xFF as Format_RGB32
// needs (the X variants leave that byte undefined).
constexpr J_COLOR_SPACE kRgb32Space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRA : JCS_EXT_ARGB;

enum class OutputKind { Rgb32, QuantisedGrey, Cmyk };

OutputKind chooseOutput(j_decompress_ptr cinfo) {
    cinfo->scale_num = 1;
    cinfo->scale_denom = 1;
    cinfo->do_block_smoothing = TRUE;
    switch (cinfo->jpeg_color_space) {
        case JCS_GRAYSCALE:
            cinfo->out_color_space = JCS_GRAYSCALE;
            cinfo->quantize_colors = TRUE;
            cinfo->desired_number_of_colors = 236;
            cinfo->two_pass_quantize = FALSE;
            cinfo->dither_mode = JDITHER_FS;
            return OutputKind::QuantisedGrey;
        case JCS_CMYK:
        case JCS_YCCK:
            cinfo->out_color_space = JCS_CMYK;  // the library turns YCCK into CMYK
            return OutputKind::Cmyk;
        default:
            cinfo->out_color_space = kRgb32Space;
            return OutputKind::Rgb32;
    }
}

// Colour output: the library writes the picture's scanlines itself, several per call.
void readRgb32Rows(j_decompress_ptr cinfo, uchar* first, qsizetype bytesPerLine) {
    constexpr JDIMENSION kRowsPerCall = 16;
    JSAMPROW rows[kRowsPerCall];
    while (cinfo->output_scanline < cinfo->output_height) {
        const JDIMENSION top = cinfo->output_scanline;
        const JDIMENSION count = std::min(kRowsPerCall, cinfo->output_height - top);
        for (JDIMENSION i = 0; i < count; ++i)
            rows[i] = first + (top + i) * bytesPerLine;
        // A memory source never suspends; should no row come, jpeg_finish_decompress reports it.
        if (jpeg_read_scanlines(cinfo, rows, count) == 0)
            break;
    }
}

// Grey and CMYK output: one row at a time through a buffer of the library's own memory pool,
// which jpeg_destroy_decompress frees whatever happens.
void readConvertedRows(j_decompress_ptr cinfo, OutputKind kind, uchar* first,
                       qsizetype bytesPerLine) {
    const JDIMENSION rowBytes = cinfo->output_width * cinfo->output_components;
    JSAMPARRAY buffer = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo),
                                                    JPOOL_IMAGE, rowBytes, 1);
    const bool inverted = cinfo->saw_Adobe_marker;
    while (cinfo->output_scanline < cinfo->output_height) {
        const JDIMENSION y = cinfo->output_scanline;
        if (jpeg_read_scanlines(cinfo, buffer, 1) != 1)
            break;
        auto* out = reinterpret_cast<quint32*>(first + y * bytesPerLine);
        if (kind == OutputKind::Cmyk) {
            cmykToRgb32(buffer[0], cinfo->output_width, inverted, out);
        } else {
            greyIndicesToRgb32(buffer[0], cinfo->output_width, cinfo->colormap[0], out);
        }
    }
}

qint64 roundedUp(qint64 value, qint64 step) {
    return (value + step - 1) / step * step;
}

// A file of several scans (progressive, or one scan per component) is decoded from coefficient
// arrays of the whole image that the library keeps beside the picture: 64 two-byte coefficients
// for each 8 × 8 block of each component, its blocks rounded up to whole sampling units. For a
// colour photograph that is three quarters of the picture's memory (chroma sampled 2 × 2) to
// one and a half times it (no sampling). Other files need a few rows at a time.
qint64 wholeImageCoefficientBytes(j_decompress_ptr cinfo) {
    if (!cinfo->progressive_mode && cinfo->comps_in_scan >= cinfo->num_components)
        return 0;
    qint64 bytes = 0;
    for (int i = 0; i < cinfo->num_components; ++i) {
        const jpeg_component_info& component = cinfo->comp_info[i];
        bytes += roundedUp(component.width_in_blocks, component.h_samp_factor) *
                 roundedUp(component.height_in_blocks, component.v_samp_factor) *
                 qint64(sizeof(JBLOCK));
    }
    return bytes;
}

// The decoding steps after the header. Returns false when the picture could not be made.
bool decodeImage(j_decompress_ptr cinfo, DecodeJob* job) {
    const OutputKind kind = chooseOutput(cinfo);
    jpeg_calc_output_dimensions(cinfo);
    qsizetype bytesPerLine = 0;
    uchar* first = job->allocate(job->context, cinfo->output_width, cinfo->output_height,
                                 wholeImageCoefficientBytes(cinfo), &bytesPerLine);
    if (first == nullptr)
        return false;
    // The library's own limit too, for whatever the count above left out: whole-image arrays
    // beyond what the picture leaves of the limit are refused with a library error before they
    // are allocated (there is no backing store to put them in). The library counts its row
    // buffers as well, which the rule leaves out: they get room of their own.
    const qint64 pictureBytes = qint64(cinfo->output_width) * cinfo->output_height * 4;
    const qint64 rowBuffers = (qint64(16) << 20) + qint64(cinfo->output_width) * 512;
    cinfo->mem->max_memory_to_use = long(job->memoryLimit - pictureBytes + rowBuffers);
    jpeg_start_decompress(cinfo);
    if (kind == OutputKind::Rgb32) {
        readRgb32Rows(cinfo, first, bytesPerLine);
    } else {
        readConvertedRows(cinfo, kind, first, bytesPerLine);
    }
    jpeg_finish_decompress(cinfo);
    return true;
}

// The one function that holds the setjmp point: a library error jumps back here, and the
// decompressor is destroyed on every path before the caller sees the outcome.
Outcome runDecompress(DecodeJob* job) {
    jpeg_decompress_struct cinfo;
    ErrorManager errors;
    std::memset(&cinfo, 0, sizeof cinfo);
    cinfo.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = leaveOnError;
    errors.base.emit_message = ignoreMessage;
    errors.base.output_message = printNothing;
    ProgressMonitor progress{};
    progress.base.progress_monitor = monitorProgress;
    progress.job = job;
    if (setjmp(errors.jump) != 0) {
        if (job->stopped) {
            if (qint64(cinfo.output_width) * cinfo.output_height >= kBackgroundReleasePixels) {
                releaseInBackground(cinfo);
            } else {
                jpeg_destroy_decompress(&cinfo);
            }
            return Outcome::Stopped;
        }
        job->errorCode = errors.base.msg_code;
        job->readFailed = job->descriptor >= 0 && jpegFileReadFailed(&cinfo);
        jpeg_destroy_decompress(&cinfo);
        return Outcome::LibraryError;
    }
    jpeg_create_decompress(&cinfo);
    cinfo.progress = &progress.base;
    if (job->descriptor >= 0) {
        useJpegFileSource(&cinfo, job->descriptor);
    } else {
        jpeg_mem_src(&cinfo, job->data, job->size);
    }
    jpeg_read_header(&cinfo, TRUE);
    job->components = cinfo.num_components;
    const bool decoded = job->headerOnly || decodeImage(&cinfo, job);
    jpeg_destroy_decompress(&cinfo);
    return decoded ? Outcome::Decoded : Outcome::Refused;
}

// A Format_RGB32 picture whose memory the kernel may back with huge pages: a large photograph is
// written once from top to bottom, and faulting it in 4 KB pages costs a fifth of the decoding.
QImage makeLargeImage(int width, int height) {
    constexpr std::size_t kHugePage = std::size_t(2) << 20;
    const qsizetype bytesPerLine = qsizetype(width) * 4;
    const std::size_t bytes = std::size_t(bytesPerLine) * std::size_t(height);
    if (bytes < 4 * kHugePage)
        return QImage(width, height, QImage::Format_RGB32);
    void* memory = std::aligned_alloc(kHugePage, (bytes + kHugePage - 1) / kHugePage * kHugePage);
    if (memory == nullptr)
        return QImage();
    madvise(memory, bytes, MADV_HUGEPAGE);
    return QImage(static_cast<uchar*>(memory), width, height, bytesPerLine, QImage::Format_RGB32,
                  std::free, memory);
}

// Where decodeJpeg's pixels go; a failure to make the picture is kept to be rethrown.
struct PictureTarget {
    qint64 maxPixels = -1;
    qint64 memoryLimit = 0;
    QImage image;
    std::exception_ptr failure;
};

uchar* allocatePicture(void* context, JDIMENSION width, JDIMENSION height, qint64 decoderBytes,
                       qsizetype* bytesPerLine) noexcept {
    auto* target = static_cast<PictureTarget*>(context);
    try {
        checkDecodedPictureSize(width, height, decoderBytes, target->memoryLimit);
        if (target->maxPixels >= 0 && qint64(width) * height > target->maxPixels) {
            throw KreslixError(
                QStringLiteral("Obrázok %1 × %2 bodov je príliš veľký").arg(width).arg(height));
        }
        target->image = makeLargeImage(int(width), int(height));
        if (target->image.isNull()) {
            throw KreslixError(QStringLiteral("Obrázok %1 × %2 bodov sa nedá vytvoriť: "
                                              "nedostatok pamäte")
                                   .arg(width)
                                   .arg(height));
        }
        *bytesPerLine = target->image.bytesPerLine();
        return target->image.bits();
    } catch (...) {
        target->failure = std::current_exception();
        return nullptr;
    }
}

KreslixError libraryError(int code) {
    return KreslixError(QStringLiteral("JPEG error #%1").arg(code));
}

Picture decodePicture(DecodeJob& job, qint64 maxPixels, qint64 memoryLimit) {
    PictureTarget target;
    target.maxPixels = maxPixels;
    target.memoryLimit = memoryLimit < 0 ? pictureMemoryLimit() : memoryLimit;
    job.allocate = allocatePicture;
    job.context = &target;
    job.memoryLimit = target.memoryLimit;
    const Outcome outcome = runDecompress(&job);
    if (outcome == Outcome::Stopped)
        throw WorkStopped();
    if (target.failure)
        std::rethrow_exception(target.failure);
    if (job.readFailed)
        throw KreslixError(QStringLiteral("Stream read error"));
    if (outcome != Outcome::Decoded)
        throw libraryError(job.errorCode);
    if (job.progress && job.reported < 1) {
        // A stop asked for at the very end still keeps the picture out, as at any other report.
        if (job.progress->stopRequested())
            throw WorkStopped();
        job.progress->report(1);
    }
    return Picture{std::move(target.image), nullptr};
}

}  // namespace

Picture decodeJpeg(const unsigned char* data, std::size_t size, qint64 maxPixels,
                   qint64 memoryLimit, WorkProgress* progress) {
    DecodeJob job;
    job.data = data;
    job.size = size;
    job.progress = progress;
    return decodePicture(job, maxPixels, memoryLimit);
}

Picture decodeJpegFile(int descriptor, WorkProgress* progress) {
    DecodeJob job;
    job.descriptor = descriptor;
    job.progress = progress;
    struct stat status {};
    if (progress && ::fstat(descriptor, &status) == 0)
        job.fileSize = std::size_t(status.st_size);
    return decodePicture(job, -1, -1);
}

int jpegBitsPerPixel(const unsigned char* data, std::size_t size) {
    DecodeJob job;
    job.data = data;
    job.size = size;
    job.headerOnly = true;
    if (runDecompress(&job) != Outcome::Decoded)
        throw libraryError(job.errorCode);
    return 8 * job.components;
}

}  // namespace kreslix

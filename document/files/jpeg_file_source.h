#pragma once

#include <cstddef>
#include <cstdio>
// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

namespace kreslix {

// Makes the decompressor read the open file through one small buffer of its own memory pool, so
// that the file is never held in memory whole and a medium that fails is an error, not a crash.
// The end of the file behaves as with a memory source: an empty file is an error, a file that
// ends early gets a warning and a made-up end marker.
void useJpegFileSource(j_decompress_ptr cinfo, int descriptor);

// How many bytes of the file the decompressor has taken so far.
std::size_t jpegFileBytesConsumed(j_decompress_ptr cinfo);

// Whether the decompressor stopped because the file could not be read (not because it ended).
bool jpegFileReadFailed(j_decompress_ptr cinfo);

}  // namespace kreslix

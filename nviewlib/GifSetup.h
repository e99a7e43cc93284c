#pragma once
// How the picture library holds giflib: the first frame of a GIF, its colours with the
// transparent one as 0 (transparent black), held to the decoders' limits.
#include "nviewlib/PictureMemory.h"

#include <cstdint>

#include <gif_lib.h>

// Owns giflib's decoder of a source read through `read`.
class GifReader {
public:
    GifReader(void* source, InputFunc read);
    ~GifReader();
    GifReader(const GifReader&) = delete;
    GifReader& operator=(const GifReader&) = delete;
    GifFileType* Get() const { return gif_; }

private:
    GifFileType* gif_ = nullptr;
};

// Reads up to the first frame's descriptor, with the transparent colour of the graphic control
// extension before it (or -1), and makes the frame's colours as 4-byte pixels; false for a file
// without a frame, a damaged one, or a screen or frame above the limits.
bool OpenFirstFrame(GifFileType* gif, int& transparent, std::uint32_t (&palette)[256]);

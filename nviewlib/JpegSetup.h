#pragma once
// How the picture library holds libjpeg: a fault jumps back to the caller's setjmp (across
// libjpeg's C frames only), the warning that the data ended before the picture did counts as a
// fault, nothing is printed; the EXIF orientation is kept; CMYK comes out as colours.
#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include <jpeglib.h>

struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

// Before jpeg_create_decompress.
void SetUpJpegErrors(jpeg_decompress_struct& info, JpegErrors& errors);
// After jpeg_create_decompress: the memory limit and the markers read.
void PrepareJpeg(jpeg_decompress_struct& info);
// After jpeg_read_header: the EXIF orientation, and blue, green, red and a fourth byte as the output
// (CMYK pictures come out as CMYK, for CmykToBgra).
int JpegOrientation(const jpeg_decompress_struct& info);
bool ChooseJpegOutput(jpeg_decompress_struct& info);

// CMYK (or YCCK, which libjpeg turns into CMYK) pixels to blue, green, red and 255, in place, as
// their inks mix without a colour profile. Adobe's files store the inks inverted.
void CmykToBgra(std::uint8_t* row, std::size_t width, bool inverted);

#pragma once
// Pictures the tests make themselves: a photo-like picture of any size, and its JPEG and PNG files
// written by libjpeg and libpng (no large file is kept in the repository).
#include "pictures/PixelCompose.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <png.h>

// Smooth areas with detail at every scale, like a plasma fractal: each channel adds random walks
// along the rows, the columns and both diagonals.
inline Pixels32 PhotoLike(int width, int height, std::uint32_t seed = 1) {
    const int length = width + height;
    std::vector<int> walks[3][4];
    std::uint32_t state = seed * 2654435761u + 1;
    for (auto& channel : walks)
        for (auto& walk : channel) {
            walk.resize(std::size_t(length));
            int value = 0;
            for (int& step : walk) {
                state = state * 1664525u + 1013904223u;
                value += int(state >> 29) - 4 + ((value > 600) ? -1 : (value < -600) ? 1 : 0);
                step = value;
            }
        }
    Pixels32 picture(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint32_t pixel = 0;
            for (int c = 0; c < 3; ++c) {
                const auto& w = walks[c];
                int v = 128 + (w[0][std::size_t(x)] + w[1][std::size_t(y)] + w[2][std::size_t(x + y)] +
                               w[3][std::size_t(x - y + height - 1)]) /
                                  16;
                v = v < 0 ? 0 : v > 255 ? 255 : v;
                pixel |= std::uint32_t(v) << (8 * c);
            }
            picture.data[std::size_t(y) * std::size_t(width) + std::size_t(x)] = pixel;
        }
    return picture;
}

struct JpegOptions {
    int quality = 90;
    bool progressive = false;
    int orientation = 1; // written as an EXIF segment unless 1
};

// A JPEG of the picture (4:2:0, as cameras store it) with an EXIF orientation where asked.
inline std::string EncodeJpeg(const Pixels32& picture, const JpegOptions& options = {}) {
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = JDIMENSION(picture.width);
    info.image_height = JDIMENSION(picture.height);
    info.input_components = 4;
    info.in_color_space = JCS_EXT_BGRX;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, options.quality, TRUE);
    if (options.progressive) jpeg_simple_progression(&info);
    jpeg_start_compress(&info, TRUE);
    if (options.orientation != 1) {
        // "Exif" 0 0, a big-endian TIFF header and one directory entry: the orientation.
        const unsigned char exif[] = {
            'E', 'x', 'i', 'f',  0,    0, 'M', 'M', 0, 42, 0, 0, 0,
            8,   0,   1,   0x01, 0x12, 0, 3,   0,   0, 0,  1, 0, std::uint8_t(options.orientation),
            0,   0,   0,   0,    0,    0};
        jpeg_write_marker(&info, JPEG_APP0 + 1, exif, sizeof(exif));
    }
    while (info.next_scanline < info.image_height) {
        auto* row = reinterpret_cast<JSAMPROW>(const_cast<std::uint32_t*>(
            picture.data.data() + std::size_t(info.next_scanline) * std::size_t(picture.width)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::string file(reinterpret_cast<const char*>(buffer), size);
    std::free(buffer);
    return file;
}

// A PNG of the picture: RGBA where `alpha`, the fourth byte being the opacity; else RGB.
inline std::string EncodePng(const Pixels32& picture, bool alpha) {
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    image.width = png_uint_32(picture.width);
    image.height = png_uint_32(picture.height);
    image.format = alpha ? PNG_FORMAT_BGRA : PNG_FORMAT_BGR;
    std::vector<std::uint8_t> rows;
    for (std::uint32_t pixel : picture.data)
        for (int c = 0; c < (alpha ? 4 : 3); ++c)
            rows.push_back(std::uint8_t(pixel >> (8 * c)));
    png_alloc_size_t size = 0;
    png_image_write_to_memory(&image, nullptr, &size, 0, rows.data(), 0, nullptr);
    std::string file(size, '\0');
    if (!png_image_write_to_memory(&image, &file[0], &size, 0, rows.data(), 0, nullptr)) return {};
    file.resize(size);
    return file;
}

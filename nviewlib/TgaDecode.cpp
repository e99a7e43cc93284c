#include "nviewlib/TgaDecode.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <utility>

// The only place the stb_image decoder is compiled: TGA alone, from memory only, with the size
// limit of the library and without its failure texts. Its allocations are zeroed: stb leaves the
// rows of a cut uncompressed TGA unwritten, which then show black rather than whatever the heap held.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_TGA
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_NO_FAILURE_STRINGS
#define STBI_MAX_DIMENSIONS kDecodeMaxSide
#define STBI_MALLOC(size) std::calloc(1, size)
#define STBI_REALLOC(block, size) std::realloc(block, size)
#define STBI_FREE(block) std::free(block)
// With TGA alone, stb leaves a parameter of its information reader unused.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-parameter"
#include <stb_image.h>
#pragma GCC diagnostic pop

namespace {

struct StbImageFree {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

} // namespace

bool DecodeTga(const std::uint8_t* data, std::size_t size, DecodedPicture& out, PictureMemory& memory) {
    if (data == nullptr || size == 0 || size > std::size_t(INT_MAX)) return false;
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_memory(data, int(size), &width, &height, &channels) || !DecodeSizeAllowed(width, height))
        return false;
    // The target first: where it cannot be had, stb is spared a decode of that size.
    DecodedPicture picture;
    SetBgraShape(picture, width, height);
    std::uint8_t* target = memory.Provide(picture);
    if (target == nullptr) return false;
    const std::unique_ptr<stbi_uc, StbImageFree> rgba(
        stbi_load_from_memory(data, int(size), &width, &height, &channels, 4));
    if (!rgba || width != picture.width || height != picture.height) return false;
    const std::size_t stride = std::size_t(width) * 4;
    for (int y = 0; y < height; ++y) { // stb's rows are top-down red, green, blue, alpha
        const std::uint8_t* in = rgba.get() + std::size_t(y) * stride;
        std::uint8_t* row = target + std::size_t(height - 1 - y) * stride;
        for (std::size_t i = 0; i < stride; i += 4) {
            row[i] = in[i + 2];
            row[i + 1] = in[i + 1];
            row[i + 2] = in[i];
            row[i + 3] = in[i + 3];
        }
    }
    out = std::move(picture);
    return true;
}

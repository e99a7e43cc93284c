#pragma once
// Making a start-up, waiting or shut-down screen from any picture: the picture fitted into the 4:3
// display the system shows a screen on, averaged down to 320 x 400, reduced to a palette of its own
// with error diffusion, and written as the uncompressed 8-bit bitmap the system reads.
#include "pictures/PixelCompose.h"
#include "platform/PixelFormat.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The system stretches the 320 x 400 screen over a 4:3 display: a screen pixel is 5/3 as wide as it
// is tall. Where the picture lands in the screen, proportions kept and centred; the rest is black.
LayoutRect ScreenPictureRect(PixelSize picture);

// The true-colour screen: black bands around the picture averaged down into its rectangle.
Pixels32 FrameScreen(ConstPixelView picture);

// The moving bar of the start-up screen: the last palette entries rotate, drawn across the bottom.
constexpr int kBarFirstEntry = 236;
constexpr int kBarEntries = 256 - kBarFirstEntry;
constexpr int kBarRows = 10;

// A picture of 8 bits per pixel, rows top to bottom. Entries of the palette are 0x00RRGGBB.
struct IndexedPicture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> indexes;
    std::array<std::uint32_t, 256> palette{};
    // The first palette entry that rotates at start-up (the bitmap's byte 0x32); 0 for none.
    int rotationStart = 0;
    std::uint8_t At(int x, int y) const { return indexes[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};

// A palette of at most `colours` entries for the pixels of the area: entry 0 black, the others cut
// from the colour histogram where the error is largest (median cut with the variance-minimising
// cut), then moved to the means of the colours they are nearest to (k-means). Colours are 0x00RRGGBB.
// The histogram has 6 bits a channel; a grey picture, or one of no more colours than entries, is
// cut from its exact colours instead, so its greys and colours come out exact where they fit.
std::vector<std::uint32_t> MakePalette(ConstPixelView pixels, LayoutRect area, int colours);

// Each pixel of the area as the nearest palette entry, the error spread to the neighbours not yet
// done (Floyd-Steinberg, rows in alternate directions); pixels outside the area are left alone.
void DitherInto(ConstPixelView pixels, LayoutRect area, const std::vector<std::uint32_t>& palette,
                IndexedPicture& target);

// The finished screen of a true-colour 320 x 400 frame: the picture's own palette of up to 256
// colours, black at entry 0 and in the bands around `picture`. With the bar, the picture keeps to
// entries 0-235 and the bottom rows show the rotating entries 236-255.
IndexedPicture QuantizeScreen(const Pixels32& frame, LayoutRect picture, bool animatedBar);

// The whole command on decoded pixels: the bytes of the screen file.
std::string MakeScreenFile(ConstPixelView picture, bool animatedBar);

// A bottom-up, uncompressed Windows bitmap of 8 bits per pixel with all 256 palette entries.
std::string EncodeBmp8(const IndexedPicture& picture);

// The indexed picture in true colour.
Pixels32 ExpandIndexed(const IndexedPicture& picture);

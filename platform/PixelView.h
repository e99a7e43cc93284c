#pragma once
// Pictures in memory as 32-bit pixels (blue, green, red, unused), and views of them: what the
// wallpaper drawing works on and what a 32-bit DIB section holds.
#include <cstddef>
#include <cstdint>
#include <vector>

struct PixelSize {
    int width = 0;
    int height = 0;
    bool Empty() const { return width <= 0 || height <= 0; }
};

// Rows top to bottom; a negative stride walks a bottom-up bitmap.
struct PixelView {
    std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0; // in pixels
    std::uint32_t* Row(int y) const { return pixels + std::ptrdiff_t(y) * stride; }
};

struct ConstPixelView {
    const std::uint32_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    std::ptrdiff_t stride = 0;
    ConstPixelView() = default;
    ConstPixelView(const std::uint32_t* p, int w, int h, std::ptrdiff_t s)
        : pixels(p), width(w), height(h), stride(s) {}
    ConstPixelView(const PixelView& v) : pixels(v.pixels), width(v.width), height(v.height), stride(v.stride) {}
    const std::uint32_t* Row(int y) const { return pixels + std::ptrdiff_t(y) * stride; }
    PixelSize Size() const { return {width, height}; }
};

// A picture of its own, rows top to bottom without padding.
struct Pixels32 {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> data;

    Pixels32() = default;
    Pixels32(int w, int h) : width(w), height(h), data(std::size_t(w) * std::size_t(h)) {}
    PixelView View() { return {data.data(), width, height, width}; }
    ConstPixelView View() const { return {data.data(), width, height, width}; }
    std::uint32_t At(int x, int y) const { return data[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
};

#pragma once
// The pictures the JPEG and PNG benchmarks code and decode, made in memory.
#include <cmath>
#include <cstdint>
#include <vector>

// Smooth colour fields, hard-edged shapes and (when noisy) fine noise: about what a photograph
// gives a coder. `channels` 3 (RGB) or 4 (RGBA, alpha varying slowly).
inline std::vector<unsigned char> SyntheticPicture(int width, int height, int channels, bool noisy) {
    std::vector<unsigned char> pixels(std::size_t(width) * height * channels);
    std::uint32_t seed = 12345;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            const int noise = noisy ? int(seed >> 28) - 8 : 0;
            const double fx = double(x) / width, fy = double(y) / height;
            int r = int(255 * fx * (1 - fy) + 40 * std::sin(x * 0.013) * std::cos(y * 0.021));
            int g = int(200 * fy + 30 * std::sin((x + y) * 0.007));
            int b = int(255 * (1 - fx) * 0.8 + 50 * std::cos(x * 0.002 - y * 0.004));
            const int dx = x % 480 - 240, dy = y % 360 - 180;
            if (dx * dx + dy * dy < 90 * 90) r = 250, g = 220, b = 30;
            if ((x / 64 + y / 64) % 11 == 0) r /= 2, g /= 2, b /= 2;
            auto clamp = [](int v) { return (unsigned char)(v < 0 ? 0 : v > 255 ? 255 : v); };
            unsigned char* pixel = &pixels[(std::size_t(y) * width + x) * channels];
            pixel[0] = clamp(r + noise);
            pixel[1] = clamp(g + noise);
            pixel[2] = clamp(b + noise);
            if (channels == 4) pixel[3] = clamp(int(255 * (0.5 + 0.5 * std::sin(fx * 6 + fy * 3))));
        }
    }
    return pixels;
}

// The picture library's decoders in the 32-bit build, under Wine, each against the reference read
// of its format in this 32-bit program, built from the same sources:
//   jpeg-detailed, jpeg-smooth  3840 x 2160, 4:2:0 baseline: NViewLibLoad against tjDecompress2
//   jpeg-progressive            4000 x 3000 progressive: the same
//   png-rgba                    3840 x 2160 RGBA: NViewLibLoad against libpng's own read
//   bmp-24                      3840 x 2160 x 24 in memory: ReadBmp against a new buffer and a copy
// Both sides of a file pair start from the path: each reads the file and makes a new bottom-up
// 32-bit picture (the library: its bitmap; the reference: an allocated buffer). The two run
// alternately, A B A B, and each line reports the medians and the median of the per-pair ratios.
//   DecoderBench.exe <NViewLib.dll> <scratch folder> [pairs]
#include "pictures/BmpReader.h"
#include "tests/bench/BenchClock.h"
#include "tests/bench/SyntheticPicture.h"

#include <png.h>
#include <turbojpeg.h>
#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;
using LoadFunction = HBITMAP(WINAPI*)(const char*, BOOL);

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "DecoderBench: %s\n", what.c_str());
    std::exit(1);
}

Bytes MakeJpeg(int width, int height, bool noisy, bool progressive) {
    const Bytes rgb = SyntheticPicture(width, height, 3, noisy);
    tjhandle compressor = tjInitCompress();
    unsigned char* bytes = nullptr;
    unsigned long size = 0;
    if (!compressor || tjCompress2(compressor, rgb.data(), width, 0, height, TJPF_RGB, &bytes, &size, TJSAMP_420, 90,
                                   progressive ? TJFLAG_PROGRESSIVE : 0) != 0)
        Fail("tjCompress2 failed");
    Bytes result(bytes, bytes + size);
    tjFree(bytes);
    tjDestroy(compressor);
    return result;
}

void AppendToBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

Bytes MakePng(int width, int height) {
    const Bytes rgba = SyntheticPicture(width, height, 4, true);
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info || setjmp(png_jmpbuf(png))) Fail("writing the PNG failed");
    png_set_write_fn(png, &out, AppendToBytes, nullptr);
    png_set_IHDR(png, info, png_uint_32(width), png_uint_32(height), 8, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y)
        png_write_row(png, rgba.data() + std::size_t(y) * width * 4);
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return out;
}

Bytes MakeBmp24(int width, int height) {
    const std::size_t stride = (std::size_t(width) * 3 + 3) / 4 * 4, offset = 54;
    Bytes file(offset + stride * height);
    auto put32 = [&](std::size_t at, std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            file[at + std::size_t(i)] = (unsigned char)(v >> (8 * i));
    };
    file[0] = 'B', file[1] = 'M';
    put32(2, std::uint32_t(file.size()));
    put32(10, std::uint32_t(offset));
    put32(14, 40);
    put32(18, std::uint32_t(width));
    put32(22, std::uint32_t(height));
    put32(26, 1 | (24 << 16));
    put32(34, std::uint32_t(stride * height));
    for (std::size_t i = offset; i < file.size(); ++i)
        file[i] = (unsigned char)(i * 131 >> 3);
    return file;
}

void WriteFile(const std::string& path, const Bytes& bytes) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) Fail("cannot write " + path);
    std::fclose(file);
}

Bytes ReadWhole(const std::string& path) {
    Bytes bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) Fail("cannot read " + path);
    bytes.resize(GetFileSize(file, nullptr));
    DWORD read = 0;
    ReadFile(file, bytes.data(), DWORD(bytes.size()), &read, nullptr);
    CloseHandle(file);
    if (read != bytes.size()) Fail("cannot read " + path);
    return bytes;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Runs one untimed pair, then `pairs` timed pairs A B, and prints one line.
void Compare(const char* name, int pairs, const std::function<void()>& a, const std::function<void()>& b) {
    a();
    b();
    std::vector<double> aMs, bMs, ratios;
    for (int i = 0; i < pairs; ++i) {
        const double t0 = NowMs();
        a();
        const double t1 = NowMs();
        b();
        const double t2 = NowMs();
        aMs.push_back(t1 - t0);
        bMs.push_back(t2 - t1);
        ratios.push_back((t1 - t0) / (t2 - t1));
    }
    std::printf("%s library_ms=%.1f reference_ms=%.1f ratio=%.2f pairs=%d\n", name, Median(aMs), Median(bMs),
                Median(ratios), pairs);
    std::fflush(stdout);
}

void LoadThroughLibrary(LoadFunction load, const std::string& path, int width, int height) {
    HBITMAP bitmap = load(path.c_str(), FALSE);
    BITMAP facts = {};
    if (!bitmap || !GetObjectA(bitmap, sizeof(facts), &facts) || facts.bmWidth != width || facts.bmHeight != height)
        Fail("NViewLibLoad failed on " + path);
    DeleteObject(bitmap);
}

void TurboJpegRead(const std::string& path, int width, int height) {
    const Bytes jpeg = ReadWhole(path);
    tjhandle decompressor = tjInitDecompress();
    auto* pixels = static_cast<unsigned char*>(std::malloc(std::size_t(width) * height * 4));
    if (!decompressor || !pixels ||
        tjDecompress2(decompressor, jpeg.data(), (unsigned long)jpeg.size(), pixels, width, 0, height, TJPF_BGRX,
                      TJFLAG_BOTTOMUP) != 0)
        Fail("tjDecompress2 failed");
    std::free(pixels);
    tjDestroy(decompressor);
}

void LibpngRead(const std::string& path, int width, int height) {
    const Bytes file = ReadWhole(path);
    png_image image = {};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, file.data(), file.size())) Fail("png_image_begin_read failed");
    image.format = PNG_FORMAT_BGRA;
    if (int(image.width) != width || int(image.height) != height) Fail("the PNG has another size");
    auto* pixels = static_cast<unsigned char*>(std::malloc(PNG_IMAGE_SIZE(image)));
    const png_int_32 bottomUp = -png_int_32(PNG_IMAGE_ROW_STRIDE(image));
    if (!pixels || !png_image_finish_read(&image, nullptr, pixels, bottomUp, nullptr)) Fail("png_image_finish_read");
    std::free(pixels);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) Fail("usage: DecoderBench.exe <NViewLib.dll> <scratch folder> [pairs]");
    const int pairs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 15;
    const std::string folder = std::string(argv[2]) + "\\";
    HMODULE library = LoadLibraryA(argv[1]);
    if (!library) Fail(std::string("cannot load ") + argv[1]);
    auto load = reinterpret_cast<LoadFunction>(reinterpret_cast<void*>(GetProcAddress(library, "NViewLibLoad")));
    if (!load) Fail("NViewLibLoad is missing");

    struct File {
        const char* name;
        int width, height;
        Bytes bytes;
        bool png;
    };
    std::vector<File> files;
    files.push_back({"jpeg-detailed", 3840, 2160, MakeJpeg(3840, 2160, true, false), false});
    files.push_back({"jpeg-smooth", 3840, 2160, MakeJpeg(3840, 2160, false, false), false});
    files.push_back({"jpeg-progressive", 4000, 3000, MakeJpeg(4000, 3000, true, true), false});
    files.push_back({"png-rgba", 3840, 2160, MakePng(3840, 2160), true});
    for (File& f : files) {
        const std::string path = folder + f.name + (f.png ? ".png" : ".jpg");
        WriteFile(path, f.bytes);
        std::printf("%s file_bytes=%u\n", f.name, unsigned(f.bytes.size()));
        const int w = f.width, h = f.height;
        if (f.png)
            Compare(
                f.name, pairs, [&] { LoadThroughLibrary(load, path, w, h); }, [&] { LibpngRead(path, w, h); });
        else
            Compare(
                f.name, pairs, [&] { LoadThroughLibrary(load, path, w, h); }, [&] { TurboJpegRead(path, w, h); });
        DeleteFileA(path.c_str());
    }

    const Bytes bmp = MakeBmp24(3840, 2160);
    Compare(
        "bmp-24", pairs,
        [&] {
            DecodedPicture picture;
            if (ReadBmp(bmp.data(), bmp.size(), picture) != BmpStatus::Ok) Fail("ReadBmp failed");
        },
        [&] {
            Bytes copy(bmp.begin() + 54, bmp.end()); // a new buffer and the same pixel bytes copied into it
            if (copy.empty()) Fail("no copy");
        });
    FreeLibrary(library);
    return 0;
}

// AnimationBench: the start-up screen's moving bar in the full-screen window, "As Windows Shows It",
// on the 1024 x 768 desktop. One animation step (the colour table turned and the picture repainted)
// alternates with one plain StretchDIBits of the same 8-bit pixels, their colours turned alike, to
// the same rows of the picture's own window, A B A B, each timed until its drawing is flushed to
// the window; the figure is the median of the per-pair ratios. Then the animation runs on its own timer for a
// while and the program's share of one processor is measured.
// Usage: AnimationBench <folder for the screen file> <pairs> <seconds of animation>
#include "pictures/ScreenMaker.h"
#include "pictures/ShownScreen.h"
#include "platform/Application.h"
#include "platform/Files.h"
#include "shell/UPreview.h"
#include "shell/USelect5.h"
#include "tests/bench/BenchClock.h"
#include "tests/bench/SyntheticPicture.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {
double ProcessorMs() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME& t) { return double(ULONGLONG(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 10000.0; };
    return ms(kernel) + ms(user);
}

// A start-up screen with the bar, made by the program from a photo-like picture.
std::string StartUpScreen() {
    const std::vector<unsigned char> rgb = SyntheticPicture(640, 480, 3, false);
    Pixels32 picture(640, 480);
    for (std::size_t i = 0; i < picture.data.size(); ++i)
        picture.data[i] = std::uint32_t(rgb[3 * i]) << 16 | std::uint32_t(rgb[3 * i + 1]) << 8 | rgb[3 * i + 2];
    return MakeScreenFile(picture.View(), true);
}
} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::printf("usage: AnimationBench <folder> <pairs> <seconds>\n");
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "\\", name = "animated.bmp";
    const int pairs = std::max(1, std::atoi(argv[2]));
    const double seconds = std::max(1.0, std::atof(argv[3]));
    if (!ReplaceFileContents(folder + name, StartUpScreen()).Ok()) {
        std::printf("cannot write %s%s\n", folder.c_str(), name.c_str());
        return 1;
    }
    Application().Initialize(GetModuleHandleA(nullptr));
    TFormSelect& form = Application().CreateForm<TFormSelect>();
    form.FormPreview = &Application().CreateForm<TFormPreview>(form.Model, form);
    TFormPreview& preview = *form.FormPreview;
    form.sbtnStart.SetDown(true);
    form.Change_Screen_Button(&form.sbtnStart);
    form.ApplyBrowserPath(folder);
    form.ShowPreview(folder + name, true);
    form.Model.options.asWindowsShowsIt = true;
    form.ImgPreviewDblClick(); // shown, laid out and painted before it returns
    const TBounds place = preview.ImgPreview.Bounds();
    RECT client;
    GetClientRect(preview.Handle(), &client);
    std::printf("window=%dx%d\npicture=%d,%d %dx%d\nrotation_start=%d\n", int(client.right), int(client.bottom),
                place.left, place.top, place.width, place.height, preview.RotationStart());
    if (!preview.RotationStart()) {
        std::printf("the screen does not turn\n");
        return 1;
    }

    // B: what one step puts on the window, done by a bare program: the shown copy's 8-bit pixels with
    // the colour table turned as the step turns it, stretched by StretchDIBits into the picture's own
    // window (a child of the full-screen window, which would clip it away) over the rows the step
    // repaints.
    const TPicture& shown = preview.ImgPreview.Picture();
    DIBSECTION section = {};
    GetObjectA(shown.Handle(), sizeof(section), &section);
    std::vector<std::uint8_t> info(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD));
    std::memcpy(info.data(), &section.dsBmih, sizeof(BITMAPINFOHEADER));
    auto* colours = reinterpret_cast<std::uint32_t*>(info.data() + sizeof(BITMAPINFOHEADER));
    ReadBitmapColours(shown.Handle(), colours, 256);
    const int width = section.dsBm.bmWidth, height = section.dsBm.bmHeight;
    const std::ptrdiff_t stride = section.dsBm.bmWidthBytes;
    const bool bottomUp = section.dsBmih.biHeight > 0;
    const auto* bits = static_cast<const std::uint8_t*>(section.dsBm.bmBits);
    const RowSpan rows = ShownRows(RowsWithEntriesFrom(bits + (bottomUp ? (height - 1) * stride : 0), width, height,
                                                       bottomUp ? -stride : stride, preview.RotationStart()),
                                   height, place.height);
    HDC window = GetDC(preview.ImgPreview.Handle());
    SetStretchBltMode(window, COLORONCOLOR);
    IntersectClipRect(window, 0, rows.begin, place.width, rows.end);
    const RECT repainted = {0, rows.begin, place.width, rows.end};
    std::printf("repainted_rows=%d-%d\n", rows.begin, rows.end);
    if (rows.Empty() || !RectVisible(window, &repainted)) {
        std::printf("the floor would draw nothing on the picture's window\n");
        return 1;
    }

    std::vector<double> step, plain, ratios;
    for (int pair = 0; pair < pairs + 1; ++pair) {
        double start = NowMs();
        preview.AnimationStep();
        GdiFlush();
        const double a = NowMs() - start;
        start = NowMs();
        RotateColours(colours, preview.RotationStart());
        StretchDIBits(window, 0, 0, place.width, place.height, 0, 0, width, height, bits,
                      reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS, SRCCOPY);
        GdiFlush();
        const double b = NowMs() - start;
        if (pair == 0) continue; // the first pair warms the caches
        step.push_back(a);
        plain.push_back(b);
        ratios.push_back(a / b);
    }
    // Once, untimed: both sides put the same pixels on the window. The rows are blacked out before
    // each side draws them; the step and the floor turn their colours alike.
    auto drawnRows = [&](const auto& draw) {
        PatBlt(window, 0, rows.begin, place.width, rows.end - rows.begin, BLACKNESS);
        draw();
        GdiFlush();
        std::vector<std::uint32_t> shot;
        for (int y = rows.begin; y < rows.end; ++y)
            for (int x = 0; x < place.width; ++x)
                shot.push_back(GetPixel(window, x, y));
        return shot;
    };
    const std::vector<std::uint32_t> stepped = drawnRows([&] { preview.AnimationStep(); });
    const std::vector<std::uint32_t> floored = drawnRows([&] {
        RotateColours(colours, preview.RotationStart());
        StretchDIBits(window, 0, 0, place.width, place.height, 0, 0, width, height, bits,
                      reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS, SRCCOPY);
    });
    std::size_t same = 0;
    for (std::size_t i = 0; i < stepped.size(); ++i)
        same += stepped[i] == floored[i];
    std::printf("same_pixels_percent=%.1f\n", 100.0 * double(same) / double(std::max<std::size_t>(1, stepped.size())));
    ReleaseDC(preview.ImgPreview.Handle(), window);
    std::printf("step_ms=%.3f\nplain_ms=%.3f\nratio_median=%.3f\n", MedianOf(step), MedianOf(plain), MedianOf(ratios));

    // The animation on its own timer, as the user sees it.
    int ticks = 0;
    const double wallStart = NowMs(), cpuStart = ProcessorMs();
    while (NowMs() - wallStart < seconds * 1000) {
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ticks += msg.message == WM_TIMER && msg.hwnd == preview.Handle();
            TForm::ProcessMessage(msg);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        }
    }
    const double wall = NowMs() - wallStart, cpu = ProcessorMs() - cpuStart;
    std::printf("animated_s=%.1f\nsteps_per_s=%.1f\ncpu_percent=%.2f\n", wall / 1000, ticks * 1000 / wall,
                100 * cpu / wall);
    Application().DestroyForms();
    DeleteFileA((folder + name).c_str());
    return 0;
}

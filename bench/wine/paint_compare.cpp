// Paint time of the memory viewer control's graph on the real GDI: the former drawing
// (bench/wine/legacy, one pen colour and MoveToEx/LineTo per segment) against the control's
// current one, interleaved in one run at 1,024 samples on a 400 x 200 surface, and a pixel
// comparison of the two pictures over many histories, sizes, display modes and free-up states.
// Usage: dralith_paint_bench.exe [paints]   (default 200; bench/wine/paint.sh runs it)
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "bench/wine/legacy/LegacyGraphPaint.h"
#include "control/com/BackBuffer.h"
#include "control/com/GdiGraphSurface.h"
#include "control/com/SystemMemory.h"
#include "control/core/MemoryViewer.h"
#include "win32kit/DcScopes.h"
#include "win32kit/Handles.h"

using namespace dralith;

namespace {

constexpr std::uint64_t MiB = 1024u * 1024u;
constexpr int kWidth = 400; // the size the end-to-end host gives the control
constexpr int kHeight = 200;

enum class Pattern { Steady, Walk, Noise };
const char* name(Pattern p)
{
    return p == Pattern::Steady ? "steady" : p == Pattern::Walk ? "walk" : "noise";
}

// Sample number `i` of a pattern: a machine at rest (one value, an occasional step), a slow
// random walk, and independent values (every segment a new colour: the worst case).
std::uint8_t sampleAt(Pattern pattern, std::uint32_t i)
{
    std::uint32_t h = i * 2654435761u;
    h ^= h >> 15;
    switch (pattern) {
    case Pattern::Steady:
        return static_cast<std::uint8_t>(140 + ((i / 97) % 2));
    case Pattern::Walk: {
        int v = 128;
        // A walk that can be read at any index without state: the sum of the last steps.
        for (std::uint32_t k = i > 64 ? i - 64 : 0; k <= i; ++k) {
            std::uint32_t s = k * 2246822519u;
            s ^= s >> 13;
            v += static_cast<int>(s % 7) - 3;
        }
        return static_cast<std::uint8_t>(std::clamp(v, 0, 255));
    }
    case Pattern::Noise:
        return static_cast<std::uint8_t>(h % 256);
    }
    return 0;
}

// 255 MB installed, so the sample equals the free megabytes; page file 600 MB, 300 free.
MemoryFigures figuresFor(std::uint8_t sample)
{
    MemoryFigures f;
    f.totalPhys = 255 * MiB;
    f.availPhys = sample * MiB;
    f.totalPageFile = 600 * MiB;
    f.availPageFile = 300 * MiB;
    f.totalVirtual = 2048 * MiB;
    f.availVirtual = 1024 * MiB;
    return f;
}

class NoSurface final : public GraphSurface {
public:
    void clear(Colour) override { }
    void drawLine(const GraphLine&) override { }
    void setCaption(std::string_view) override { }
};

void fill(MemoryViewer& viewer, Pattern pattern, std::uint32_t samples, std::uint32_t first = 0)
{
    NoSurface none;
    for (std::uint32_t i = 0; i < samples; ++i)
        viewer.refresh(figuresFor(sampleAt(pattern, first + i)), kWidth, kHeight, none);
}

double nowMs()
{
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) * 1000.0 / frequency;
}

struct Stats {
    double median = 0, max = 0;
};
Stats stats(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return Stats {ms[ms.size() / 2], ms.back()};
}

// The pixels of a DC's area, read through a 32-bit DIB section (GetDIBits wants the bitmap
// out of every DC, and the back buffer keeps it selected).
std::vector<std::uint32_t> pixelsOf(HDC source, int width, int height)
{
    BITMAPINFO info {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    win32kit::UniqueMemoryDc dc(CreateCompatibleDC(source));
    win32kit::UniqueBitmap dib(CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    std::vector<std::uint32_t> pixels;
    if (!dc || !dib || !bits)
        return pixels;
    win32kit::ScopedSelect selected(dc.get(), dib.get());
    BitBlt(dc.get(), 0, 0, width, height, source, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(bits);
    pixels.assign(first, first + static_cast<std::size_t>(width) * height);
    for (auto& p : pixels)
        p &= 0xFFFFFF;
    return pixels;
}

struct Comparison {
    int cases = 0;
    int differing = 0;
    std::string firstDifference;
    void check(const std::string& label, HDC oldDc, HDC newDc, int width, int height)
    {
        ++cases;
        const auto a = pixelsOf(oldDc, width, height);
        const auto b = pixelsOf(newDc, width, height);
        if (a.empty() || a.size() != b.size()) {
            ++differing;
            if (firstDifference.empty())
                firstDifference = label + ": could not read the pictures";
            return;
        }
        int count = 0, at = -1;
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (a[i] != b[i]) {
                if (at < 0)
                    at = static_cast<int>(i);
                ++count;
            }
        }
        if (count == 0)
            return;
        ++differing;
        if (firstDifference.empty()) {
            char text[200];
            std::snprintf(text, sizeof text, ": %d pixels differ, first at (%d, %d): old %06X new %06X", count,
                at % width, at / width, a[at], b[at]);
            firstDifference = label + text;
        }
    }
};

// The buffer the test window copies in WM_PAINT.
const BackBuffer* g_presented = nullptr;

// A background that neither drawing uses, so a picture that leaves pixels alone shows.
void prime(BackBuffer& buffer)
{
    RECT all {0, 0, buffer.width(), buffer.height()};
    SetDCBrushColor(buffer.dc(), RGB(1, 2, 3));
    FillRect(buffer.dc(), &all, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// Both paths of the control, old and new: painting the stored state (paintState) at an offset
// inside the buffer, and the tick (Refresh, then the caption) for a history fed in step by step.
void comparePictures(HWND window, HWND surface, Comparison& result)
{
    const SIZE sizes[] = {{400, 200}, {37, 19}, {1, 1}, {640, 48}, {120, 48}, {3, 300}};
    const std::uint32_t lengths[] = {1, 2, 3, 32, 1024, 3000};
    const Pattern patterns[] = {Pattern::Steady, Pattern::Walk, Pattern::Noise};
    const float modes[] = {0.0f, 4.0f, 6.0f};
    BackBuffer oldBuffer, newBuffer;
    for (const SIZE& size : sizes) {
        const int w = static_cast<int>(size.cx), h = static_cast<int>(size.cy);
        oldBuffer.resize(window, w + 9, h + 7);
        newBuffer.resize(window, w + 9, h + 7);
        for (std::uint32_t length : lengths) {
            for (Pattern pattern : patterns) {
                for (float mode : modes) {
                    MemoryViewer viewer;
                    viewer.state().setDataLength(static_cast<float>(length));
                    viewer.state().setDisplayMode(mode);
                    fill(viewer, pattern, length + 5);
                    prime(oldBuffer);
                    prime(newBuffer);
                    legacy::paintState(viewer, oldBuffer.dc(), w, h, POINT {5, 3});
                    paintState(viewer, newBuffer.dc(), w, h, POINT {5, 3});
                    const std::string label = "paint " + std::to_string(w) + "x" + std::to_string(h) + " at " +
                        std::to_string(length) + " " + name(pattern) + " mode " + std::to_string(int(mode));
                    result.check(label, oldBuffer.dc(), newBuffer.dc(), w + 9, h + 7);
                }
            }
        }
    }

    // Ticks, as ControlHost runs them, with the history growing from empty to its length.
    for (const SIZE& size : {SIZE {400, 200}, SIZE {37, 19}}) {
        const int w = static_cast<int>(size.cx), h = static_cast<int>(size.cy);
        oldBuffer.resize(window, w, h);
        newBuffer.resize(window, w, h);
        for (Pattern pattern : patterns) {
            MemoryViewer oldViewer, newViewer;
            for (MemoryViewer* v : {&oldViewer, &newViewer}) {
                v->state().setDataLength(1024.0f);
                v->state().setDisplayMode(4.0f);
            }
            for (std::uint32_t i = 0; i < 1100; ++i) {
                const MemoryFigures figures = figuresFor(sampleAt(pattern, i));
                {
                    legacy::GdiGraphSurface drawing(oldBuffer.dc(), w, h);
                    oldViewer.refresh(figures, w, h, drawing);
                    legacy::drawCaption(oldBuffer.dc(), oldViewer.caption(), POINT {0, 0});
                }
                {
                    GdiGraphSurface drawing(newBuffer.dc(), w, h);
                    newViewer.refresh(figures, w, h, drawing);
                    drawCaption(newBuffer.dc(), newViewer.caption(), POINT {0, 0});
                }
                if (i < 4 || i % 97 == 0 || i == 1099)
                    result.check("tick " + std::to_string(i) + " " + std::to_string(w) + "x" + std::to_string(h) + " " +
                            name(pattern),
                        oldBuffer.dc(), newBuffer.dc(), w, h);
            }
            if (w != kWidth || h != kHeight)
                continue;
            // What reaches the window: the old way through WM_PAINT, the new one copied directly.
            g_presented = &oldBuffer;
            legacy::present(surface);
            const auto shownOld = pixelsOf(win32kit::WindowDc(surface).get(), w, h);
            g_presented = nullptr; // a stray WM_PAINT must not copy the new picture in
            newBuffer.showOn(surface);
            const auto shownNew = pixelsOf(win32kit::WindowDc(surface).get(), w, h);
            ++result.cases;
            if (shownOld.empty() || shownOld != shownNew || shownNew != pixelsOf(newBuffer.dc(), w, h)) {
                ++result.differing;
                if (result.firstDifference.empty())
                    result.firstDifference = std::string("window after a tick, ") + name(pattern);
            }
        }
    }

    // The white progress line of a running free-up, painted from inside its message pump.
    class NoBlock final : public MemoryBlock { };
    class NoAllocation final : public BlockAllocator {
    public:
        std::unique_ptr<MemoryBlock> allocate() override { return std::make_unique<NoBlock>(); }
    };
    oldBuffer.resize(window, kWidth, kHeight);
    newBuffer.resize(window, kWidth, kHeight);
    for (Pattern pattern : patterns) {
        MemoryViewer viewer;
        viewer.state().setDataLength(1024.0f);
        fill(viewer, pattern, 1024);
        NoAllocation allocator;
        int pumps = 0;
        viewer.freeUpMemory(100, figuresFor(100), allocator, [&] {
            ++pumps;
            legacy::paintState(viewer, oldBuffer.dc(), kWidth, kHeight, POINT {0, 0});
            paintState(viewer, newBuffer.dc(), kWidth, kHeight, POINT {0, 0});
            result.check("free-up step " + std::to_string(viewer.freeUp().step()) + " " + name(pattern), oldBuffer.dc(),
                newBuffer.dc(), kWidth, kHeight);
        });
        if (pumps < 10) {
            ++result.differing;
            result.firstDifference = "the free-up let messages run only " + std::to_string(pumps) + " times";
        }
    }
}

struct Timing {
    std::vector<double> oldMs, newMs;
};

// Interleaved so that both drawings meet the same machine state; `paint(useNew)` is one paint.
Timing timeInterleaved(int paints, const std::function<void(bool)>& paint)
{
    Timing t;
    for (int i = 0; i < 20; ++i) { // warm-up: glyph caches, first-touch of the buffers
        paint(false);
        paint(true);
    }
    for (int i = 0; i < paints; ++i) {
        for (bool useNew : {i % 2 == 1, i % 2 == 0}) {
            const double start = nowMs();
            paint(useNew);
            GdiFlush();
            (useNew ? t.newMs : t.oldMs).push_back(nowMs() - start);
        }
    }
    return t;
}

void report(const char* what, Pattern pattern, const Timing& t)
{
    const Stats o = stats(t.oldMs), n = stats(t.newMs);
    std::printf("%-38s %-6s old median %.3f ms max %.3f ms | new median %.3f ms max %.3f ms | %.1fx\n", what,
        name(pattern), o.median, o.max, n.median, n.max, n.median > 0 ? o.median / n.median : 0.0);
}

// Shows the back buffer in WM_PAINT, as the control's surface window does.
LRESULT CALLBACK plainWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND)
        return 1;
    if (message == WM_PAINT) {
        win32kit::PaintDc paint(window);
        if (g_presented)
            g_presented->copyTo(paint.get(), 0, 0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

// Median and max of one action alone.
void timeAlone(const char* what, int paints, const std::function<void()>& action)
{
    std::vector<double> ms;
    for (int i = 0; i < paints + 20; ++i) {
        const double start = nowMs();
        action();
        GdiFlush();
        if (i >= 20)
            ms.push_back(nowMs() - start);
    }
    const Stats s = stats(ms);
    std::printf("  %-58s median %.3f ms max %.3f ms\n", what, s.median, s.max);
}

} // namespace

int main(int argc, char** argv)
{
    const int paints = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
    WNDCLASSA windowClass {};
    windowClass.lpfnWndProc = plainWindow;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "DralithPaintBench";
    RegisterClassA(&windowClass);
    win32kit::UniqueWindow window(CreateWindowExA(0, "DralithPaintBench", "paint bench", WS_POPUP | WS_VISIBLE, 50, 50,
        kWidth, kHeight, nullptr, nullptr, windowClass.hInstance, nullptr));
    if (!window) {
        std::printf("no window\n");
        return 2;
    }

    // The control's surface: a child window that copies the back buffer in WM_PAINT.
    win32kit::UniqueWindow surface(CreateWindowExA(0, "DralithPaintBench", "surface", WS_CHILD | WS_VISIBLE, 0, 0,
        kWidth, kHeight, window.get(), nullptr, windowClass.hInstance, nullptr));
    Comparison pictures;
    comparePictures(window.get(), surface.get(), pictures);
    std::printf("pictures: %d cases compared, %d differ%s%s\n", pictures.cases, pictures.differing,
        pictures.firstDifference.empty() ? "" : "; first: ", pictures.firstDifference.c_str());

    BackBuffer buffer;
    buffer.resize(surface.get(), kWidth, kHeight);
    g_presented = &buffer;
    std::printf(
        "%d paints each at 1024 samples, %d x %d, display mode 4, old and new interleaved\n", paints, kWidth, kHeight);
    for (Pattern pattern : {Pattern::Steady, Pattern::Walk, Pattern::Noise}) {
        MemoryViewer viewer;
        viewer.state().setDataLength(1024.0f);
        viewer.state().setDisplayMode(4.0f);
        fill(viewer, pattern, 1024);
        // The stored state painted into the back buffer (after a resize, IViewObject::Draw).
        report("paint into the back buffer", pattern, timeInterleaved(paints, [&](bool useNew) {
            if (useNew)
                paintState(viewer, buffer.dc(), kWidth, kHeight, POINT {0, 0});
            else
                legacy::paintState(viewer, buffer.dc(), kWidth, kHeight, POINT {0, 0});
        }));
        // A whole Refresh as ControlHost runs it: memory status, sample, graph, caption, and the
        // synchronous repaint of the surface window. (The figures drawn are the pattern's.)
        std::uint32_t next = 1024;
        report("Refresh: status, paint, show on window", pattern, timeInterleaved(paints, [&](bool useNew) {
            volatile std::uint64_t read = readMemoryFigures().availPhys;
            (void)read;
            const MemoryFigures figures = figuresFor(sampleAt(pattern, next++));
            if (useNew) {
                GdiGraphSurface drawing(buffer.dc(), kWidth, kHeight);
                viewer.refresh(figures, kWidth, kHeight, drawing);
                drawCaption(buffer.dc(), viewer.caption(), POINT {0, 0});
            } else {
                legacy::GdiGraphSurface drawing(buffer.dc(), kWidth, kHeight);
                viewer.refresh(figures, kWidth, kHeight, drawing);
                legacy::drawCaption(buffer.dc(), viewer.caption(), POINT {0, 0});
            }
            if (useNew)
                buffer.showOn(surface.get());
            else
                legacy::present(surface.get());
        }));
    }

    std::printf("parts of a Refresh:\n");
    MemoryViewer viewer;
    viewer.state().setDisplayMode(4.0f);
    fill(viewer, Pattern::Walk, 3);
    timeAlone("memory status (GlobalMemoryStatusEx)", paints, [] { readMemoryFigures(); });
    timeAlone("caption, mode 4", paints, [&] { drawCaption(buffer.dc(), viewer.caption(), POINT {0, 0}); });
    timeAlone(
        "show, old: RedrawWindow(RDW_INVALIDATE | RDW_UPDATENOW)", paints, [&] { legacy::present(surface.get()); });
    timeAlone("show, new: GetDC, BitBlt, ReleaseDC", paints, [&] { buffer.showOn(surface.get()); });
    return pictures.differing == 0 ? 0 : 1;
}

#include <cstdlib>

#include "bar/BarIds.h"
#include "tests/e2e/bar/BarKit.h"
#include "tests/e2e/bar/ButtonWatch.h"
#include "tests/e2e/bar/LiveCases.h"
#include "tests/e2e/common/Poll.h"
#include "tests/e2e/common/TestWindows.h"

namespace bar_probe {
namespace {

void Put16(std::vector<unsigned char>& b, size_t at, unsigned v)
{
    b[at] = v & 0xFF;
    b[at + 1] = v >> 8 & 0xFF;
}
void Put32(std::vector<unsigned char>& b, size_t at, unsigned v)
{
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}

// A BITMAPINFOHEADER at `at` for a black picture of `bits` per pixel; rows padded to 4 bytes.
size_t PutInfoHeader(std::vector<unsigned char>& b, size_t at, int width, int height, int bits)
{
    Put32(b, at, 40);
    Put32(b, at + 4, width);
    Put32(b, at + 8, height);
    Put16(b, at + 12, 1);
    Put16(b, at + 14, bits);
    return at + 40;
}

size_t RowBytes(int width, int bits)
{
    return (static_cast<size_t>(width) * bits + 31) / 32 * 4;
}

std::vector<unsigned char> Bmp(int width, int height)
{
    const size_t pixels = RowBytes(width, 24) * height;
    std::vector<unsigned char> b(54 + pixels, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<unsigned>(b.size()));
    Put32(b, 10, 54);
    PutInfoHeader(b, 14, width, height, 24);
    return b;
}

// One image; a directory size of 0 stands for 256 (the largest an entry can state).
std::vector<unsigned char> Ico(int width, int height)
{
    const int bits = width > 1 ? 24 : 32;
    const size_t image = 40 + RowBytes(width, bits) * height + RowBytes(width, 1) * height;
    std::vector<unsigned char> b(6 + 16 + image, 0);
    Put16(b, 2, 1);
    Put16(b, 4, 1);
    b[6] = width >= 256 ? 0 : width;
    b[7] = height >= 256 ? 0 : height;
    Put16(b, 10, 1);
    Put16(b, 12, bits);
    Put32(b, 14, static_cast<unsigned>(image));
    Put32(b, 18, 22);
    PutInfoHeader(b, 22, width, height * 2, bits);
    return b;
}

std::vector<unsigned char> Noise(unsigned seed)
{
    std::vector<unsigned char> b(4096);
    for (unsigned char& c : b) {
        seed = seed * 1103515245u + 12345u;
        c = static_cast<unsigned char>(seed >> 16);
    }
    return b;
}

} // namespace

void CheckLogoFiles(e2e::Report& report, const std::string& tolvixExe)
{
    win32kit::UniqueWindow task = e2e::CreateTestWindow(e2e::WindowKind::Normal, "E2E Logo Task");
    e2e::ShowWithoutActivating(task.get());
    const int strip = TwipsToPixelsX(375), buttonsLeft = TwipsToPixelsX(500), noLogoLeft = TwipsToPixelsX(120);
    const struct {
        const char* name;
        const char* extension;
        std::vector<unsigned char> bytes;
    } files[] = {
        {"empty", ".BMP", {}},
        {"binary", ".BMP", Noise(1)},
        {"huge", ".BMP", Bmp(4000, 4000)},
        {"1x1", ".BMP", Bmp(1, 1)},
        {"empty", ".ICO", {}},
        {"binary", ".ICO", Noise(2)},
        {"huge", ".ICO", Ico(4000, 4000)},
        {"1x1", ".ICO", Ico(1, 1)},
    };
    for (const auto& file : files) {
        const std::string kind = std::string(file.extension + 1) + "_" + file.name;
        std::unique_ptr<RunningBar> running =
            LaunchBar(tolvixExe, "logo-" + kind, {{file.extension, file.bytes}}, 30000);
        std::string seen = running->error;
        bool ok = false;
        if (running->bar) {
            e2e::WaitFor(kRefreshDeadlineMs, [&] {
                const std::vector<Control> controls = ReadControls(running->bar);
                const Control* logo = FindControl(controls, bar_ids::OEMLOGO);
                std::vector<Control> buttons;
                for (const Control& c : TaskButtonElements(controls))
                    if (c.visible)
                        buttons.push_back(c);
                const bool shown = logo && logo->visible;
                const int width = logo ? logo->inBar.right - logo->inBar.left : 0;
                ok = !buttons.empty() && (!shown || std::abs(width - strip) <= 1);
                std::string lefts;
                for (const Control& b : buttons) {
                    const int left = b.inBar.left, w = b.inBar.right - b.inBar.left;
                    lefts += " " + std::to_string(left) + "+" + std::to_string(w);
                    ok = ok && w > 0 &&
                        (std::abs(left - buttonsLeft) <= 1 || (!shown && std::abs(left - noLogoLeft) <= 1));
                }
                seen = std::string("logo ") + (shown ? "shown, " + std::to_string(width) + " px wide" : "hidden") +
                    "; visible buttons (left+width)" + (lefts.empty() ? " none" : lefts);
                return ok;
            });
        }
        report.Check("logo_file_" + kind + "_bar_starts_and_shows_buttons", ok,
            std::to_string(file.bytes.size()) + " bytes; " + seen + " (strip " + std::to_string(strip) +
                " px, buttons at " + std::to_string(buttonsLeft) + " px, or " + std::to_string(noLogoLeft) +
                " px without a logo)");
        running->process.Kill();
    }
}

} // namespace bar_probe

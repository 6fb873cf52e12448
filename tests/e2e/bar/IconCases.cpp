// The icons of the task buttons: a window's own solid-red icon shows on its button; a window
// whose thread hangs before it ever answers gets the generic icon, while the bar keeps answering
// at once, and its own icon once it recovers.
#include "tests/e2e/bar/IconCases.h"

#include <algorithm>

#include "tests/e2e/bar/BarKit.h"
#include "tests/e2e/bar/BarReader.h"
#include "tests/e2e/bar/ButtonWatch.h"
#include "tests/e2e/common/Poll.h"
#include "tests/e2e/common/ScreenCapture.h"
#include "tests/e2e/common/TestWindows.h"
#include "win32kit/Handles.h"

namespace bar_probe {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGenericTitleBar = RGB(0, 0, 128); // the generic icon's title bar
constexpr int kHangMs = 8000;
constexpr long long kAnswerLimitMs = 250;

struct IconInk {
    bool found = false;
    int red = 0;
    int generic = 0;
};

// The pixels of each colour in the button's left part, where its icon sits (the text is beside it).
IconInk ReadIcon(HWND bar, const std::string& caption)
{
    const std::vector<Control> buttons = VisibleTaskButtons(bar);
    const Control* button = FindButton(buttons, caption);
    if (!button)
        return {};
    RECT left = button->onScreen;
    left.right = std::min(left.right, left.left + TwipsToPixelsX(16 * 15) + 8);
    const e2e::Image image = e2e::CaptureScreen(left);
    IconInk ink {true};
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const COLORREF c = image.At(x, y);
            ink.red += c == kRed;
            ink.generic += c == kGenericTitleBar;
        }
    return ink;
}

std::string InkText(const IconInk& ink)
{
    if (!ink.found)
        return "no such button";
    return std::to_string(ink.red) + " red and " + std::to_string(ink.generic) + " generic-icon pixels";
}

// The longest the bar took to answer WM_NULL over the samples.
struct AnswerTimes {
    long long longest = 0;
    int samples = 0;
    int failed = 0;
    void sample(HWND bar)
    {
        const unsigned long long before = e2e::NowMs();
        DWORD_PTR result = 0;
        if (!SendMessageTimeoutA(bar, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result))
            ++failed;
        longest = std::max(longest, static_cast<long long>(e2e::NowMs() - before));
        ++samples;
    }
};

} // namespace

void CheckIcons(e2e::Report& report, const RunningBar& running)
{
    const int square = TwipsToPixelsX(16 * 15);
    {
        e2e::ChildProcess peer = StartPeer("icon \"E2E Red Icon\"");
        IconInk ink;
        const bool shown = e2e::WaitFor(kRefreshDeadlineMs, [&] {
            ink = ReadIcon(running.bar, "E2E Red Icon");
            return ink.red >= square * square / 2;
        });
        report.Check("icon_window_icon_shown", shown, InkText(ink) + " beside the caption");
        // What this platform lets another process do with a window's icon handle (Wine keeps
        // icons private to the process that made them).
        HWND window = FindVisibleWindowOf(peer.id(), "E2E Red Icon");
        DWORD_PTR icon = 0;
        SendMessageTimeoutA(window, WM_GETICON, ICON_SMALL2, 0, SMTO_ABORTIFHUNG, 1000, &icon);
        const win32kit::UniqueIcon copy(icon
                ? static_cast<HICON>(CopyImage(reinterpret_cast<HANDLE>(icon), IMAGE_ICON, square, square, 0))
                : nullptr);
        report.Note("from another process: WM_GETICON answers " + e2e::Hex(icon) + ", its copy " +
            (copy ? "works" : "fails") + ", class icon " + e2e::Hex(GetClassLongPtrA(window, GCLP_HICONSM)));
    }

    e2e::ChildProcess peer = StartPeer("icon \"E2E Hung Icon\" --hang " + std::to_string(kHangMs));
    const unsigned long long started = e2e::NowMs();
    AnswerTimes answers;
    IconInk ink;
    const bool generic = e2e::WaitFor(kRefreshDeadlineMs, [&] {
        answers.sample(running.bar);
        ink = ReadIcon(running.bar, "E2E Hung Icon");
        return ink.generic > 0 && ink.red == 0;
    });
    const long long shownAfter = static_cast<long long>(e2e::NowMs() - started);
    // Keep asking while the window still hangs.
    while (e2e::NowMs() - started < kHangMs - 1000) {
        answers.sample(running.bar);
        e2e::PumpFor(20);
    }
    report.Check("icon_hung_window_generic", generic && shownAfter < kHangMs,
        InkText(ink) + " after " + std::to_string(shownAfter) + " ms, the window hanging " + std::to_string(kHangMs) +
            " ms");
    report.Check("icon_bar_answers_beside_hung_window", answers.failed == 0 && answers.longest <= kAnswerLimitMs,
        "WM_NULL answered within " + std::to_string(answers.longest) + " ms at most over " +
            std::to_string(answers.samples) + " sends, " + std::to_string(answers.failed) + " timed out");
    const bool recovered = e2e::WaitFor(kHangMs + kRefreshDeadlineMs, [&] {
        ink = ReadIcon(running.bar, "E2E Hung Icon");
        return ink.red >= square * square / 2;
    });
    report.Check("icon_recovered_window_icon_shown", recovered, InkText(ink) + " once the window answers");
}

} // namespace bar_probe

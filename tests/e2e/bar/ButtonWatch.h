#pragma once
// Polling helpers over the bar's task buttons: waiting for captions, reading a button's
// on-screen colour.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/e2e/bar/BarReader.h"

namespace bar_probe {

// The task-button refresh runs every 2000 ms: a change shows within one tick, but the first
// tick after a start or under load can be late, so waits allow three.
constexpr int kRefreshDeadlineMs = 6000;
// What "within one refresh" may take: a tick plus scheduling slack.
constexpr int kOneRefreshMs = 3000;

// Polls the visible captions until `accept` holds; `seen` gets the last captions read.
bool WaitForCaptions(HWND bar, int timeoutMs, const std::function<bool(const std::vector<std::string>&)>& accept,
    std::vector<std::string>& seen);

// The captions among `captions` that are in `wanted`, in button order.
std::vector<std::string> Only(const std::vector<std::string>& captions, const std::vector<std::string>& wanted);
bool Contains(const std::vector<std::string>& captions, const std::string& caption);

// The screen colour inside the button captioned `caption` near its right edge (the icon sits at
// its left and the text is centred, so this is the button's background); CLR_INVALID when there
// is no such button.
COLORREF ButtonBackground(HWND bar, const std::string& caption);
bool ButtonHighlighted(HWND bar, const std::string& caption);
bool ButtonPlain(HWND bar, const std::string& caption);

int TwipsToPixelsX(int twips);
int TwipsToPixelsY(int twips);

} // namespace bar_probe

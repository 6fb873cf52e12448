#include "platform/win32/Win32NotificationHost.h"

#include <algorithm>

namespace platform::win32 {

namespace {

constexpr const char* kTrayClass = "Shell_TrayWnd";
// The request blocks are about a kilobyte, plus an icon's bits: larger ones are not requests.
constexpr DWORD kMaxBlockBytes = 1 << 20;
constexpr DWORD kSmallestRequest = 960;

HWND WindowOf(std::uint32_t value)
{
    // A window handle is 32 bits wide in every process, sign-extended in a 64-bit one.
    return reinterpret_cast<HWND>(static_cast<LONG_PTR>(static_cast<LONG>(value)));
}

} // namespace

Win32NotificationHost::Win32NotificationHost()
    : classes_(GetModuleHandleA(nullptr))
    , taskbarCreated_(RegisterWindowMessageA("TaskbarCreated"))
{
}

Win32NotificationHost::~Win32NotificationHost()
{
    stop();
}

bool Win32NotificationHost::start(TrayRequestHandler handler)
{
    if (window_)
        return true;
    if (!classes_.add({kTrayClass}))
        return false;
    previous_ = FindWindowA(kTrayClass, nullptr);
    win32kit::WindowSpec design;
    design.className = kTrayClass;
    design.style = WS_POPUP;
    design.exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    handler_ = std::move(handler);
    window_.reset(win32kit::createWindow(GetModuleHandleA(nullptr), design, *this));
    if (!window_) {
        handler_ = {};
        return false;
    }
    standInFront();
    return true;
}

void Win32NotificationHost::standInFront()
{
    // Shell_NotifyIcon takes the first window of the class in Z order: ours, topmost and newest.
    SetWindowPos(window_.get(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (previous_ && FindWindowA(kTrayClass, nullptr) != window_.get())
        SetWindowPos(previous_, window_.get(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool Win32NotificationHost::keepInFront()
{
    if (!window_)
        return false;
    const HWND first = FindWindowA(kTrayClass, nullptr);
    if (!first || first == window_.get())
        return false;
    previous_ = first;
    standInFront();
    return true;
}

void Win32NotificationHost::stop()
{
    window_.reset();
    handler_ = {};
    classes_.clear();
}

void Win32NotificationHost::announce()
{
    if (taskbarCreated_)
        PostMessageA(HWND_BROADCAST, taskbarCreated_, 0, 0);
}

bool Win32NotificationHost::post(
    std::uint32_t window, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam)
{
    const HWND target = WindowOf(window);
    return IsWindow(target) && PostMessageA(target, message, wParam, lParam) != FALSE;
}

bool Win32NotificationHost::windowExists(std::uint32_t window)
{
    return IsWindow(WindowOf(window)) != FALSE;
}

void Win32NotificationHost::allowForeground(std::uint32_t window)
{
    DWORD processId = 0;
    if (GetWindowThreadProcessId(WindowOf(window), &processId) && processId)
        AllowSetForegroundWindow(processId);
}

IconHandle Win32NotificationHost::makeIcon(std::uint32_t width, std::uint32_t height, std::uint32_t bitsPerPixel,
    const std::vector<std::uint8_t>& mask, const std::vector<std::uint8_t>& colour)
{
    if (width == 0 || height == 0 || width > 256 || height > 256)
        return 0;
    // Rows padded to 16 bits, as CreateIcon reads them; a sender may have cut the last rows off.
    const auto padded = [](const std::vector<std::uint8_t>& bits, std::size_t bytes) {
        std::vector<std::uint8_t> whole(bytes, 0);
        std::copy_n(bits.begin(), std::min(bits.size(), bytes), whole.begin());
        return whole;
    };
    const std::size_t maskRow = (width + 15) / 16 * 2;
    if (bitsPerPixel == 1) {
        // A monochrome icon: the AND half, then the XOR half, of one mask twice as high.
        const std::vector<std::uint8_t> both = padded(mask, 2 * maskRow * height);
        return reinterpret_cast<IconHandle>(CreateIcon(GetModuleHandleA(nullptr), static_cast<int>(width),
            static_cast<int>(height), 1, 1, both.data(), both.data() + maskRow * height));
    }
    const std::size_t colourRow = (width * bitsPerPixel + 15) / 16 * 2;
    const std::vector<std::uint8_t> andBits = padded(mask, maskRow * height);
    const std::vector<std::uint8_t> xorBits = padded(colour, colourRow * height);
    return reinterpret_cast<IconHandle>(CreateIcon(GetModuleHandleA(nullptr), static_cast<int>(width),
        static_cast<int>(height), 1, static_cast<BYTE>(bitsPerPixel), andBits.data(), xorBits.data()));
}

LRESULT Win32NotificationHost::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COPYDATA) {
        const auto* block = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (!block || block->cbData > kMaxBlockBytes || (block->cbData > 0 && !block->lpData))
            return FALSE;
        // The system's appbar messages (0) and icon rectangles (3) are small blocks, none of them
        // a request for an icon: the system taskbar's business.
        const bool taskbarBusiness = (block->dwData == 0 || block->dwData == 3) && block->cbData < kSmallestRequest;
        if (taskbarBusiness && previous_ && IsWindow(previous_)) {
            DWORD_PTR answer = 0;
            SendMessageTimeoutA(previous_, message, wParam, lParam, SMTO_ABORTIFHUNG, 1000, &answer);
            return static_cast<LRESULT>(answer);
        }
        return handler_ && handler_(block->dwData, block->lpData, block->cbData) ? TRUE : FALSE;
    }
    if (previous_ && IsWindow(previous_) && message >= WM_USER) {
        DWORD_PTR answer = 0;
        SendMessageTimeoutA(previous_, message, wParam, lParam, SMTO_ABORTIFHUNG, 1000, &answer);
        return static_cast<LRESULT>(answer);
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void Win32NotificationHost::windowDestroyed(HWND)
{
    window_.release();
}

LRESULT Win32NotificationHost::resultAfterFailure(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_COPYDATA ? FALSE : 0;
}

} // namespace platform::win32

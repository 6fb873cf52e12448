#include "control/com/AboutWindow.h"

#include "control/com/WindowAndMenuIds.h"
#include "control/core/SampleColour.h"
#include "win32kit/DcScopes.h"

namespace dralith {
namespace {

constexpr int kPictureSize = 48;
constexpr int kWidth = 340;
constexpr int kHeight = 190;

RECT box(int x, int y, int width, int height)
{
    return RECT {x, y, x + width, y + height};
}

} // namespace

AboutWindow::~AboutWindow()
{
    window_.reset(); // the picture may be deleted only once no window shows it
    picture_.reset();
}

void AboutWindow::show(HWND owner)
{
    if (!window_ && !create(owner))
        return;
    ShowWindow(window_.get(), SW_SHOWNORMAL);
    SetForegroundWindow(window_.get());
}

bool AboutWindow::create(HWND owner)
{
    win32kit::WindowSpec props;
    props.className = kAboutClass;
    props.title = "about Dralith";
    props.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    props.bounds = box(120, 120, kWidth, kHeight);
    props.parent = owner;
    window_.reset(createHandledWindow(props, *this));
    if (!window_)
        return false;
    makePicture();
    const DWORD label = WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
    addChild(
        "STATIC", "", WS_CHILD | WS_VISIBLE | SS_BITMAP, ids::kAboutPicture1, box(12, 12, kPictureSize, kPictureSize));
    SendDlgItemMessageA(
        window_.get(), ids::kAboutPicture1, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture_.get()));
    addChild("STATIC", "Dralith Version 1.00", label, ids::kAboutA0, box(72, 12, 250, 18));
    addChild("STATIC", "Shows free physical memory as a graph and frees memory up on request.", label, ids::kAboutA5,
        box(72, 34, 250, 34));
    addChild("STATIC", "Copyright (c) Brenwick. All rights reserved.", label, ids::kAboutA2, box(72, 74, 250, 18));
    addChild(
        "STATIC", "Made by Brenwick for the Pellgrove control library.", label, ids::kAboutA3, box(72, 94, 250, 18));
    addChild("BUTTON", "Close", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, ids::kAboutOKK,
        box(kWidth - 100, 122, 80, 24));
    return true;
}

void AboutWindow::addChild(const char* className, const char* text, DWORD style, int id, RECT bounds)
{
    HWND child = CreateWindowExA(0, className, text, style, bounds.left, bounds.top, bounds.right - bounds.left,
        bounds.bottom - bounds.top, window_.get(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    if (child)
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
}

// The product picture: the colour ramp of the graph with a falling and rising line over it.
void AboutWindow::makePicture()
{
    win32kit::WindowDc screen(window_.get());
    win32kit::UniqueMemoryDc dc(CreateCompatibleDC(screen.get()));
    win32kit::UniqueGdiObject bitmap(CreateCompatibleBitmap(screen.get(), kPictureSize, kPictureSize));
    if (!dc || !bitmap)
        return;
    {
        win32kit::ScopedSelect select(dc.get(), bitmap.get());
        win32kit::ScopedSelect pen(dc.get(), GetStockObject(DC_PEN));
        for (int x = 0; x < kPictureSize; ++x) {
            const double fraction = static_cast<double>(x) / (kPictureSize - 1);
            SetDCPenColor(dc.get(), SampleColour(fraction, kBackgroundBase));
            MoveToEx(dc.get(), x, 0, nullptr);
            LineTo(dc.get(), x, kPictureSize);
        }
        const POINT points[] = {{0, 30}, {12, 38}, {24, 20}, {36, 26}, {47, 8}};
        SetDCPenColor(dc.get(), RGB(255, 255, 255));
        Polyline(dc.get(), points, 5);
    }
    picture_ = std::move(bitmap);
}

LRESULT AboutWindow::handleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        if (LOWORD(wParam) == ids::kAboutOKK || LOWORD(wParam) == IDCANCEL) {
            DestroyWindow(window); // OKK unloads the window
            return 0;
        }
        break;
    case WM_CTLCOLORSTATIC:
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_ERASEBKGND: {
        RECT client {};
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void AboutWindow::windowDestroyed(HWND)
{
    window_.release();
}

} // namespace dralith

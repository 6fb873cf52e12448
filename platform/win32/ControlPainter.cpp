#include "platform/win32/ControlPainter.h"

#include "platform/win32/Artwork.h"
#include "platform/win32/Units.h"
#include "win32kit/DcScopes.h"

namespace platform::win32 {

namespace {

void drawText(HDC dc, RECT area, const Control& control, HFONT font)
{
    const ui::ControlSpec& props = control.props;
    if (props.caption.empty())
        return;
    const win32kit::ScopedSelect useFont(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, props.enabled ? toColorRef(props.fore) : GetSysColor(COLOR_GRAYTEXT));
    UINT format = DT_WORDBREAK | DT_NOPREFIX;
    if (props.align == ui::TextAlign::Centre)
        format |= DT_CENTER;
    else if (props.align == ui::TextAlign::Right)
        format |= DT_RIGHT;
    DrawTextA(dc, props.caption.c_str(), static_cast<int>(props.caption.size()), &area, format);
}

void drawPicture(HDC dc, const Control& control)
{
    const UniqueMemoryDc source(CreateCompatibleDC(dc));
    if (!source)
        return;
    const win32kit::ScopedSelect useBitmap(source.get(), control.picture.get());
    // Shown at its natural size from the top-left corner, as a picture box does.
    const SIZE& shown = control.pictureSize;
    const SIZE& bitmap = control.bitmapSize;
    if (shown.cx == bitmap.cx && shown.cy == bitmap.cy) {
        BitBlt(dc, 0, 0, shown.cx, shown.cy, source.get(), 0, 0, SRCCOPY);
        return;
    }
    const int oldMode = SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, 0, 0, shown.cx, shown.cy, source.get(), 0, 0, bitmap.cx, bitmap.cy, SRCCOPY);
    SetStretchBltMode(dc, oldMode);
}

// A label's icon at its left edge, vertically centred, 16 pixels at 96 DPI; the area left for
// the text is what lies right of it.
void drawLabelIcon(HDC dc, RECT& content, const Control& control, COLORREF backColour)
{
    const ui::ControlSpec& props = control.props;
    if (props.icon == 0 && props.artwork == ui::Artwork::None)
        return;
    const int size = MulDiv(16, GetDeviceCaps(dc, LOGPIXELSX), 96);
    const int margin = MulDiv(2, GetDeviceCaps(dc, LOGPIXELSX), 96);
    RECT square;
    square.left = content.left + margin;
    square.top = content.top + (content.bottom - content.top - size) / 2;
    square.right = square.left + size;
    square.bottom = square.top + size;
    // An icon its program destroyed meanwhile just draws nothing.
    if (props.icon != 0)
        DrawIconEx(dc, square.left, square.top, reinterpret_cast<HICON>(props.icon), size, size, 0, nullptr, DI_NORMAL);
    else
        drawArtwork(dc, square, props.artwork, backColour);
    content.left = square.right + margin;
}

// A control that acts as a push button: sunken and its content a pixel further while pressed,
// a dotted frame while it has the focus.
void drawButtonState(HDC dc, const RECT& area, const Control& control, bool focused)
{
    if (control.pressed) {
        RECT edge = area;
        DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
    }
    if (focused) {
        RECT frame = area;
        InflateRect(&frame, -1, -1);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        DrawFocusRect(dc, &frame);
    }
}

void drawContent(HDC dc, const RECT& area, const Control& control, HFONT font, bool focused = false,
    const PicturesBeneath& beneath = {});

// Each picture where it stands relative to the label's window, clipped to the label.
void drawPicturesBeneath(HDC dc, HWND label, const PicturesBeneath& beneath)
{
    RECT labelRect {};
    GetWindowRect(label, &labelRect);
    for (std::size_t i = 0; i < beneath.count; ++i) {
        const Control& picture = *beneath.pictures[i];
        RECT pictureRect {};
        GetWindowRect(picture.window.get(), &pictureRect);
        POINT origin {};
        SetViewportOrgEx(dc, pictureRect.left - labelRect.left, pictureRect.top - labelRect.top, &origin);
        const RECT area {0, 0, pictureRect.right - pictureRect.left, pictureRect.bottom - pictureRect.top};
        drawContent(dc, area, picture, nullptr);
        SetViewportOrgEx(dc, origin.x, origin.y, nullptr);
    }
}

void drawContent(
    HDC dc, const RECT& area, const Control& control, HFONT font, bool focused, const PicturesBeneath& beneath)
{
    const COLORREF backColour = toColorRef(control.props.back);
    SetDCBrushColor(dc, backColour);
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
    RECT content = area;
    if (control.pressed)
        OffsetRect(&content, 1, 1);
    if (control.props.kind == ui::ControlKind::Label) {
        if (beneath.count > 0)
            drawPicturesBeneath(dc, control.window.get(), beneath);
        drawLabelIcon(dc, content, control, backColour);
        drawText(dc, content, control, font);
    } else if (control.props.kind == ui::ControlKind::Picture) {
        if (control.picture)
            drawPicture(dc, control);
        else
            drawArtwork(dc, area, control.props.artwork, backColour);
    }
    if (control.isButton())
        drawButtonState(dc, area, control, focused);
}

} // namespace

void paintControl(HWND window, const Control& control, HFONT font, const PicturesBeneath& beneath)
{
    const win32kit::PaintDc paint(window);
    RECT area {};
    GetClientRect(window, &area);
    if (area.right <= 0 || area.bottom <= 0)
        return;
    const bool focused = GetFocus() == window;
    // Pictures are plain fills and shapes that paint without flicker straight onto the window;
    // only text goes through a back buffer. The glow strip repaints twenty times a second.
    if (control.props.kind != ui::ControlKind::Label) {
        drawContent(paint.get(), area, control, font, focused);
        return;
    }
    const UniqueMemoryDc buffer(CreateCompatibleDC(paint.get()));
    const UniqueBitmap canvas(CreateCompatibleBitmap(paint.get(), area.right, area.bottom));
    if (!buffer || !canvas) {
        drawContent(paint.get(), area, control, font, focused, beneath);
        return;
    }
    {
        const win32kit::ScopedSelect useCanvas(buffer.get(), canvas.get());
        drawContent(buffer.get(), area, control, font, focused, beneath);
        BitBlt(paint.get(), 0, 0, area.right, area.bottom, buffer.get(), 0, 0, SRCCOPY);
    }
}

void repaintPictureNow(HWND window, const Control& control)
{
    const win32kit::WindowDc dc(window);
    RECT area {};
    GetClientRect(window, &area);
    if (dc.get() && area.right > 0 && area.bottom > 0)
        drawContent(dc.get(), area, control, nullptr);
}

} // namespace platform::win32

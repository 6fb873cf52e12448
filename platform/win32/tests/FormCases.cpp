// Forms and controls as real windows: ids, captions, geometry, repaint economy, pictures.
#include "platform/win32/tests/SelfTest.h"
#include "platform/Widgets.h"
#include "platform/win32/tests/Support.h"

#include <cmath>
#include <cstring>
#include <stdexcept>

using namespace selftest;
using ui::ControlKind;

namespace {

int pixels(float twips, float twipsPerPixel)
{
    return static_cast<int>(std::nearbyint(twips / twipsPerPixel));
}

RECT rectInParent(HWND window)
{
    RECT rect {};
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

bool needsPaint(HWND window)
{
    return GetUpdateRect(window, nullptr, FALSE) != FALSE;
}

template <typename T> void append(std::string& bytes, const T& value)
{
    bytes.append(reinterpret_cast<const char*>(&value), sizeof value);
}

std::string bitmapFile(int width, int height)
{
    const int stride = (width * 3 + 3) / 4 * 4;
    BITMAPFILEHEADER file {};
    BITMAPINFOHEADER info {};
    file.bfType = 0x4D42; // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(stride * height);
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    std::string bytes;
    append(bytes, file);
    append(bytes, info);
    bytes.append(static_cast<std::size_t>(stride * height), '\x40');
    return bytes;
}

std::string iconFile()
{
    const int size = 16;
    const DWORD imageBytes = sizeof(BITMAPINFOHEADER) + size * size * 4 + size * 4;
    std::string bytes;
    const WORD header[3] = {0, 1, 1}; // reserved, type icon, one image
    append(bytes, header);
    const BYTE entry[4] = {size, size, 0, 0};
    append(bytes, entry);
    const WORD planesAndBits[2] = {1, 32};
    append(bytes, planesAndBits);
    append(bytes, imageBytes);
    const DWORD offset = 6 + 16;
    append(bytes, offset);
    BITMAPINFOHEADER info {};
    info.biSize = sizeof info;
    info.biWidth = size;
    info.biHeight = size * 2; // colour rows plus mask rows
    info.biPlanes = 1;
    info.biBitCount = 32;
    append(bytes, info);
    for (int pixel = 0; pixel < size * size; ++pixel)
        bytes.append("\x00\x80\xFF\xFF", 4); // opaque orange
    bytes.append(static_cast<std::size_t>(size * 4), '\0');
    return bytes;
}

} // namespace

SELFTEST(ControlsAreChildWindowsWithTheirIdsAndCaptions)
{
    platform::win32::Win32Platform platform;
    ui::Toolkit& toolkit = platform.toolkit();
    const ui::ScreenMetrics screen = toolkit.screen();
    Recorder events;
    const ui::FormId form = toolkit.createForm(formSpec("Self test"), events);
    const HWND window = toHwnd(toolkit.formWindow(form));
    CHECK(IsWindow(window));
    CHECK(!IsWindowVisible(window));
    CHECK_EQ(windowText(window), std::string("Self test"));
    CHECK((GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0);

    const int lastTaskButton = 0x200000 + 65535;
    toolkit.createControl(
        form, lastTaskButton, controlSpec(ControlKind::Label, {120, 120, 2775, 285}, "Task", "Task tip"));
    toolkit.createControl(form, 102, controlSpec(ControlKind::Panel, {0, 990, 3030, 900}));
    toolkit.createControl(form, 113, controlSpec(ControlKind::Label, {1560, 60, 1095, 255}, "Tolvane", "", 102));
    toolkit.createControl(form, 115, controlSpec(ControlKind::TextBox, {120, 360, 2775, 285}, "", "", 102));

    const HWND label = GetDlgItem(window, lastTaskButton);
    CHECK(label != nullptr);
    CHECK_EQ(GetDlgCtrlID(label), lastTaskButton);
    CHECK_EQ(windowText(label), std::string("Task"));
    CHECK_EQ(className(label), std::string("TolvaneLabel"));
    const RECT place = rectInParent(label);
    CHECK_EQ(place.left, pixels(120, screen.twipsPerPixelX));
    CHECK_EQ(place.top, pixels(120, screen.twipsPerPixelY));
    CHECK_EQ(place.right - place.left, pixels(2775, screen.twipsPerPixelX));
    CHECK_EQ(place.bottom - place.top, pixels(285, screen.twipsPerPixelY));

    const HWND panel = GetDlgItem(window, 102);
    const HWND inner = findControl(window, 113);
    const HWND textBox = findControl(window, 115);
    CHECK(inner != nullptr && GetParent(inner) == panel);
    CHECK(textBox != nullptr && _stricmp(className(textBox).c_str(), "Edit") == 0);

    setCaption(toolkit, form, lastTaskButton, "Renamed");
    CHECK_EQ(windowText(label), std::string("Renamed"));

    bool refused = false;
    try {
        toolkit.createControl(form, lastTaskButton, controlSpec(ControlKind::Label, {0, 0, 100, 100}));
    } catch (const std::logic_error&) {
        refused = true;
    }
    CHECK(refused);

    // A panel takes its controls with it, and their ids become free again.
    toolkit.destroyControl(form, 102);
    CHECK(!IsWindow(panel));
    CHECK(!IsWindow(inner));
    CHECK(!IsWindow(textBox));
    toolkit.createControl(form, 113, controlSpec(ControlKind::Label, {0, 0, 300, 300}, "Again"));
    CHECK_EQ(windowText(GetDlgItem(window, 113)), std::string("Again"));
}

SELFTEST(UnchangedPropertiesRepaintNothingAndChangesRepaintOnlyTheirControl)
{
    platform::win32::Win32Platform platform;
    ui::Toolkit& toolkit = platform.toolkit();
    ui::Form form(toolkit, formSpec("Repaint"));
    ui::Control first(form, 1, controlSpec(ControlKind::Label, {120, 120, 2000, 285}, "A", "tip A"));
    ui::Control second(form, 2, controlSpec(ControlKind::Label, {120, 600, 2000, 285}, "B"));
    ui::ControlSpec lampSpec = controlSpec(ControlKind::Picture, {120, 1200, 240, 240});
    lampSpec.artwork = ui::Artwork::LampOff;
    ui::Control lamp(form, 3, lampSpec);
    toolkit.showForm(form.id(), true);
    const HWND window = toHwnd(form.window());
    const HWND a = GetDlgItem(window, 1);
    const HWND b = GetDlgItem(window, 2);
    const HWND picture = GetDlgItem(window, 3);
    CHECK(pumpUntil(platform, [&] { return !needsPaint(a) && !needsPaint(b) && !needsPaint(picture); }));

    first.setCaption("A");
    first.setToolTip("tip A");
    first.setColours(ui::kSysButtonFace, ui::kSysButtonText);
    first.setVisible(true);
    first.setEnabled(true);
    first.setRect(ui::Rect {120, 120, 2000, 285});
    CHECK(!needsPaint(a));
    CHECK(!needsPaint(picture));

    first.setCaption("A2");
    CHECK(needsPaint(a));
    CHECK(!needsPaint(b));
    CHECK(pumpUntil(platform, [&] { return !needsPaint(a); }));

    second.setColours(ui::kSysHighlight, ui::kSysHighlightText);
    CHECK(needsPaint(b));
    CHECK(!needsPaint(a));

    CHECK(lamp.loadResourcePicture("ABOUTICON").has_value());
    CHECK(needsPaint(picture));

    second.setVisible(false);
    CHECK(!IsWindowVisible(b));
    second.setVisible(true);
    CHECK(IsWindowVisible(b));
}

SELFTEST(ListBoxesShowTheirItemsAndReportTheUsersSelection)
{
    platform::win32::Win32Platform platform;
    ui::Toolkit& toolkit = platform.toolkit();
    ui::Form form(toolkit, formSpec("List"));
    ui::ControlSpec props = controlSpec(ControlKind::ListBox, {0, 0, 3000, 2000});
    props.multiSelect = true;
    props.items = {"one.exe", "two.exe"};
    ui::Control list(form, 301, props);
    int clicks = 0;
    list.onClick([&] { ++clicks; });
    const HWND box = GetDlgItem(toHwnd(form.window()), 301);
    CHECK_EQ(SendMessageA(box, LB_GETCOUNT, 0, 0), 2L);
    list.setItems({"a.exe", "b.exe", "b.exe"});
    CHECK_EQ(SendMessageA(box, LB_GETCOUNT, 0, 0), 3L);
    CHECK(list.selectedItems().empty());

    // The user picks the first item, then the third with Ctrl held.
    const auto pick = [&](int index, WPARAM keys) {
        RECT item {};
        SendMessageA(box, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
        const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
        SendMessageA(box, WM_LBUTTONDOWN, keys | MK_LBUTTON, at);
        SendMessageA(box, WM_LBUTTONUP, keys, at);
    };
    pick(0, 0);
    pick(2, MK_CONTROL);
    CHECK(list.selectedItems() == std::vector<int>({0, 2}));
    CHECK(clicks >= 2);

    list.setSelectedItems({1});
    CHECK_EQ(SendMessageA(box, LB_GETSEL, 1, 0), 1L);
    CHECK_EQ(SendMessageA(box, LB_GETSEL, 0, 0), 0L);
    list.setItems({});
    CHECK(list.selectedItems().empty());
}

SELFTEST(FrameAndClientAreaFollowTheFormRectBeforeTheResizeEvent)
{
    platform::win32::Win32Platform platform;
    ui::Toolkit& toolkit = platform.toolkit();
    const ui::ScreenMetrics screen = toolkit.screen();
    Recorder events;
    const ui::FormId form = toolkit.createForm(formSpec("Layout"), events);
    const HWND window = toHwnd(toolkit.formWindow(form));
    RECT seenClient {};
    events.resized = [&] { GetClientRect(window, &seenClient); };
    const ui::Rect frame {1800, 1800, 4500, 7500};
    toolkit.setFormRect(form, frame);
    CHECK(events.contains("resize"));

    RECT outer {};
    GetWindowRect(window, &outer);
    CHECK_EQ(outer.left, static_cast<LONG>(pixels(1800, screen.twipsPerPixelX)));
    CHECK_EQ(outer.bottom - outer.top, static_cast<LONG>(pixels(7500, screen.twipsPerPixelY)));
    const ui::Rect read = toolkit.formRect(form);
    CHECK_EQ(read.width, pixels(4500, screen.twipsPerPixelX) * screen.twipsPerPixelX);
    CHECK_EQ(read.height, pixels(7500, screen.twipsPerPixelY) * screen.twipsPerPixelY);
    const ui::Size client = toolkit.clientSize(form);
    CHECK_EQ(client.width, seenClient.right * screen.twipsPerPixelX);
    CHECK_EQ(client.height, seenClient.bottom * screen.twipsPerPixelY);
}

SELFTEST(AFormWithoutTitleBarIsAPopupWithAThinBorder)
{
    platform::win32::Win32Platform platform;
    ui::Toolkit& toolkit = platform.toolkit();
    const ui::ScreenMetrics screen = toolkit.screen();
    Recorder events;
    ui::FormSpec props = formSpec("");
    props.titleBar = false;
    props.toolWindow = false;
    props.client = ui::Size {5910, 2190};
    const ui::FormId form = toolkit.createForm(props, events);
    const HWND window = toHwnd(toolkit.formWindow(form));
    const LONG style = GetWindowLongA(window, GWL_STYLE);
    CHECK((style & WS_POPUP) != 0);
    CHECK((style & WS_CAPTION) != WS_CAPTION);
    CHECK((style & WS_THICKFRAME) == 0);
    RECT outer {};
    RECT client {};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    CHECK_EQ(client.right, static_cast<LONG>(pixels(5910, screen.twipsPerPixelX)));
    CHECK_EQ(client.bottom, static_cast<LONG>(pixels(2190, screen.twipsPerPixelY)));
    CHECK_EQ((outer.right - outer.left) - client.right, 2L);
    CHECK_EQ((outer.bottom - outer.top) - client.bottom, 2L);
}

SELFTEST(FormStateFollowsMinimiseAndMaximise)
{
    platform::win32::Win32Platform platform;
    ui::Toolkit& toolkit = platform.toolkit();
    Recorder events;
    const ui::FormId form = toolkit.createForm(formSpec("State"), events);
    toolkit.showForm(form, true);
    const HWND window = toHwnd(toolkit.formWindow(form));
    CHECK(toolkit.formState(form) == ui::WindowState::Normal);
    ShowWindow(window, SW_MINIMIZE);
    CHECK(toolkit.formState(form) == ui::WindowState::Minimized);
    ShowWindow(window, SW_RESTORE);
    CHECK(toolkit.formState(form) == ui::WindowState::Normal);
    ShowWindow(window, SW_MAXIMIZE);
    CHECK(toolkit.formState(form) == ui::WindowState::Maximized);
}

SELFTEST(PicturesAndIconsLoadFromFilesAndFailQuietly)
{
    platform::win32::Win32Platform platform;
    ui::Toolkit& toolkit = platform.toolkit();
    const ui::ScreenMetrics screen = toolkit.screen();
    Recorder events;
    const ui::FormId form = toolkit.createForm(formSpec("Files"), events);
    toolkit.createControl(form, 101, controlSpec(ControlKind::Picture, {0, 0, 375, 1200}));

    const TempFile logo("logo.bmp");
    logo.write(bitmapFile(25, 80));
    const std::optional<ui::Size> size = toolkit.loadPicture(form, 101, logo.path(), ui::PictureSource::File);
    CHECK(size.has_value());
    if (size) {
        CHECK_EQ(size->width, 25 * screen.twipsPerPixelX);
        CHECK_EQ(size->height, 80 * screen.twipsPerPixelY);
    }
    const TempFile text("not-a-picture.bmp");
    text.write("This is text.\r\n");
    CHECK(!toolkit.loadPicture(form, 101, text.path(), ui::PictureSource::File).has_value());
    CHECK(!toolkit.loadPicture(form, 101, logo.path() + ".missing", ui::PictureSource::File).has_value());

    // The program's own bitmaps, by resource name.
    const std::optional<ui::Size> about = toolkit.loadPicture(form, 101, "ABOUT", ui::PictureSource::Resource);
    CHECK(about.has_value());
    if (about) {
        CHECK_EQ(about->width, 394 * screen.twipsPerPixelX);
        CHECK_EQ(about->height, 146 * screen.twipsPerPixelY);
    }
    CHECK(!toolkit.loadPicture(form, 101, "NO_SUCH_PICTURE", ui::PictureSource::Resource).has_value());

    const HWND window = toHwnd(toolkit.formWindow(form));
    // Until the program sets one, a form shows the program's own icon.
    const HICON programIcon = LoadIconA(GetModuleHandleA(nullptr), "TOLVIX");
    CHECK(programIcon != nullptr);
    CHECK(reinterpret_cast<HICON>(GetClassLongPtrA(window, GCLP_HICON)) == programIcon);
    const TempFile icon("bar.ico");
    icon.write(iconFile());
    CHECK(toolkit.setFormIcon(form, icon.path()));
    CHECK(SendMessageA(window, WM_GETICON, ICON_BIG, 0) != 0);
    CHECK(SendMessageA(window, WM_GETICON, ICON_SMALL, 0) != 0);
    CHECK(!toolkit.setFormIcon(form, text.path()));
    CHECK(!toolkit.setFormIcon(form, icon.path() + ".missing"));
}

SELFTEST(ArtworkAndLabelsAreDrawnInTheirColours)
{
    platform::win32::Win32Platform platform;
    ui::Toolkit& toolkit = platform.toolkit();
    Recorder events;
    const ui::FormId form = toolkit.createForm(formSpec("Artwork"), events);
    const auto picture = [&](ui::ControlId id, ui::Rect rect, ui::Artwork artwork) {
        ui::ControlSpec props = controlSpec(ControlKind::Picture, rect);
        props.artwork = artwork;
        toolkit.createControl(form, id, props);
    };
    picture(1, {120, 120, 480, 480}, ui::Artwork::LampOn);
    picture(2, {720, 120, 480, 480}, ui::Artwork::LampOff);
    picture(3, {120, 720, 480, 480}, ui::Artwork::Gauge6);
    picture(4, {720, 720, 480, 480}, ui::Artwork::Gauge0);
    picture(5, {120, 1320, 480, 480}, ui::Artwork::TaskIcon);
    picture(6, {120, 1920, 1620, 360}, ui::Artwork::WinampButtons);
    picture(8, {1800, 120, 960, 720}, ui::Artwork::AlignPreview3); // left
    picture(9, {1800, 900, 960, 720}, ui::Artwork::AlignPreview8); // bottom right
    ui::ControlSpec label = controlSpec(ControlKind::Label, {120, 2400, 1200, 300}, "");
    label.back = 0x0000FF; // pure red
    toolkit.createControl(form, 7, label);
    toolkit.showForm(form, true);
    const HWND window = toHwnd(toolkit.formWindow(form));
    CHECK(pumpUntil(platform, [&] {
        for (int id = 1; id <= 9; ++id)
            if (needsPaint(GetDlgItem(window, id)))
                return false;
        return true;
    }));

    // Samples a point given in parts of the control's width and height.
    const auto sample = [&](int id, int across, int down, int parts) {
        const HWND control = GetDlgItem(window, id);
        RECT client {};
        GetClientRect(control, &client);
        const HDC dc = GetDC(control);
        const COLORREF colour = GetPixel(dc, client.right * across / parts, client.bottom * down / parts);
        ReleaseDC(control, dc);
        return colour;
    };
    const COLORREF lampOn = sample(1, 7, 7, 12);
    CHECK(GetGValue(lampOn) > 150 && GetRValue(lampOn) < 100);
    const COLORREF lampOff = sample(2, 7, 7, 12);
    CHECK(GetRValue(lampOff) > 80 && GetGValue(lampOff) < 60);
    const COLORREF full = sample(3, 8, 12, 16);
    CHECK(GetGValue(full) > 150 && GetRValue(full) < 100);
    const COLORREF empty = sample(4, 8, 12, 16);
    CHECK(GetRValue(empty) < 90 && GetGValue(empty) < 90 && GetBValue(empty) < 90);
    const COLORREF titleBar = sample(5, 6, 3, 16);
    CHECK(GetBValue(titleBar) > 100 && GetRValue(titleBar) < 60);
    const COLORREF stopKey = sample(6, 71, 56, 112); // middle of the third key's square
    CHECK(GetRValue(stopKey) < 60 && GetGValue(stopKey) < 60 && GetBValue(stopKey) < 60);
    CHECK_EQ(sample(7, 1, 1, 2), RGB(255, 0, 0));
    // A preview shows the bar (dark blue) at its place on the screen (teal), and only there.
    const auto bar = [](COLORREF c) { return GetBValue(c) > 100 && GetRValue(c) < 60 && GetGValue(c) < 60; };
    const auto desktop = [](COLORREF c) { return GetGValue(c) > 100 && GetBValue(c) > 100 && GetRValue(c) < 60; };
    CHECK(bar(sample(8, 5, 20, 64))); // above the arrow in its middle
    CHECK(desktop(sample(8, 32, 32, 64)));
    CHECK(bar(sample(9, 59, 37, 64)));
    CHECK(desktop(sample(9, 5, 32, 64)));
}

// End-to-end host of the memory viewer control: sites DralithCTL in the ATL container window of
// the system's atl.dll, lets it tick, reads its label through the window tree, drives its menu,
// measures paint time and the GDI object count, and waits for the screenshot of the test script.
// Then a container of its own UI-activates, draws and tears down further instances, and the
// registration is checked (toolbox bitmap, rollback of a registration that fails part-way).
//
// Usage: dralith_axhost.exe <results-file> <artifacts-folder>
// Writes the shared report's lines "PASS <check>", "FAIL <check>: <what was seen>" and its closing
// line, and "FIGURE <name> <value>". The screenshot "dralith-control" is asked of the runner with
// its handshake in the artifacts folder, next to "dralith-control.place": where the control is and
// the row and colour of its graph line.
//
//        dralith_axhost.exe --settings-bytes <value-name> <results-file>
// Writes "BYTES <type> <hex bytes>" of the control's registry value, exactly as stored.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <winternl.h>
#include <oleacc.h>

#include "tests/e2e/bar/Artifacts.h"
#include "tests/e2e/common/GdiObjects.h"
#include "tests/e2e/common/Report.h"
#include "win32kit/DcScopes.h"
#include "win32kit/Handles.h"
#include "win32kit/MessagePump.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <optional>
#include <regex>
#include <string>
#include <vector>

namespace {

FILE* g_results = nullptr;
std::optional<e2e::Report> g_report;

void fail(const std::string& check, const std::string& seen)
{
    g_report->Check(check, false, seen);
}
void expect(bool ok, const std::string& check, const std::string& seen)
{
    g_report->Check(check, ok, ok ? "" : seen);
}
void figure(const std::string& name, double value)
{
    std::fprintf(g_results, "FIGURE %s %.1f\n", name.c_str(), value);
    std::fflush(g_results);
}

std::string hex(long value)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(value));
    return text;
}

// Lets the thread's messages run until `done` is true or the deadline passes.
bool pumpUntil(DWORD milliseconds, const std::function<bool()>& done)
{
    const DWORD start = GetTickCount();
    for (;;) {
        win32kit::processPendingMessages();
        if (done && done())
            return true;
        if (GetTickCount() - start >= milliseconds)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

// Late-bound calls through the control's IDispatch, the way a script or form host calls it.
class Automation {
public:
    explicit Automation(IDispatch* dispatch)
        : dispatch_(dispatch)
    {
    }

    DISPID id(const wchar_t* name) const
    {
        DISPID result = DISPID_UNKNOWN;
        LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
        dispatch_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &result);
        return result;
    }
    HRESULT put(const wchar_t* name, VARIANT value)
    {
        DISPID named = DISPID_PROPERTYPUT;
        DISPPARAMS params {&value, &named, 1, 1};
        return dispatch_->Invoke(
            id(name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYPUT, &params, nullptr, nullptr, nullptr);
    }
    HRESULT putLong(const wchar_t* name, long number)
    {
        VARIANT value;
        VariantInit(&value);
        V_VT(&value) = VT_I4;
        V_I4(&value) = number;
        return put(name, value);
    }
    long getLong(const wchar_t* name)
    {
        VARIANT result;
        VariantInit(&result);
        DISPPARAMS none {nullptr, nullptr, 0, 0};
        if (FAILED(dispatch_->Invoke(
                id(name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_PROPERTYGET, &none, &result, nullptr, nullptr)))
            return -99999;
        VariantChangeType(&result, &result, 0, VT_I4);
        return V_I4(&result);
    }
    HRESULT call(const wchar_t* name, VARIANT* arguments = nullptr, UINT count = 0)
    {
        DISPPARAMS params {arguments, nullptr, count, 0};
        return dispatch_->Invoke(
            id(name), IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr);
    }

private:
    IDispatch* dispatch_;
};

// GDI objects of this process.
long gdiObjectCount()
{
    return e2e::GdiObjects(GetCurrentProcess(), GetCurrentProcessId());
}

std::string windowText(HWND window)
{
    char text[256] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The type library must give every member the dispatch identifier compiled hosts carry.
void checkDispatchIdentifiers(Automation& control)
{
    struct Member {
        const wchar_t* name;
        DISPID id;
    };
    const Member members[] = {
        {L"LoadSettings", 0x60030014},
        {L"SaveSettings", 0x60030015},
        {L"DelSettings", 0x60030016},
        {L"FreeOnClickEnabled", 0x68030013},
        {L"FreeMemory", 0x68030012},
        {L"DataLength", 0x68030011},
        {L"MenuDisplayVisible", 0x68030010},
        {L"MenuDisplayEnabled", 0x6803000F},
        {L"MenuDisplayMultiLineVisible", 0x6803000E},
        {L"MenuDisplayMultiLineEnabled", 0x6803000D},
        {L"MenuFreeOnClickVisible", 0x6803000C},
        {L"MenuFreeOnClickEnabled", 0x6803000B},
        {L"MemoryMaxMB", 0x6803000A},
        {L"MemoryMaxPageMB", 0x68030009},
        {L"MemoryMaxvirtualMB", 0x68030008},
        {L"MemoryCurrentMB", 0x68030007},
        {L"MemoryCurrentPageMB", 0x68030006},
        {L"MemoryCurrentVirtualMB", 0x68030005},
        {L"DisplayMode", 0x68030004},
        {L"BorderStyle", 0x68030003},
        {L"Appearance", 0x68030002},
        {L"Enabled", 0x68030001},
        {L"Interval", 0x68030000},
        {L"FreeUpMemory", 0x60030017},
        {L"Refresh", 0x6003001C},
    };
    std::string wrong;
    for (const Member& member : members) {
        const DISPID id = control.id(member.name);
        if (id != member.id) {
            char name[64];
            std::snprintf(name, sizeof name, "%ls=%s ", member.name, hex(id).c_str());
            wrong += name;
        }
    }
    expect(wrong.empty(), "dispatch identifiers of all members", wrong);
}

// Every member reached through the vtable must sit in the declared order (38 entries after IDispatch).
void checkTypeLibraryShape(IDispatch* dispatch)
{
    ITypeInfo* info = nullptr;
    if (FAILED(dispatch->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info)) || !info) {
        fail("type information", "GetTypeInfo failed");
        return;
    }
    TYPEATTR* attributes = nullptr;
    info->GetTypeAttr(&attributes);
    const WORD flags = attributes ? attributes->wTypeFlags : 0;
    const bool dual = (flags & TYPEFLAG_FDUAL) && (flags & TYPEFLAG_FHIDDEN) && (flags & TYPEFLAG_FNONEXTENSIBLE);
    const int functions = attributes ? attributes->cFuncs : -1;
    if (attributes)
        info->ReleaseTypeAttr(attributes);
    // The dispatch side lists IUnknown and IDispatch (7) before the 38 members.
    expect(dual && functions == 7 + 38, "_DralithCTL is dual, hidden, nonextensible with 38 members",
        "flags/functions " + std::to_string(functions));
    info->Release();
}

// The four enumerations of the type library with the values compiled hosts carry.
void checkEnumerations(IDispatch* dispatch)
{
    struct Enumeration {
        const wchar_t* name;
        const char* expected; // "member=value " in declaration order
    };
    const Enumeration enumerations[] = {
        {L"FreeMemModes",
            "BreakFreeing=0 Free8MB=8 Free16MB=16 Free32MB=32 Free64B=64 Free96MB=96 Free128MB=128 Free192MB=192 "
            "Free256MB=192 Free320MB=320 Free384MB=384 Free450MB=450 Free512MB=512 Free640MB=640 Free704MB=704 "
            "Free768MB=786 "},
        {L"BStyle", "None=0 FixedSingle=1 "},
        {L"FApp", "Flat=0 Lowered=1 "},
        {L"DisplayModes",
            "Off=0 PhysicalOnlyPercent=1 PhysicalOnlyMB=2 Percent=3 MegaBytes=4 PhysicalPercentPageFileMB=5 "
            "PhysicalPercentPageFileComparedMB=6 "},
    };
    ITypeInfo* info = nullptr;
    ITypeLib* library = nullptr;
    UINT index = 0;
    if (FAILED(dispatch->GetTypeInfo(0, LOCALE_USER_DEFAULT, &info)) ||
        FAILED(info->GetContainingTypeLib(&library, &index))) {
        fail("enumerations of the type library", "no type library");
        if (info)
            info->Release();
        return;
    }
    info->Release();
    for (const Enumeration& enumeration : enumerations) {
        std::string seen;
        ITypeInfo* found[1] = {};
        MEMBERID ids[1] = {};
        USHORT count = 1;
        std::wstring name = enumeration.name;
        if (SUCCEEDED(library->FindName(&name[0], 0, found, ids, &count)) && count == 1) {
            TYPEATTR* attributes = nullptr;
            found[0]->GetTypeAttr(&attributes);
            for (UINT i = 0; attributes && attributes->typekind == TKIND_ENUM && i < attributes->cVars; ++i) {
                VARDESC* variable = nullptr;
                if (FAILED(found[0]->GetVarDesc(i, &variable)))
                    continue;
                BSTR member = nullptr;
                UINT names = 0;
                found[0]->GetNames(variable->memid, &member, 1, &names);
                VARIANT value;
                VariantInit(&value);
                VariantChangeType(&value, variable->lpvarValue, 0, VT_I4);
                char entry[96];
                std::snprintf(entry, sizeof entry, "%ls=%ld ", member ? member : L"?", static_cast<long>(V_I4(&value)));
                seen += entry;
                SysFreeString(member);
                found[0]->ReleaseVarDesc(variable);
            }
            if (attributes)
                found[0]->ReleaseTypeAttr(attributes);
            found[0]->Release();
        }
        char check[96];
        std::snprintf(check, sizeof check, "enumeration %ls has the published values", enumeration.name);
        expect(seen == enumeration.expected, check, seen);
    }
    library->Release();
}

struct Sited {
    win32kit::UniqueWindow frame;
    HWND axWindow = nullptr;
    IUnknown* container = nullptr;
    IUnknown* control = nullptr;
};

using CreateControlEx = HRESULT(WINAPI*)(LPCOLESTR, HWND, IStream*, IUnknown**, IUnknown**, REFIID, IUnknown*);
using AxWinInit = BOOL(WINAPI*)();

bool siteControl(Sited& sited)
{
    HMODULE atl = LoadLibraryW(L"atl.dll");
    using AnyFunction = void (*)();
    auto init =
        atl ? reinterpret_cast<AxWinInit>(reinterpret_cast<AnyFunction>(GetProcAddress(atl, "AtlAxWinInit"))) : nullptr;
    auto create = atl
        ? reinterpret_cast<CreateControlEx>(reinterpret_cast<AnyFunction>(GetProcAddress(atl, "AtlAxCreateControlEx")))
        : nullptr;
    if (!init || !create || !init()) {
        fail("ATL container", "atl.dll or AtlAxWinInit missing");
        return false;
    }
    WNDCLASSW frameClass {};
    frameClass.lpfnWndProc = DefWindowProcW;
    frameClass.hInstance = GetModuleHandleW(nullptr);
    frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    frameClass.lpszClassName = L"DralithE2EFrame";
    RegisterClassW(&frameClass);
    sited.frame.reset(CreateWindowW(L"DralithE2EFrame", L"Dralith e2e host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
        440, 260, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    // An AtlAxWin window created with an empty name hosts nothing yet; the control is placed
    // into it next, which makes ATL keep its container site.
    sited.axWindow = CreateWindowW(L"AtlAxWin", L"", WS_CHILD | WS_VISIBLE, 10, 10, 400, 200, sited.frame.get(),
        nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!sited.frame || !sited.axWindow) {
        fail("ATL container", "AtlAxWin window not created");
        return false;
    }
    const HRESULT hr =
        create(L"Pellgrove.DralithCTL", sited.axWindow, nullptr, &sited.container, &sited.control, IID_NULL, nullptr);
    expect(
        SUCCEEDED(hr) && sited.control && sited.container, "AtlAxCreateControlEx sites Pellgrove.DralithCTL", hex(hr));
    return SUCCEEDED(hr) && sited.control;
}

// Right click: the menu M0 shows "megabyte" as the only checked mode; then "about Dralith" opens
// DralithFRM. The checks run from a timer while the menu's own loop runs.
struct MenuProbe {
    std::vector<std::string> checkedModes;
    int modeEntries = 0;
    bool sawMenu = false;
    bool chooseAbout = false;
};
MenuProbe g_menuProbe;

void CALLBACK inspectMenu(HWND, UINT, UINT_PTR timer, DWORD)
{
    HWND menuWindow = FindWindowW(L"#32768", nullptr);
    if (!menuWindow)
        return;
    KillTimer(nullptr, timer);
    g_menuProbe.sawMenu = true;
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(menuWindow, MN_GETHMENU, 0, 0));
    for (int item = 0; menu && item < GetMenuItemCount(menu); ++item) {
        HMENU modes = GetSubMenu(menu, item);
        if (!modes)
            continue;
        for (int mode = 0; mode < GetMenuItemCount(modes); ++mode) {
            ++g_menuProbe.modeEntries;
            char caption[64] = {};
            GetMenuStringA(modes, static_cast<UINT>(mode), caption, sizeof caption, MF_BYPOSITION);
            if (GetMenuState(modes, static_cast<UINT>(mode), MF_BYPOSITION) & MF_CHECKED)
                g_menuProbe.checkedModes.push_back(caption);
        }
    }
    if (g_menuProbe.chooseAbout) {
        // The first entry is "about Dralith".
        PostMessageW(menuWindow, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageW(menuWindow, WM_KEYDOWN, VK_RETURN, 0);
    } else {
        EndMenu();
    }
}

void rightClick(HWND surface)
{
    SetTimer(nullptr, 0, 50, inspectMenu);
    PostMessageW(surface, WM_RBUTTONUP, 0, MAKELPARAM(20, 20));
}

void checkMenuAndAbout(Automation& control, HWND surface)
{
    control.putLong(L"DisplayMode", 2);
    g_menuProbe = MenuProbe {};
    rightClick(surface);
    pumpUntil(5000, [] { return g_menuProbe.sawMenu && !FindWindowW(L"#32768", nullptr); });
    expect(g_menuProbe.modeEntries == 7 && g_menuProbe.checkedModes == std::vector<std::string> {"megabyte"},
        "right click with display mode 2 checks only \"megabyte\"",
        std::to_string(g_menuProbe.modeEntries) + " entries, " + std::to_string(g_menuProbe.checkedModes.size()) +
            " checked");

    g_menuProbe = MenuProbe {};
    g_menuProbe.chooseAbout = true;
    rightClick(surface);
    HWND about = nullptr;
    pumpUntil(5000, [&] {
        about = FindWindowA("DralithFRM", nullptr);
        return about && IsWindowVisible(about);
    });
    if (!about) {
        fail("about Dralith opens DralithFRM", "no window of class DralithFRM");
        return;
    }
    const std::string a0 = windowText(GetDlgItem(about, 201));
    const std::string okk = windowText(GetDlgItem(about, 205));
    expect(a0 == "Dralith Version 1.00" && okk == "Close", "DralithFRM shows A0 and OKK", a0 + " / " + okk);
    SendMessageW(GetDlgItem(about, 205), BM_CLICK, 0, 0);
    pumpUntil(3000, [] { return FindWindowA("DralithFRM", nullptr) == nullptr; });
    expect(FindWindowA("DralithFRM", nullptr) == nullptr, "OKK unloads DralithFRM", "window still there");
}

// What a screen reader asks for: the accessible name of the label's window.
void checkAccessibleName(HWND label, const std::string& shown)
{
    IAccessible* accessible = nullptr;
    HRESULT hr = AccessibleObjectFromWindow(
        label, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible, reinterpret_cast<void**>(&accessible));
    std::string name;
    if (SUCCEEDED(hr) && accessible) {
        VARIANT self;
        VariantInit(&self);
        V_VT(&self) = VT_I4;
        V_I4(&self) = CHILDID_SELF;
        BSTR text = nullptr;
        hr = accessible->get_accName(self, &text);
        if (text) {
            char buffer[256] = {};
            WideCharToMultiByte(CP_ACP, 0, text, -1, buffer, sizeof buffer, nullptr, nullptr);
            name = buffer;
            SysFreeString(text);
        }
        accessible->Release();
    }
    expect(
        !shown.empty() && name == shown, "UCCD's accessible name is the display text", hex(hr) + " \"" + name + "\"");
}

// The label UCCD is a child window whose text is the display text.
void checkLabel(Automation& control, HWND surface)
{
    HWND label = GetDlgItem(surface, 100);
    control.putLong(L"DisplayMode", 4);
    control.putLong(L"Interval", 100);
    const std::regex modeFour("([0-9]+) MB physical free\r([0-9]+)% pagefile free");
    std::smatch match;
    std::string text;
    const bool seen = pumpUntil(10000, [&] {
        text = windowText(label);
        return std::regex_match(text, match, modeFour);
    });
    expect(seen, "UCCD's window text is the mode 4 display text", "\"" + text + "\"");
    if (seen) {
        const long shown = std::strtol(match[1].str().c_str(), nullptr, 10);
        const long property = control.getLong(L"FreeMemory");
        expect(std::labs(shown - property) <= 256, "UCCD's megabytes agree with FreeMemory",
            std::to_string(shown) + " vs " + std::to_string(property));
    }
    expect(IsWindowVisible(label) != FALSE, "UCCD is visible in mode 4", "hidden");
    checkAccessibleName(label, text);
    control.putLong(L"DisplayMode", 0);
    expect(IsWindowVisible(label) == FALSE, "UCCD is hidden in mode 0", "visible");
    control.putLong(L"DisplayMode", 4);
}

struct DrawnPicture {
    HRESULT result = E_FAIL;
    COLORREF corner = 0;
    int brightInMiddleColumn = 0; // pixels of a graph line (red or green at 255, blue 0)
};

// Asks the control to draw itself into a 200 x 100 memory DC, as a container does.
DrawnPicture drawThroughViewObject(IUnknown* control)
{
    DrawnPicture picture;
    IViewObject* view = nullptr;
    control->QueryInterface(IID_IViewObject, reinterpret_cast<void**>(&view));
    if (!view)
        return picture;
    const win32kit::WindowDc screen(nullptr);
    const win32kit::UniqueMemoryDc memory(CreateCompatibleDC(screen.get()));
    const win32kit::UniqueBitmap bitmap(CreateCompatibleBitmap(screen.get(), 200, 100));
    const HDC dc = memory.get();
    const win32kit::ScopedSelect select(dc, bitmap.get());
    RECTL bounds {0, 0, 200, 100};
    picture.result = view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr, nullptr, 0);
    picture.corner = GetPixel(dc, 199, 99);
    for (int y = 0; y < 100; ++y) {
        const COLORREF pixel = GetPixel(dc, 100, y);
        if ((GetRValue(pixel) == 255 || GetGValue(pixel) == 255) && GetBValue(pixel) == 0)
            ++picture.brightInMiddleColumn;
    }
    view->Release();
    return picture;
}

// The control draws itself into a container's DC: the background is a dark tone of the ramp
// (blue 0, red or green at 128) and the graph lines are bright.
void checkViewDraw(IUnknown* control)
{
    const DrawnPicture picture = drawThroughViewObject(control);
    const int red = GetRValue(picture.corner), green = GetGValue(picture.corner), blue = GetBValue(picture.corner);
    const bool dark = blue == 0 && red <= 128 && green <= 128 && (red == 128 || green == 128);
    char seen[64];
    std::snprintf(seen, sizeof seen, "hr %s corner %d,%d,%d bright %d", hex(picture.result).c_str(), red, green, blue,
        picture.brightInMiddleColumn);
    expect(SUCCEEDED(picture.result) && dark && picture.brightInMiddleColumn > 0,
        "IViewObject::Draw paints ramp background and a bright graph", seen);
}

// Created without a container (like a script client), the control's timer still takes samples
// while the thread handles messages; with Enabled false it takes none.
void checkTimerWithoutContainer()
{
    CLSID clsid {};
    CLSIDFromProgID(L"Pellgrove.DralithCTL", &clsid);
    IUnknown* ticking = nullptr;
    IUnknown* stopped = nullptr;
    CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&ticking));
    CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, reinterpret_cast<void**>(&stopped));
    IDispatch* tickingDispatch = nullptr;
    IDispatch* stoppedDispatch = nullptr;
    if (ticking)
        ticking->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&tickingDispatch));
    if (stopped)
        stopped->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&stoppedDispatch));
    if (!tickingDispatch || !stoppedDispatch) {
        fail("controls without a container", "CoCreateInstance failed");
    } else {
        Automation(stoppedDispatch).putLong(L"Enabled", 0);
        Automation(tickingDispatch).putLong(L"Interval", 50);
        const bool sampled = pumpUntil(5000, [&] { return drawThroughViewObject(ticking).brightInMiddleColumn > 0; });
        expect(sampled, "without a container the timer takes samples", "no graph after 5 s of messages");
        expect(drawThroughViewObject(stopped).brightInMiddleColumn == 0,
            "without a container and Enabled false no sample is taken", "a graph appeared");
    }
    for (IUnknown* object :
        {static_cast<IUnknown*>(tickingDispatch), static_cast<IUnknown*>(stoppedDispatch), ticking, stopped}) {
        if (object)
            object->Release();
    }
}

double refreshMilliseconds(Automation& control, int refreshes)
{
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < refreshes; ++i)
        control.call(L"Refresh");
    QueryPerformanceCounter(&end);
    return static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart / refreshes;
}

// Paint time of Refresh (sample, full repaint into the back buffer, copy to the screen).
void measurePaintTime(Automation& control)
{
    control.putLong(L"Enabled", 0); // only our own calls paint while measuring
    for (long samples : {32L, 1024L}) {
        control.putLong(L"DataLength", samples);
        for (long i = 0; i < samples; ++i)
            control.call(L"Refresh");
        figure("refresh_ms_at_" + std::to_string(samples) + "_samples", refreshMilliseconds(control, 200));
    }
}

// 1,000 ticks must not leave GDI objects behind.
void checkGdiFlat(Automation& control)
{
    control.putLong(L"DataLength", 32);
    for (int i = 0; i < 50; ++i)
        control.call(L"Refresh");
    pumpUntil(200, nullptr);
    const long before = gdiObjectCount();
    for (int i = 0; i < 1000; ++i) {
        control.call(L"Refresh");
        if (i % 50 == 0)
            pumpUntil(0, nullptr);
    }
    pumpUntil(200, nullptr);
    const long after = gdiObjectCount();
    figure("gdi_objects_before_1000_ticks", before);
    figure("gdi_objects_after_1000_ticks", after);
    expect(before > 0 && after == before, "GDI object count flat over 1,000 ticks",
        std::to_string(before) + " -> " + std::to_string(after));
}

// DllCanUnloadNow of the loaded control library (E_FAIL when it is not loaded).
HRESULT canUnloadNow()
{
    using CanUnload = HRESULT(WINAPI*)();
    using AnyFunction = void (*)();
    HMODULE library = GetModuleHandleW(L"dralith.dll");
    auto entry = library
        ? reinterpret_cast<CanUnload>(reinterpret_cast<AnyFunction>(GetProcAddress(library, "DllCanUnloadNow")))
        : nullptr;
    return entry ? entry() : E_FAIL;
}

// Installers look for "OLESelfRegister" in the library's version block.
void checkVersionBlock()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(GetModuleHandleW(L"dralith.dll"), path, MAX_PATH);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
    std::vector<BYTE> block(size ? size : 1);
    void* value = nullptr;
    UINT length = 0;
    const bool found = size && GetFileVersionInfoW(path, 0, size, block.data()) &&
        VerQueryValueW(block.data(), L"\\StringFileInfo\\040904B0\\OLESelfRegister", &value, &length);
    expect(found, "version block carries OLESelfRegister", size ? "no such string" : "no version block");
}

struct ExpectedLine {
    int y = 0;
    COLORREF colour = 0;
};

// Where a graph of equal samples lies, from the memory figures alone: sample s = free / total x
// 255 (to the nearest, ties to even), row (1 - s/255) x height, colour red to yellow to green.
ExpectedLine expectedLine(HWND surface)
{
    MEMORYSTATUSEX status {};
    status.dwLength = sizeof status;
    GlobalMemoryStatusEx(&status);
    const double sample =
        std::nearbyint(static_cast<double>(status.ullAvailPhys) / static_cast<double>(status.ullTotalPhys) * 255.0);
    const double v = sample / 255.0;
    RECT client {};
    GetClientRect(surface, &client);
    ExpectedLine line;
    line.y = static_cast<int>(std::nearbyint((1.0 - v) * client.bottom));
    const int red = v <= 0.5 ? 255 : 255 - static_cast<int>(std::floor(255 * (v - 0.5) / 0.5));
    const int green = v <= 0.5 ? static_cast<int>(std::floor(255 * v / 0.5)) : 255;
    line.colour = RGB(red, green, 0);
    return line;
}

// Shows the control with a full graph and its text until the test script has its screenshot.
void holdForScreenshot(Automation& control, HWND surface, const std::string& artifacts)
{
    control.putLong(L"DisplayMode", 4);
    control.putLong(L"DataLength", 64);
    control.putLong(L"Enabled", -1);
    control.putLong(L"Interval", 50);
    pumpUntil(1500, nullptr); // a few dozen ticks fill the graph
    // Frozen for the shot, with every sample taken now: the line lies flat on one row.
    control.putLong(L"Enabled", 0);
    for (int i = 0; i < 64; ++i)
        control.call(L"Refresh");
    const ExpectedLine line = expectedLine(surface);
    {
        RECT place {};
        GetWindowRect(surface, &place);
        char text[96];
        std::snprintf(text, sizeof text, "%ld %ld %ld %ld %d %d %d %d\n", place.left, place.top,
            place.right - place.left, place.bottom - place.top, line.y, GetRValue(line.colour), GetGValue(line.colour),
            GetBValue(line.colour));
        std::ofstream(artifacts + "\\dralith-control.place") << text;
    }
    bar_probe::Artifacts shots(artifacts);
    expect(shots.RequestScreenshot("dralith-control"), "screenshot taken while the control shows",
        "no answer from the runner");
}

// --- A container written here, for what ATL does not exercise: a frame and a document window
// that take the active object, a site that hears OnViewChange and OnClose, and reference counts
// that can be read. Its objects live on the stack and only count references.
class CountedUIWindow final : public IOleInPlaceFrame {
public:
    explicit CountedUIWindow(HWND window)
        : window_(window)
    {
    }
    ~CountedUIWindow()
    {
        if (active)
            active->Release();
    }
    IOleInPlaceActiveObject* active = nullptr;
    LONG references = 1;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override
    {
        *result = nullptr;
        if (!IsEqualIID(iid, IID_IUnknown) && !IsEqualIID(iid, IID_IOleWindow) &&
            !IsEqualIID(iid, IID_IOleInPlaceUIWindow) && !IsEqualIID(iid, IID_IOleInPlaceFrame))
            return E_NOINTERFACE;
        *result = static_cast<IOleInPlaceFrame*>(this);
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override { return *window = window_, S_OK; }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) override
    {
        if (object)
            object->AddRef();
        if (active)
            active->Release();
        active = object;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

private:
    HWND window_;
};

class CountedSite final : public IOleClientSite, public IOleInPlaceSite, public IAdviseSink {
public:
    CountedSite(HWND window, RECT place)
        : frame(window)
        , document(window)
        , window_(window)
        , place_(place)
    {
    }
    CountedUIWindow frame;
    CountedUIWindow document;
    LONG references = 1;
    int viewChanges = 0;
    int closes = 0;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override
    {
        *result = nullptr;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite))
            *result = static_cast<IOleClientSite*>(this);
        else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceSite))
            *result = static_cast<IOleInPlaceSite*>(this);
        else if (IsEqualIID(iid, IID_IAdviseSink))
            *result = static_cast<IAdviseSink*>(this);
        if (!*result)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
    ULONG STDMETHODCALLTYPE Release() override { return --references; }
    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override
    {
        return *moniker = nullptr, E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override
    {
        return *container = nullptr, E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }
    // IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override { return *window = window_, S_OK; }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frameOut, IOleInPlaceUIWindow** documentOut,
        LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) override
    {
        frame.AddRef();
        document.AddRef();
        *frameOut = &frame;
        *documentOut = &document;
        *position = *clip = place_;
        info->fMDIApp = FALSE;
        info->hwndFrame = window_;
        info->haccel = nullptr;
        info->cAccelEntries = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }
    // IAdviseSink
    void STDMETHODCALLTYPE OnDataChange(FORMATETC*, STGMEDIUM*) override { }
    void STDMETHODCALLTYPE OnViewChange(DWORD, LONG) override { ++viewChanges; }
    void STDMETHODCALLTYPE OnRename(IMoniker*) override { }
    void STDMETHODCALLTYPE OnSave() override { }
    void STDMETHODCALLTYPE OnClose() override { ++closes; }

private:
    HWND window_;
    RECT place_;
};

template <class T> T* queried(IUnknown* object, REFIID iid)
{
    T* result = nullptr;
    object->QueryInterface(iid, reinterpret_cast<void**>(&result));
    return result;
}

IOleObject* newControl()
{
    CLSID clsid {};
    CLSIDFromProgID(L"Pellgrove.DralithCTL", &clsid);
    IOleObject* object = nullptr;
    CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject, reinterpret_cast<void**>(&object));
    return object;
}

BOOL CALLBACK collectWindow(HWND window, LPARAM list)
{
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// Windows of this thread (top-level, children, message-only) that belong to dralith.dll.
int controlWindowCount()
{
    std::vector<HWND> tops;
    EnumThreadWindows(GetCurrentThreadId(), collectWindow, reinterpret_cast<LPARAM>(&tops));
    for (HWND message = FindWindowExW(HWND_MESSAGE, nullptr, nullptr, nullptr); message;
         message = FindWindowExW(HWND_MESSAGE, message, nullptr, nullptr))
        tops.push_back(message);
    std::vector<HWND> all = tops;
    for (HWND top : tops)
        EnumChildWindows(top, collectWindow, reinterpret_cast<LPARAM>(&all));
    const HMODULE library = GetModuleHandleW(L"dralith.dll");
    int count = 0;
    for (HWND window : all)
        count += reinterpret_cast<HMODULE>(GetWindowLongPtrW(window, GWLP_HINSTANCE)) == library;
    return count;
}

win32kit::UniqueWindow containerWindow()
{
    return win32kit::UniqueWindow(CreateWindowW(L"DralithE2EFrame", L"Dralith e2e container",
        WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 320, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
}

// Show and UI-activate, UI-deactivate, close and release: frame and document window
// lose their active object, the advise sinks hear OnClose, the control lets go of everything it
// held, leaves no window and the library can unload.
void checkUiActivationCycle()
{
    const win32kit::UniqueWindow window = containerWindow();
    CountedSite site(window.get(), RECT {10, 10, 210, 110});
    IOleObject* object = newControl();
    if (!window || !object) {
        fail("UI activation in a container", "no window or control");
        return;
    }
    object->SetClientSite(&site);
    // Advise is supported, so even before it an enumerator (an empty one) comes back.
    IEnumSTATDATA* advises = nullptr;
    const HRESULT beforeAdvise = object->EnumAdvise(&advises);
    STATDATA none {};
    const bool empty = SUCCEEDED(beforeAdvise) && advises && advises->Next(1, &none, nullptr) == S_FALSE;
    expect(empty, "EnumAdvise before Advise gives an empty enumerator", hex(beforeAdvise));
    if (advises)
        advises->Release();
    advises = nullptr;
    DWORD connection = 0;
    object->Advise(&site, &connection);
    int advised = 0;
    if (SUCCEEDED(object->EnumAdvise(&advises)) && advises) {
        STATDATA data {};
        while (advises->Next(1, &data, nullptr) == S_OK) {
            advised += data.pAdvSink == static_cast<IAdviseSink*>(&site);
            if (data.pAdvSink)
                data.pAdvSink->Release();
        }
        advises->Release();
    }
    expect(advised == 1, "EnumAdvise lists the advise sink", std::to_string(advised) + " found");

    RECT place {10, 10, 210, 110};
    const HRESULT shown = object->DoVerb(OLEIVERB_SHOW, nullptr, &site, 0, window.get(), &place);
    const HRESULT activated = object->DoVerb(OLEIVERB_UIACTIVATE, nullptr, &site, 0, window.get(), &place);
    auto* active = queried<IOleInPlaceActiveObject>(object, IID_IOleInPlaceActiveObject);
    expect(SUCCEEDED(shown) && SUCCEEDED(activated) && active && site.frame.active == active &&
            site.document.active == active,
        "UI activation makes the control the active object of frame and document", hex(shown) + " " + hex(activated));
    const int windowsWhileActive = controlWindowCount();
    auto* inPlace = queried<IOleInPlaceObject>(object, IID_IOleInPlaceObject);
    inPlace->UIDeactivate();
    expect(!site.frame.active && !site.document.active, "UIDeactivate clears the active object of frame and document",
        site.frame.active ? "frame still holds it" : "document still holds it");
    inPlace->InPlaceDeactivate();
    object->Close(OLECLOSE_NOSAVE);
    expect(site.closes == 1, "Close sends OnClose to the advise sink", std::to_string(site.closes) + " calls");
    object->Unadvise(connection);
    object->SetClientSite(nullptr);
    inPlace->Release();
    active->Release();
    const ULONG left = object->Release();
    pumpUntil(100, nullptr);
    const int windowsAfter = controlWindowCount();
    expect(left == 0 && site.references == 1 && site.frame.references == 1 && site.document.references == 1,
        "the closed control lets go of itself, its site, frame and document",
        "control " + std::to_string(left) + ", site " + std::to_string(site.references) + ", frame " +
            std::to_string(site.frame.references) + ", document " + std::to_string(site.document.references));
    expect(windowsWhileActive > 0 && windowsAfter == 0, "no window of the control is left after it is released",
        std::to_string(windowsWhileActive) + " while active, " + std::to_string(windowsAfter) + " after");
    expect(canUnloadNow() == S_OK, "DllCanUnloadNow after the UI activation cycle", hex(canUnloadNow()));
}

struct Picture {
    win32kit::UniqueMemoryDc dc;
    win32kit::UniqueBitmap bitmap;
    HGDIOBJ previous = nullptr;
    Picture(int width, int height)
    {
        const win32kit::WindowDc screen(nullptr);
        dc.reset(CreateCompatibleDC(screen.get()));
        bitmap.reset(CreateCompatibleBitmap(screen.get(), width, height));
        previous = SelectObject(dc.get(), bitmap.get());
    }
    ~Picture() { SelectObject(dc.get(), previous); }
};

// A container without a window for the control (print preview, windowless forms): it draws the
// control into its own DC and redraws when the view sink says so.
void checkWindowlessDraw()
{
    const win32kit::UniqueWindow window = containerWindow();
    CountedSite site(window.get(), RECT {0, 0, 200, 100});
    IOleObject* object = newControl();
    if (!window || !object) {
        fail("drawing without a window", "no window or control");
        return;
    }
    object->SetClientSite(&site);
    auto* dispatch = queried<IDispatch>(object, IID_IDispatch);
    auto* view = queried<IViewObject>(object, IID_IViewObject);
    Automation control(dispatch);
    control.putLong(L"Enabled", 0);
    control.putLong(L"DisplayMode", 4);
    view->SetAdvise(DVASPECT_CONTENT, 0, &site);
    for (int i = 0; i < 3; ++i)
        control.call(L"Refresh");
    const int everyTime = site.viewChanges;
    site.viewChanges = 0;
    view->SetAdvise(DVASPECT_CONTENT, ADVF_ONLYONCE, &site);
    control.call(L"Refresh");
    control.call(L"Refresh");
    IAdviseSink* stillAdvised = nullptr;
    view->GetAdvise(nullptr, nullptr, &stillAdvised);
    expect(everyTime == 3 && site.viewChanges == 1 && !stillAdvised,
        "the view sink hears every Refresh, and only the first with ADVF_ONLYONCE",
        std::to_string(everyTime) + " of 3, then " + std::to_string(site.viewChanges) + " of 1");
    if (stillAdvised)
        stillAdvised->Release();

    // Drawn into the container's own DC, whose state must come back as it was lent.
    Picture drawn(200, 100);
    const HDC dc = drawn.dc.get();
    SetDCPenColor(dc, RGB(1, 2, 3));
    SetDCBrushColor(dc, RGB(4, 5, 6));
    SetTextColor(dc, RGB(7, 8, 9));
    SetBkMode(dc, OPAQUE);
    RECTL bounds {0, 0, 200, 100};
    const HRESULT hr = view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, &bounds, nullptr, nullptr, 0);
    char state[96];
    std::snprintf(state, sizeof state, "pen %06lX brush %06lX text %06lX mode %d", GetDCPenColor(dc),
        GetDCBrushColor(dc), GetTextColor(dc), GetBkMode(dc));
    expect(SUCCEEDED(hr) && GetDCPenColor(dc) == RGB(1, 2, 3) && GetDCBrushColor(dc) == RGB(4, 5, 6) &&
            GetTextColor(dc) == RGB(7, 8, 9) && GetBkMode(dc) == OPAQUE,
        "IViewObject::Draw gives the container's DC back as it was", state);

    // The same state shown in a window of the same size must look the same.
    RECT place {0, 0, 200, 100};
    object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, window.get(), &place);
    HWND surface = nullptr;
    auto* inPlace = queried<IOleInPlaceObject>(object, IID_IOleInPlaceObject);
    inPlace->GetWindow(&surface);
    pumpUntil(300, nullptr);
    Picture shown(200, 100);
    {
        const win32kit::WindowDc surfaceDc(surface);
        BitBlt(shown.dc.get(), 0, 0, 200, 100, surfaceDc.get(), 0, 0, SRCCOPY);
    }
    int differing = 0, bright = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 200; ++x) {
            const COLORREF pixel = GetPixel(dc, x, y);
            differing += pixel != GetPixel(shown.dc.get(), x, y);
            bright += (GetRValue(pixel) == 255 || GetGValue(pixel) == 255) && GetBValue(pixel) == 0;
        }
    }
    expect(surface && bright > 0 && differing == 0, "the picture drawn into the container's DC matches the window's",
        std::to_string(differing) + " pixels differ, " + std::to_string(bright) + " line pixels");
    inPlace->InPlaceDeactivate();
    object->Close(OLECLOSE_NOSAVE);
    object->SetClientSite(nullptr);
    inPlace->Release();
    view->Release();
    dispatch->Release();
    object->Release();
}

const std::wstring kClsidKey = L"CLSID\\{19D31A65-5125-49E0-A593-0A369990ED0F}";

bool classesKeyExists(const std::wstring& key)
{
    HKEY raw = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &raw) != ERROR_SUCCESS)
        return false;
    RegCloseKey(raw);
    return true;
}

// ToolboxBitmap32 names the library and a 16 x 15 bitmap resource in it.
void checkToolboxBitmap()
{
    wchar_t data[MAX_PATH + 16] = {};
    LONG size = sizeof data;
    RegQueryValueW(HKEY_CLASSES_ROOT, (kClsidKey + L"\\ToolboxBitmap32").c_str(), data, &size);
    const std::wstring value = data;
    const std::size_t comma = value.rfind(L',');
    BITMAP bitmap {};
    if (comma != std::wstring::npos) {
        const win32kit::UniqueModule library(LoadLibraryW(value.substr(0, comma).c_str()));
        const int id = std::wcstol(value.c_str() + comma + 1, nullptr, 10);
        const win32kit::UniqueBitmap picture(static_cast<HBITMAP>(
            library ? LoadImageW(library.get(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0) : nullptr));
        if (picture)
            GetObjectW(picture.get(), sizeof bitmap, &bitmap);
    }
    char seen[MAX_PATH + 48];
    std::snprintf(seen, sizeof seen, "\"%ls\" gives %ld x %ld", data, bitmap.bmWidth, bitmap.bmHeight);
    expect(
        bitmap.bmWidth == 16 && bitmap.bmHeight == 15, "ToolboxBitmap32 names a 16 x 15 bitmap of dralith.dll", seen);
}

// A registration that fails part-way (the versioned ProgID is a volatile key, under which no
// lasting key can be made) takes back what it created and nothing an earlier one left.
void checkRegistrationRollback()
{
    using Entry = HRESULT(WINAPI*)();
    using AnyFunction = void (*)();
    const auto registerServer = reinterpret_cast<Entry>(
        reinterpret_cast<AnyFunction>(GetProcAddress(GetModuleHandleW(L"dralith.dll"), "DllRegisterServer")));
    if (!registerServer) {
        fail("registration rollback", "DllRegisterServer not found");
        return;
    }
    const wchar_t* progId = L"Pellgrove.DralithCTL.1";
    RegDeleteKeyW(HKEY_CLASSES_ROOT, (kClsidKey + L"\\Version").c_str()); // this call will create it
    RegDeleteTreeW(HKEY_CLASSES_ROOT, progId);
    HKEY raw = nullptr;
    RegCreateKeyExW(HKEY_CLASSES_ROOT, progId, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &raw, nullptr);
    if (raw)
        RegCloseKey(raw);
    const HRESULT failed = registerServer();
    const bool kept = classesKeyExists(kClsidKey + L"\\InprocServer32") && classesKeyExists(kClsidKey + L"\\Control") &&
        classesKeyExists(L"Pellgrove.DralithCTL\\CLSID");
    const bool created = classesKeyExists(kClsidKey + L"\\Version");
    expect(FAILED(failed) && kept && !created, "a failed registration removes only what it created",
        hex(failed) + (kept ? " earlier keys kept" : " earlier keys removed") +
            (created ? ", its new key left" : ", its new key removed"));
    RegDeleteTreeW(HKEY_CLASSES_ROOT, progId);
    const HRESULT again = registerServer();
    expect(again == S_OK && classesKeyExists(std::wstring(progId) + L"\\CLSID") &&
            classesKeyExists(kClsidKey + L"\\Version"),
        "registering again after the failure restores everything", hex(again));
}

} // namespace

// The raw bytes of a value under HKEY_CURRENT_USER\Software\Brenwick\Dralith.
int writeSettingsBytes(const wchar_t* valueName, const wchar_t* resultsPath)
{
    FILE* out = _wfopen(resultsPath, L"w");
    if (!out)
        return 2;
    HKEY raw = nullptr;
    DWORD type = 0;
    BYTE bytes[64] = {};
    DWORD size = sizeof bytes;
    char name[256] = {};
    WideCharToMultiByte(CP_ACP, 0, valueName, -1, name, sizeof name, nullptr, nullptr);
    // The ANSI call, like the control's own: the bytes as an ANSI reader sees them.
    LONG status = RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Brenwick\\Dralith", 0, KEY_READ, &raw);
    if (status == ERROR_SUCCESS) {
        const win32kit::UniqueRegKey key(raw);
        status = RegQueryValueExA(key.get(), name, nullptr, &type, bytes, &size);
    }
    if (status != ERROR_SUCCESS) {
        std::fprintf(out, "BYTES missing\n");
    } else {
        std::fprintf(out, "BYTES %lu", static_cast<unsigned long>(type));
        for (DWORD i = 0; i < size; ++i)
            std::fprintf(out, " %02X", bytes[i]);
        std::fprintf(out, "\n");
    }
    std::fclose(out);
    return 0;
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments || count < 3)
        return 2;
    if (count == 4 && std::wstring(arguments[1]) == L"--settings-bytes") {
        const int rc = writeSettingsBytes(arguments[2], arguments[3]);
        LocalFree(arguments);
        return rc;
    }
    g_results = _wfopen(arguments[1], L"w");
    const std::wstring folder = arguments[2];
    const std::string artifacts(folder.begin(), folder.end()); // the runner's Z:\ path, ASCII
    LocalFree(arguments);
    if (!g_results)
        return 2;
    g_report.emplace("control-host", g_results);
    OleInitialize(nullptr);

    Sited sited;
    if (siteControl(sited)) {
        IDispatch* dispatch = nullptr;
        sited.control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&dispatch));
        IOleInPlaceObject* inPlace = nullptr;
        sited.control->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace));
        HWND surface = nullptr;
        if (inPlace)
            inPlace->GetWindow(&surface);
        expect(surface && GetParent(surface) == sited.axWindow, "control is in-place active inside AtlAxWin",
            surface ? "other parent" : "no window");
        if (dispatch && surface) {
            Automation control(dispatch);
            checkVersionBlock();
            checkDispatchIdentifiers(control);
            checkTypeLibraryShape(dispatch);
            checkEnumerations(dispatch);
            checkLabel(control, surface);
            checkViewDraw(sited.control);
            checkTimerWithoutContainer();
            checkMenuAndAbout(control, surface);
            measurePaintTime(control);
            checkGdiFlat(control);
            holdForScreenshot(control, surface, artifacts);
        }
        if (inPlace)
            inPlace->Release();
        if (dispatch)
            dispatch->Release();
        const HRESULT whileAlive = canUnloadNow();
        sited.control->Release();
        if (sited.container)
            sited.container->Release();
        sited.frame.reset(); // the ATL site lets go of the control here
        pumpUntil(200, nullptr);
        const HRESULT afterwards = canUnloadNow();
        expect(whileAlive == S_FALSE && afterwards == S_OK, "DllCanUnloadNow follows the live objects",
            hex(whileAlive) + " then " + hex(afterwards));
        checkWindowlessDraw();
        checkUiActivationCycle();
        checkToolboxBitmap();
        checkRegistrationRollback();
    }
    sited.frame.reset();
    OleUninitialize();
    const int rc = g_report->Finish();
    std::fclose(g_results);
    return rc;
}

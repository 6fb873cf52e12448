// End-to-end host of the memory viewer control: sites DralithCTL in the ATL container window of
// the system's atl.dll, lets it tick, reads its label through the window tree, drives its menu,
// measures paint time and the GDI object count, and waits for the screenshot of the test script.
//
// Usage: dralith_axhost.exe <results-file> <signal-folder>
// Writes lines "PASS <check>", "FAIL <check>: <what was seen>" and "FIGURE <name> <value>".
// Before the screenshot it creates <signal-folder>\ready and waits for <signal-folder>\shot.
//
//        dralith_axhost.exe --settings-bytes <value-name> <results-file>
// Writes "BYTES <type> <hex bytes>" of the control's registry value, exactly as stored.
#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include <winternl.h>
#include <oleacc.h>

#include "win32kit/DcScopes.h"
#include "win32kit/Handles.h"
#include "win32kit/MessagePump.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <regex>
#include <string>
#include <vector>

namespace {

FILE* g_results = nullptr;
int g_failures = 0;

void pass(const std::string& check)
{
    std::fprintf(g_results, "PASS %s\n", check.c_str());
    std::fflush(g_results);
}
void fail(const std::string& check, const std::string& seen)
{
    ++g_failures;
    std::fprintf(g_results, "FAIL %s: %s\n", check.c_str(), seen.c_str());
    std::fflush(g_results);
}
void expect(bool ok, const std::string& check, const std::string& seen)
{
    ok ? pass(check) : fail(check, seen);
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

// GDI objects of this process. GetGuiResources where the system implements it; Wine 8 answers
// 0 with ERROR_CALL_NOT_IMPLEMENTED, so then the live entries of the process's GDI handle table
// (published in the PEB like on Windows) are counted instead.
long gdiObjectCount()
{
    SetLastError(0);
    const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (counted != 0 || GetLastError() != ERROR_CALL_NOT_IMPLEMENTED)
        return static_cast<long>(counted);
#pragma pack(push, 1)
    struct HandleEntry {
        unsigned long long object;
        unsigned short processId;
        unsigned short count;
        unsigned short unique;
        unsigned char type;
        unsigned char flags;
        unsigned long long user;
    };
#pragma pack(pop)
    PROCESS_BASIC_INFORMATION basic {};
    if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0)
        return -1;
    const auto* peb = reinterpret_cast<const unsigned char*>(basic.PebBaseAddress);
#ifdef _WIN64
    const auto* table = *reinterpret_cast<const HandleEntry* const*>(peb + 0xF8);
#else
    const auto* table = *reinterpret_cast<const HandleEntry* const*>(peb + 0x94);
#endif
    if (!table)
        return -1;
    const unsigned short self = static_cast<unsigned short>(GetCurrentProcessId());
    long live = 0;
    for (int i = 0; i < 0x10000; ++i) {
        if (table[i].type != 0 && (table[i].processId == self || table[i].processId == 0))
            ++live;
    }
    return live;
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

bool fileExists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Shows the control with a full graph and its text until the test script has its screenshot.
void holdForScreenshot(Automation& control, const std::wstring& signals)
{
    control.putLong(L"DisplayMode", 4);
    control.putLong(L"DataLength", 64);
    control.putLong(L"Enabled", -1);
    control.putLong(L"Interval", 50);
    pumpUntil(1500, nullptr); // a few dozen ticks fill the graph
    {
        // The file itself is the signal: created, then closed at once.
        const win32kit::UniqueKernelHandle ready(
            CreateFileW((signals + L"\\ready").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    }
    const bool shot = pumpUntil(30000, [&] { return fileExists(signals + L"\\shot"); });
    expect(shot, "screenshot taken while the control shows", "no signal from the script");
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
    const std::wstring signals = arguments[2];
    LocalFree(arguments);
    if (!g_results)
        return 2;
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
            holdForScreenshot(control, signals);
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
    }
    sited.frame.reset();
    OleUninitialize();
    std::fprintf(g_results, "END %d\n", g_failures);
    std::fclose(g_results);
    return g_failures == 0 ? 0 : 1;
}

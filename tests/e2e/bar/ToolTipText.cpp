#include "tests/e2e/bar/ToolTipText.h"

#include <commctrl.h>

#include <vector>

#include "tests/e2e/common/ChildProcess.h"
#include "tests/e2e/common/Poll.h"
#include "win32kit/Handles.h"

namespace bar_probe {
namespace {

constexpr SIZE_T kTextBytes = 4096;

// Memory committed in another process, released with it.
class RemoteMemory {
public:
    RemoteMemory(HANDLE process, SIZE_T bytes)
        : process_(process)
        , address_(VirtualAllocEx(process, nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE))
    {
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;
    ~RemoteMemory()
    {
        if (address_)
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    char* address() const { return static_cast<char*>(address_); }

private:
    HANDLE process_;
    void* address_;
};

struct TipWindows {
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTipWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<TipWindows*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (pid == search->processId && lstrcmpiA(name, TOOLTIPS_CLASSA) == 0)
        search->found.push_back(window);
    return TRUE;
}

} // namespace

bool ReadToolTip(HWND control, std::string& text, std::string& error)
{
    text.clear();
    TipWindows tips {0, {}};
    GetWindowThreadProcessId(control, &tips.processId);
    // The bar makes its tooltip window when the mouse first moves over a control with a tip.
    PostMessageA(control, WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    e2e::WaitFor(3000, [&] {
        tips.found.clear();
        EnumWindows(CollectTipWindow, reinterpret_cast<LPARAM>(&tips));
        return !tips.found.empty();
    });
    if (tips.found.empty()) {
        error = "no tooltip window in the control's process";
        return false;
    }
    win32kit::UniqueKernelHandle process(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, tips.processId));
    if (!process) {
        error = "cannot open the control's process: " + e2e::LastErrorText();
        return false;
    }
    RemoteMemory remote(process.get(), sizeof(TOOLINFOA) + kTextBytes);
    if (!remote.address()) {
        error = "cannot allocate in the control's process: " + e2e::LastErrorText();
        return false;
    }
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = remote.address() + sizeof(TOOLINFOA);
    const std::vector<char> blank(kTextBytes, '\0');
    for (HWND tip : tips.found) {
        std::vector<char> read(kTextBytes, '\0');
        DWORD_PTR result = 0;
        if (!WriteProcessMemory(process.get(), remote.address(), &tool, sizeof tool, nullptr) ||
            !WriteProcessMemory(process.get(), tool.lpszText, blank.data(), blank.size(), nullptr) ||
            !SendMessageTimeoutA(tip, TTM_GETTEXTA, kTextBytes, reinterpret_cast<LPARAM>(remote.address()),
                SMTO_ABORTIFHUNG, 3000, &result) ||
            !ReadProcessMemory(process.get(), tool.lpszText, read.data(), read.size() - 1, nullptr))
            continue;
        if (read[0]) {
            text = read.data();
            return true;
        }
    }
    error = "none of " + std::to_string(tips.found.size()) + " tooltip windows has a tip for the control";
    return false;
}

} // namespace bar_probe

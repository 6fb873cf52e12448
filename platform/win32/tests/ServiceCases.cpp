// The registry, process, memory, launcher and remote-access seams against the real advapi32 and
// kernel32, inside the test's own Wine prefix.
#include "platform/win32/tests/SelfTest.h"
#include "platform/win32/tests/Support.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

using namespace selftest;
using platform::EnumStatus;
using platform::KeyAccess;
using platform::RegistryKey;
using platform::RegistryRoot;
using platform::RegistryValue;

namespace {

const char* const kTestKey = "Software\\TolvaneSelfTest\\Services";

std::string lower(std::string text)
{
    std::transform(
        text.begin(), text.end(), text.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The kernel handles open in this process, found by asking after every low handle value
// (GetProcessHandleCount answers 0 under Wine).
int openHandleCount()
{
    int open = 0;
    DWORD flags = 0;
    for (std::uintptr_t value = 4; value < 0x10000; value += 4)
        open += GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags) ? 1 : 0;
    return open;
}

} // namespace

SELFTEST(RegistryWritesReadsAndEnumeratesWithinLimits)
{
    platform::win32::Win32Platform platform;
    platform::Registry& registry = platform.registry();
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);

    CHECK(!RegistryKey::open(registry, RegistryRoot::CurrentUser, kTestKey, KeyAccess::Read));
    {
        auto key = RegistryKey::create(registry, RegistryRoot::CurrentUser, kTestKey);
        CHECK(key);
        CHECK(key.set("Dock", RegistryValue {platform::kRegSz, std::string("bottom\0", 7)}));
        CHECK(key.set("Width", RegistryValue {platform::kRegDword, std::string("\x40\x01\x00\x00", 4)}));
        CHECK(key.set(std::string(40, 'L'), RegistryValue {platform::kRegBinary, std::string(300, '\x7f')}));
    }

    auto key = RegistryKey::open(registry, RegistryRoot::CurrentUser, kTestKey, KeyAccess::Read);
    CHECK(key);
    const auto dock = key.query("dock", 64);
    CHECK(dock && dock->type == platform::kRegSz && dock->data == std::string("bottom\0", 7));
    const auto width = key.query("Width", 4);
    CHECK(width && width->type == platform::kRegDword && width->data.size() == 4u);
    CHECK(!key.query("Width", 3));               // longer than the caller accepts
    CHECK(key.query(std::string(40, 'L'), 300)); // exactly the limit
    CHECK(!key.query(std::string(40, 'L'), 299));
    CHECK(!key.query("Missing", 64));
    CHECK(!key.set("Dock", RegistryValue {platform::kRegSz, std::string("top\0", 4)})); // query access only

    std::vector<std::string> names;
    std::string name;
    int tooLong = 0;
    std::uint32_t index = 0;
    for (EnumStatus status; (status = key.enumValue(index, 39, name)) != EnumStatus::NoMoreItems; ++index) {
        if (status == EnumStatus::Found)
            names.push_back(name);
        else
            CHECK_EQ(static_cast<int>(status), static_cast<int>(EnumStatus::TooLong));
        tooLong += status == EnumStatus::TooLong;
        if (index > 10)
            break;
    }
    CHECK_EQ(index, 3u);
    CHECK_EQ(tooLong, 1);
    CHECK(std::find(names.begin(), names.end(), "Dock") != names.end());
    CHECK(std::find(names.begin(), names.end(), "Width") != names.end());
    bool longFound = false;
    for (std::uint32_t i = 0; i < 3; ++i)
        longFound = longFound || (key.enumValue(i, 40, name) == EnumStatus::Found && name == std::string(40, 'L'));
    CHECK(longFound); // a name of exactly the limit fits

    // Every key opened here is closed again: no handle left behind.
    const int before = openHandleCount();
    for (int i = 0; i < 50; ++i) {
        auto again = RegistryKey::open(registry, RegistryRoot::CurrentUser, kTestKey, KeyAccess::All);
        CHECK(again);
    }
    CHECK_EQ(openHandleCount(), before);
    RegDeleteTreeA(HKEY_CURRENT_USER, kTestKey);
}

SELFTEST(EnvironmentExpandsPastAnyFixedBufferAndClassesRootOpens)
{
    platform::win32::Win32Platform platform;
    const std::string longValue(3000, 'x');
    CHECK(SetEnvironmentVariableA("TOLVANE_SELFTEST_LONG", longValue.c_str()));
    CHECK_EQ(platform.system().expandEnvironment("[%tolvane_selftest_long%] %TOLVANE_SELFTEST_NONE%"),
        "[" + longValue + "] %TOLVANE_SELFTEST_NONE%");
    CHECK_EQ(platform.system().expandEnvironment(""), std::string());
    SetEnvironmentVariableA("TOLVANE_SELFTEST_LONG", nullptr);
    CHECK(RegistryKey::open(platform.registry(), RegistryRoot::ClassesRoot, "CLSID", KeyAccess::Read));
}

SELFTEST(ProcessesAreCountedListedAndAChildIsEnded)
{
    platform::win32::Win32Platform platform;
    platform::Processes& processes = platform.processes();
    const std::uint32_t self = processes.currentProcessId();
    CHECK_EQ(self, static_cast<std::uint32_t>(GetCurrentProcessId()));

    // Wine may start or end a service between the two snapshots: retry until they agree.
    std::vector<platform::ProcessEntry> entries;
    bool agreed = false;
    for (int attempt = 0; attempt < 20 && !agreed; ++attempt) {
        const std::uint32_t counted = processes.count();
        CHECK(processes.snapshot(entries, 4096));
        agreed = counted > 0 && counted == entries.size();
    }
    CHECK(agreed);
    const auto own =
        std::find_if(entries.begin(), entries.end(), [&](const platform::ProcessEntry& e) { return e.id == self; });
    CHECK(own != entries.end() && lower(own->exeName).find("selftest") != std::string::npos);
    const std::string exeName = own != entries.end() ? own->exeName : std::string();
    CHECK(processes.snapshot(entries, 1) && entries.size() == 1u);
    CHECK(processes.snapshot(entries, 0) && entries.empty());

    CHECK(!processes.terminate(self, 1));
    CHECK(!processes.terminate(0, 1));

    const int handlesBefore = openHandleCount();
    const std::string exePath = platform.system().executablePath();
    CHECK(platform.launcher().run("\"" + exePath + "\" " + kIdleFlag, platform::ShowCommand::Hide));
    CHECK(!platform.launcher().run("", platform::ShowCommand::Hide));
    CHECK(!platform.launcher().run("C:\\no\\such\\program.exe", platform::ShowCommand::Hide));
    CHECK_EQ(openHandleCount(), handlesBefore); // both handles of the started process closed

    std::uint32_t child = 0;
    const DWORD start = GetTickCount();
    while (child == 0 && GetTickCount() - start < 10000) {
        processes.snapshot(entries, 4096);
        for (const auto& e : entries)
            if (e.id != self && e.exeName == exeName)
                child = e.id;
        if (child == 0)
            Sleep(50);
    }
    CHECK(child != 0);
    if (child == 0)
        return;

    // The full path of a process's file, ours and another's; the handles it opens are closed (the
    // count is compared at the end).
    std::string path = "stale";
    CHECK(processes.executablePath(self, path));
    CHECK_EQ(lower(path), lower(exePath));
    CHECK(processes.executablePath(child, path));
    CHECK_EQ(lower(path), lower(exePath));
    CHECK(!processes.executablePath(0, path) && path.empty());
    CHECK(!processes.executablePath(0xFFFFFFF0u, path) && path.empty());

    // Held only to read the exit code afterwards.
    HANDLE watch = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, child);
    CHECK(watch != nullptr);
    CHECK(processes.terminate(child, 37));
    if (watch) {
        CHECK_EQ(WaitForSingleObject(watch, 10000), static_cast<DWORD>(WAIT_OBJECT_0));
        DWORD code = 0;
        GetExitCodeProcess(watch, &code);
        CHECK_EQ(code, static_cast<DWORD>(37));
        CloseHandle(watch);
    }
    const auto listed = [&] {
        processes.snapshot(entries, 4096);
        return std::any_of(
            entries.begin(), entries.end(), [&](const platform::ProcessEntry& e) { return e.id == child; });
    };
    const DWORD ended = GetTickCount();
    while (listed() && GetTickCount() - ended < 5000)
        Sleep(50);
    CHECK(!listed());
    // The process object may outlive the process while anyone holds it, so "ended" is judged by
    // the snapshot; an identifier nobody has cannot be opened at all.
    CHECK(!processes.terminate(0xFFFFFFF0u, 37));
    CHECK_EQ(openHandleCount(), handlesBefore);
}

SELFTEST(MemoryFiguresAreRealAndBlocksAreCommittedAndFreed)
{
    platform::win32::Win32Platform platform;
    platform::Memory& memory = platform.memory();
    const platform::MemoryFigures figures = memory.status();
    CHECK(figures.totalPhys > 0 && figures.availPhys > 0 && figures.availPhys <= figures.totalPhys);
    CHECK(figures.totalPageFile > 0 && figures.availPageFile <= figures.totalPageFile);

    const std::size_t bytes = 32u << 20;
    void* block = memory.allocateBlock(bytes);
    CHECK(block != nullptr);
    if (!block)
        return;
    const char* first = static_cast<const char*>(block);
    CHECK(first[0] == ' ' && first[bytes / 2] == ' ' && first[bytes - 1] == ' ');
    MEMORY_BASIC_INFORMATION info {};
    CHECK(
        VirtualQuery(block, &info, sizeof info) == sizeof info && info.State == MEM_COMMIT && info.RegionSize >= bytes);
    memory.releaseBlock(block, bytes);
    CHECK(VirtualQuery(block, &info, sizeof info) == sizeof info && info.State == MEM_FREE);

    {
        platform::MemoryBlock owned(memory, 1u << 20);
        CHECK(owned);
    }
    CHECK(!memory.allocateBlock(0));
}

SELFTEST(LauncherKnowsTheSystemFolderAndRemoteAccessIsSafe)
{
    platform::win32::Win32Platform platform;
    const std::string folder = platform.launcher().systemFolder();
    CHECK(lower(folder).size() > 9 && lower(folder).compare(folder.size() - 9, 9, "\\system32") == 0);

    // A fresh prefix defines no dial-up connection; where the functions exist they must say so.
    platform::RemoteAccess& remote = platform.remoteAccess();
    if (remote.available()) {
        CHECK(!remote.connected());
        CHECK(remote.entryNames().empty());
    }
    CHECK(!remote.dial(""));
    CHECK(!remote.dial("quote\" inside"));
    std::printf("    remote access available: %s\n", remote.available() ? "yes" : "no");
}

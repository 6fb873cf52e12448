#include "control/com/Module.h"

#include "control/com/ClassFactory.h"
#include "control/com/ControlWindowClasses.h"
#include "control/com/Dralith_h.h"

namespace dralith::module {
namespace {
HINSTANCE g_instance = nullptr;
volatile LONG g_references = 0;
} // namespace

HINSTANCE instance()
{
    return g_instance;
}
void addReference()
{
    InterlockedIncrement(&g_references);
}
void releaseReference()
{
    InterlockedDecrement(&g_references);
}
long references()
{
    return g_references;
}

std::string pathA()
{
    char buffer[MAX_PATH * 4];
    DWORD length = GetModuleFileNameA(g_instance, buffer, sizeof buffer);
    return std::string(buffer, length < sizeof buffer ? length : 0);
}

std::wstring pathW()
{
    wchar_t buffer[MAX_PATH * 4];
    DWORD length = GetModuleFileNameW(g_instance, buffer, sizeof buffer / sizeof buffer[0]);
    return std::wstring(buffer, length < sizeof buffer / sizeof buffer[0] ? length : 0);
}

} // namespace dralith::module

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        dralith::module::g_instance = instance;
        DisableThreadLibraryCalls(instance);
    } else if (reason == DLL_PROCESS_DETACH && reserved == nullptr) {
        // Unloaded by FreeLibrary: a later load may sit at another address, so the window
        // classes must not keep pointing into this copy.
        dralith::unregisterWindowClasses();
    } else if (reason == DLL_PROCESS_DETACH) {
        dralith::forgetWindowClasses();
    }
    return TRUE;
}

STDAPI DllCanUnloadNow()
{
    return dralith::module::references() == 0 ? S_OK : S_FALSE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** result)
{
    if (!result)
        return E_POINTER;
    *result = nullptr;
    if (!IsEqualCLSID(clsid, CLSID_DralithCTL))
        return CLASS_E_CLASSNOTAVAILABLE;
    return dralith::classFactory().QueryInterface(iid, result);
}

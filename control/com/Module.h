#pragma once
// Module-wide facts of the control library: its instance handle and how many objects and
// server locks keep it loaded.
#include <windows.h>

#include <string>

namespace dralith::module {

HINSTANCE instance();

// Live objects and IClassFactory::LockServer locks; DllCanUnloadNow answers S_OK at zero.
void addReference();
void releaseReference();
long references();

// Full path of this DLL (ANSI, for the registry) and wide (for the type library loader).
std::string pathA();
std::wstring pathW();

// Keeps the module loaded for one object's lifetime.
class ModuleReference {
public:
    ModuleReference() { addReference(); }
    ~ModuleReference() { releaseReference(); }
    ModuleReference(const ModuleReference&) = delete;
    ModuleReference& operator=(const ModuleReference&) = delete;
};

} // namespace dralith::module

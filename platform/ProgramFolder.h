#pragma once
// Files kept in the program's own folder, whatever the program is called.
#include <string>
#include <string_view>

namespace platform {

// The executable's folder, a backslash unless the folder already ends in one (a drive root such
// as "C:\"), then the name: "C:\Bars\tolvix.exe" and "IR_SCUTS.INI" give "C:\Bars\IR_SCUTS.INI".
std::string FileBesideProgram(std::string_view executablePath, std::string_view name);

} // namespace platform

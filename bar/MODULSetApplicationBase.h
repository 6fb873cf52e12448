#pragma once
// The application base path: the executable's folder and name up to its last dot. Side files are
// found by appending ".BMP", ".NFO", ".ICO" or ".TSK" to it.
#include "platform/System.h"

#include <string>
#include <string_view>

namespace bar::MODULSetApplicationBase {

// C:\Bars\tolvix.exe gives C:\Bars\tolvix; D:\Apps\my.bar.exe gives D:\Apps\my.
std::string ComputeAppBasePath(std::string_view executablePath);

// Computes the base path of the running program once at start-up and keeps it.
void SetApplicationBase(platform::System& system);
const std::string& AppBasePath();

} // namespace bar::MODULSetApplicationBase

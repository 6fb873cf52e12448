#pragma once
// The two user choices in HKEY_CURRENT_USER\Software\Brenwick\Dralith, one value per host
// application (the value name). ANSI registry calls with full access, as the control always used.
#include <windows.h>

#include <string>

#include "control/core/ControlState.h"

namespace dralith {

// Applies the stored value to `state`; E_INVALIDARG when it is shorter than two characters
// (after a valid first character was applied), S_OK otherwise, also when nothing is stored.
HRESULT loadSettings(const std::string& application, ControlState& state);
// Writes the value; registry failures are not reported. E_INVALIDARG when the state cannot be
// written as two characters.
HRESULT saveSettings(const std::string& application, const ControlState& state);
// Deletes the value; failures are not reported.
void deleteSettings(const std::string& application);

// BSTR -> the ANSI value name (a null BSTR is the empty name, the key's default value).
std::string ansiFromBstr(BSTR text);

} // namespace dralith

#pragma once
// Names under which the control is known to COM and to containers.
#include <windows.h>

namespace dralith::ids {

constexpr const wchar_t* kProgId = L"Pellgrove.DralithCTL.1";
constexpr const wchar_t* kVersionIndependentProgId = L"Pellgrove.DralithCTL";
constexpr const wchar_t* kClassName = L"DralithCTL Control";
constexpr const wchar_t* kTypeLibraryVersion = L"1.0";
constexpr WORD kTypeLibraryMajor = 1;
constexpr WORD kTypeLibraryMinor = 0;
constexpr LCID kTypeLibraryLcid = 0x0409;

// What containers read before creating the control (OLEMISC_*): resizes by recomposing, cannot
// be linked into, is an inside-out control that activates as soon as it is visible, and wants
// its client site before it is initialised.
constexpr DWORD kMiscStatus = OLEMISC_RECOMPOSEONRESIZE | OLEMISC_CANTLINKINSIDE | OLEMISC_INSIDEOUT |
    OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_SETCLIENTSITEFIRST;

} // namespace dralith::ids

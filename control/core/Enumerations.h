#pragma once
// The four enumerations of the type library, with the values compiled hosts carry
// (Free256MB really is 192 and Free768MB really is 786).
#include <cstdint>

namespace dralith {

enum class FreeMemModes : std::int32_t {
    BreakFreeing = 0,
    Free8MB = 8,
    Free16MB = 16,
    Free32MB = 32,
    Free64B = 64,
    Free96MB = 96,
    Free128MB = 128,
    Free192MB = 192,
    Free256MB = 192,
    Free320MB = 320,
    Free384MB = 384,
    Free450MB = 450,
    Free512MB = 512,
    Free640MB = 640,
    Free704MB = 704,
    Free768MB = 786,
};

enum class BStyle : std::int32_t { None = 0, FixedSingle = 1 };

enum class FApp : std::int32_t { Flat = 0, Lowered = 1 };

enum class DisplayModes : std::int32_t {
    Off = 0,
    PhysicalOnlyPercent = 1,
    PhysicalOnlyMB = 2,
    Percent = 3,
    MegaBytes = 4,
    PhysicalPercentPageFileMB = 5,
    PhysicalPercentPageFileComparedMB = 6,
};

constexpr int kDisplayModeCount = 7; // modes 0..6

} // namespace dralith

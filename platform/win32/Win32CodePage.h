#pragma once
// The system's ANSI code page through MultiByteToWideChar and WideCharToMultiByte.
#include "platform/TextEncoding.h"

namespace platform::win32 {

class Win32CodePage final : public CodePage {
public:
    std::u16string ToUtf16(std::string_view ansi) const override;
    bool ToAnsi(std::u16string_view text, std::string& ansi) const override;
};

} // namespace platform::win32

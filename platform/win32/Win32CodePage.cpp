#include "platform/win32/Win32CodePage.h"

#include "platform/win32/WinApi.h"

#include <climits>

namespace platform::win32 {

std::u16string Win32CodePage::ToUtf16(std::string_view ansi) const
{
    std::u16string text;
    if (ansi.empty() || ansi.size() > INT_MAX)
        return text;
    const int size = static_cast<int>(ansi.size());
    const int units = MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0);
    if (units <= 0)
        return text;
    text.resize(static_cast<std::size_t>(units));
    static_assert(sizeof(wchar_t) == sizeof(char16_t), "UTF-16 wide characters");
    MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, reinterpret_cast<wchar_t*>(&text[0]), units);
    return text;
}

bool Win32CodePage::ToAnsi(std::u16string_view text, std::string& ansi) const
{
    ansi.clear();
    if (text.empty())
        return true;
    if (text.size() > INT_MAX)
        return false;
    const wchar_t* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int size = static_cast<int>(text.size());
    // No "best fit" look-alikes: a character the code page lacks must show as lacking. A UTF-8
    // code page takes neither the flag nor the default-character report; the caller's check of
    // the way back covers it.
    const bool utf8 = GetACP() == CP_UTF8;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = utf8 ? nullptr : &usedDefault;
    const int bytes = WideCharToMultiByte(CP_ACP, flags, wide, size, nullptr, 0, nullptr, usedDefaultOut);
    if (bytes <= 0)
        return false;
    ansi.resize(static_cast<std::size_t>(bytes));
    if (WideCharToMultiByte(CP_ACP, flags, wide, size, &ansi[0], bytes, nullptr, usedDefaultOut) != bytes)
        return false;
    return !usedDefault;
}

} // namespace platform::win32

#pragma once
// One GDI font per distinct face, size and weight, shared by every control that uses it.
#include "platform/Toolkit.h"
#include "platform/win32/WinApi.h"
#include "win32kit/Handles.h"

#include <map>
#include <string>
#include <tuple>

namespace platform::win32 {

class FontCache {
public:
    explicit FontCache(int pixelsPerInchY)
        : pixelsPerInchY_(pixelsPerInchY)
    {
    }
    // Owned by the cache; valid until the cache goes. Null when GDI refuses the font.
    HFONT get(const ui::Font& font);

private:
    using Key = std::tuple<std::string, float, bool>;
    int pixelsPerInchY_;
    std::map<Key, UniqueFont> fonts_;
};

} // namespace platform::win32

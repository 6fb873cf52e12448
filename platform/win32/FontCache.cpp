#include "platform/win32/FontCache.h"

#include <cmath>
#include <cstring>

namespace platform::win32 {

HFONT FontCache::get(const ui::Font& font)
{
    const Key key(font.face, font.points, font.bold);
    auto found = fonts_.find(key);
    if (found != fonts_.end())
        return found->second.get();

    LOGFONTA description {};
    // A negative height asks for the character height, which is what a point size measures.
    description.lfHeight = -static_cast<LONG>(std::lround(font.points * static_cast<float>(pixelsPerInchY_) / 72.0f));
    description.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
    description.lfCharSet = DEFAULT_CHARSET;
    description.lfOutPrecision = OUT_DEFAULT_PRECIS;
    description.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    description.lfQuality = DEFAULT_QUALITY;
    description.lfPitchAndFamily = DEFAULT_PITCH | FF_SWISS;
    std::strncpy(description.lfFaceName, font.face.c_str(), LF_FACESIZE - 1);

    UniqueFont created(CreateFontIndirectA(&description));
    const HFONT handle = created.get();
    if (handle)
        fonts_.emplace(key, std::move(created));
    return handle;
}

} // namespace platform::win32

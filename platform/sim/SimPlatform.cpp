#include "platform/sim/SimPlatform.h"

#include <algorithm>
#include <cctype>

namespace sim {

namespace {

std::string AsCString(const std::string& path)
{
    return path.substr(0, path.find('\0'));
}

} // namespace

bool SimFiles::exists(const std::string& name)
{
    const std::string path = AsCString(name);
    return content.count(path) > 0 && !unreadable.count(path);
}

platform::ReadResult SimFiles::read(const std::string& name, std::size_t maxBytes)
{
    const std::string path = AsCString(name);
    platform::ReadResult result;
    auto it = content.find(path);
    if (it == content.end())
        return result;
    if (unreadable.count(path)) {
        result.status = platform::ReadStatus::Unreadable;
        return result;
    }
    result.status = platform::ReadStatus::Ok;
    result.bytes = it->second.substr(0, maxBytes);
    return result;
}

std::u16string SimCodePage::ToUtf16(std::string_view ansi) const
{
    std::u16string text;
    text.reserve(ansi.size());
    for (char c : ansi)
        text += static_cast<char16_t>(static_cast<unsigned char>(c));
    return text;
}

bool SimCodePage::ToAnsi(std::u16string_view text, std::string& ansi) const
{
    ansi.clear();
    ansi.reserve(text.size());
    bool exact = true;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        exact = exact && c <= 0xFF;
        ansi += c <= 0xFF ? static_cast<char>(c) : '?';
        // A pair of surrogates is one character.
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF)
            ++i;
    }
    return exact;
}

platform::WriteStatus SimFiles::write(const std::string& name, const std::string& bytes)
{
    const std::string path = AsCString(name);
    const std::size_t slash = path.find_last_of('\\');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    // As through a temporary file and a rename: a failure leaves the earlier content.
    if (unreadable.count(path) || lockedFolders.count(folder))
        return platform::WriteStatus::Denied;
    if (failingWrites.count(path))
        return platform::WriteStatus::Failed;
    content[path] = bytes;
    ++writes;
    return platform::WriteStatus::Ok;
}

platform::LocalTime SimSystem::now()
{
    // Seconds within the day are enough for the tests that read the clock.
    long long seconds = start.hour * 3600LL + start.minute * 60 + start.second + toolkit_.nowMs() / 1000;
    platform::LocalTime t = start;
    t.hour = static_cast<int>((seconds / 3600) % 24);
    t.minute = static_cast<int>((seconds / 60) % 60);
    t.second = static_cast<int>(seconds % 60);
    return t;
}

std::string SimSystem::expandEnvironment(const std::string& text)
{
    const auto lookup = [&](const std::string& name) -> const std::string* {
        for (const auto& [key, value] : environment) {
            if (key.size() == name.size() && std::equal(key.begin(), key.end(), name.begin(), [](char a, char b) {
                    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
                }))
                return &value;
        }
        return nullptr;
    };
    std::string result;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const std::size_t open = text.find('%', pos);
        const std::size_t close = open == std::string::npos ? open : text.find('%', open + 1);
        if (close == std::string::npos) {
            result.append(text, pos, std::string::npos);
            break;
        }
        result.append(text, pos, open - pos);
        const std::string* value = lookup(text.substr(open + 1, close - open - 1));
        if (value)
            result += *value;
        else
            result.append(text, open, close - open + 1);
        pos = close + 1;
    }
    return result;
}

} // namespace sim

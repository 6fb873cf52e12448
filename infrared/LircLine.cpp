#include "infrared/LircLine.h"

#include <algorithm>

namespace infrared {

namespace {

bool IsHexDigit(char c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The next word from pos on, up to the next blank or the end; pos moves past that blank.
std::string_view NextWord(std::string_view text, std::size_t& pos)
{
    const std::size_t start = pos;
    const std::size_t blank = text.find(' ', start);
    pos = blank == std::string_view::npos ? text.size() : blank + 1;
    return text.substr(start, (blank == std::string_view::npos ? text.size() : blank) - start);
}

bool IsHexWord(std::string_view word)
{
    if (word.empty())
        return false;
    for (char c : word)
        if (!IsHexDigit(c))
            return false;
    return true;
}

bool IsNameWord(std::string_view word)
{
    if (word.empty())
        return false;
    for (char c : word) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x21 || u == 0x7F)
            return false;
    }
    return true;
}

} // namespace

// A CR may still follow the longest line allowed.
constexpr std::size_t kMaxWithCr = kMaxLineBytes + 1;

void LineFramer::append(std::string_view bytes)
{
    if (overlong_) {
        const std::size_t end = bytes.find('\n');
        if (end == std::string_view::npos)
            return;
        bytes.remove_prefix(end + 1);
        overlong_ = false;
    }
    if (bytes.empty())
        return;
    if (start_ > 0 && start_ >= buffer_.size() - start_) {
        buffer_.erase(0, start_);
        scanned_ -= start_;
        tail_ -= start_;
        start_ = 0;
    }
    const std::size_t lastLf = bytes.rfind('\n');
    const std::size_t unfinished =
        lastLf == std::string_view::npos ? buffer_.size() - tail_ + bytes.size() : bytes.size() - lastLf - 1;
    if (unfinished > kMaxWithCr) {
        // The unfinished line is too long already: it is dropped up to its LF.
        if (lastLf == std::string_view::npos) {
            buffer_.resize(tail_);
            scanned_ = std::min(scanned_, tail_);
        } else {
            buffer_.append(bytes.substr(0, lastLf + 1));
        }
        tail_ = buffer_.size();
        overlong_ = true;
        return;
    }
    if (lastLf != std::string_view::npos)
        tail_ = buffer_.size() + lastLf + 1;
    buffer_.append(bytes);
}

std::optional<std::string_view> LineFramer::next()
{
    while (scanned_ < buffer_.size()) {
        const std::size_t end = buffer_.find('\n', scanned_);
        if (end == std::string::npos) {
            scanned_ = buffer_.size();
            break;
        }
        std::string_view line(buffer_.data() + start_, end - start_);
        start_ = scanned_ = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.size() <= kMaxLineBytes)
            return line;
    }
    return std::nullopt;
}

void LineFramer::reset()
{
    buffer_.clear();
    start_ = scanned_ = tail_ = 0;
    overlong_ = false;
}

std::optional<ButtonPress> ParsePress(std::string_view line)
{
    std::size_t pos = 0;
    const std::string_view code = NextWord(line, pos);
    const std::string_view repeat = NextWord(line, pos);
    const std::string_view button = NextWord(line, pos);
    const std::string_view remote = NextWord(line, pos);
    // Words are separated by one blank each, as the servers write them.
    if (!IsHexWord(code) || !IsHexWord(repeat) || repeat.size() > 8 || !IsNameWord(button) || !IsNameWord(remote) ||
        pos != line.size() || line.back() == ' ')
        return std::nullopt;
    ButtonPress press;
    press.key.reserve(button.size() + 1 + remote.size());
    press.key.append(button).append(1, ' ').append(remote);
    press.repeat = std::stoul(std::string(repeat), nullptr, 16);
    return press;
}

std::string ButtonKey(std::string_view message)
{
    std::string_view text = message.substr(0, message.find('\n'));
    // Without a blank there is nothing before one to remove.
    for (int word = 0; word < 2; ++word) {
        const std::size_t blank = text.find(' ');
        if (blank != std::string_view::npos)
            text.remove_prefix(blank + 1);
    }
    return std::string(text);
}

} // namespace infrared

#pragma once
// The WinLIRC/lircd line protocol as plain text work: cutting a byte stream into lines, telling a
// button press from the server's other replies, and the button key a press names.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace infrared {

// Longer lines are dropped whole: a line cut short could name the wrong button.
constexpr std::size_t kMaxLineBytes = 512;

// Cuts received bytes into lines ended by LF, whatever the reads' sizes; a CR before the LF is
// removed. Holds at most one unfinished line of kMaxLineBytes besides the bytes of one feed.
// onLine may feed more bytes (its handler may let pending messages run): they queue behind the
// ones not yet cut, so lines still come out in order.
class LineFramer {
public:
    // Calls onLine for each complete line of a length within kMaxLineBytes, in order.
    void feed(std::string_view bytes, const std::function<void(std::string_view line)>& onLine);
    // Forgets a partial line (the connection was lost).
    void reset();

private:
    std::string buffer_;
    bool overlong_ = false; // the bytes up to the next LF belong to a dropped line
};

struct ButtonPress {
    std::string key; // "button remote"
    unsigned long repeat = 0;
};

// A press: a hexadecimal code, a hexadecimal repeat count, a button and a remote name, separated
// by single blanks, nothing after them. Anything else (lircd's BEGIN/SIGHUP/END replies, blanks, junk)
// is nullopt.
std::optional<ButtonPress> ParsePress(std::string_view line);

// The text up to its first line feed without its first two blank-separated words: the button
// key of a received message ("0000000000f40bf0 00 play myremote\n" gives "play myremote").
std::string ButtonKey(std::string_view message);

} // namespace infrared

#pragma once
// The WinLIRC/lircd line protocol as plain text work: cutting a byte stream into lines, telling a
// button press from the server's other replies, and the button key a press names.
#include <optional>
#include <string>
#include <string_view>

namespace infrared {

// Longer lines are dropped whole: a line cut short could name the wrong button.
constexpr std::size_t kMaxLineBytes = 512;

// Cuts received bytes into lines ended by LF, whatever the reads' sizes; a CR before the LF is
// removed. Lines are taken out one at a time, so a reader can stop after a few and take the rest
// later. Each byte is looked at once and moved at most once more: the consumed front is dropped
// only when it is at least half of what is held. Besides the complete lines not yet taken, it
// holds at most one unfinished line of kMaxLineBytes.
class LineFramer {
public:
    void append(std::string_view bytes);
    // The next complete line of a length within kMaxLineBytes (longer ones are skipped), or
    // nullopt when no complete line is held. The text stays valid until the next append or reset.
    std::optional<std::string_view> next();
    // Forgets everything held (the connection was lost).
    void reset();

private:
    std::string buffer_;
    std::size_t start_ = 0;   // the first byte not taken yet
    std::size_t scanned_ = 0; // [start_, scanned_) holds no LF
    std::size_t tail_ = 0;    // where the unfinished last line begins
    bool overlong_ = false;   // the bytes up to the next LF belong to a dropped line
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

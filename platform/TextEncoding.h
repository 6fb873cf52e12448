#pragma once
// Text files in the encodings editors save: the program's own ANSI, UTF-8 with or without a
// byte-order mark, and UTF-16 of either byte order with its mark. The program keeps its texts in
// the system's ANSI code page (it calls the ANSI entry points), so a Unicode file is converted on
// reading and back on writing, and only when every character survives both ways.
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// The system's ANSI code page.
class CodePage {
public:
    virtual ~CodePage() = default;
    virtual std::u16string ToUtf16(std::string_view ansi) const = 0;
    // False when a character has no exact form in the code page; it then stands as '?'.
    virtual bool ToAnsi(std::u16string_view text, std::string& ansi) const = 0;
};

enum class TextEncoding {
    Ansi,
    Utf8,     // no mark: told from ANSI by being valid UTF-8 with bytes above 127
    Utf8Mark, // EF BB BF first
    Utf16LE,  // FF FE first
    Utf16BE,  // FE FF first
};

enum class TextProblem {
    None,
    NotText,         // NULs, broken UTF-8 or UTF-16 after a mark: no text this program can read
    OutsideCodePage, // Unicode characters the ANSI code page has not: shown as '?', never written
};

struct DecodedText {
    TextEncoding encoding = TextEncoding::Ansi;
    TextProblem problem = TextProblem::None;
    std::string text; // ANSI, without the mark; empty when NotText
};

// The encoding the bytes are in, by their mark or, without one, by whether they are UTF-8.
DecodedText DecodeText(std::string_view bytes, const CodePage& codePage);

// The bytes of an ANSI text in an encoding, mark first; nullopt unless DecodeText gives the very
// text back (a NUL, or ANSI bytes the code page does not define, going to a Unicode file). An
// ANSI text that would read back as UTF-8 is written as UTF-8 with a mark, and encoding says so.
std::optional<std::string> EncodeText(std::string_view text, TextEncoding& encoding, const CodePage& codePage);

// How many of the bytes make whole lines: up to and with the last CR or LF, counted in the
// units of the encoding the bytes' mark names. For bytes cut short of a file's end.
std::size_t WholeLinesLength(std::string_view bytes);

// True when the bytes are UTF-8 that a strict decoder takes: no overlong forms, surrogates or
// values above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

} // namespace platform

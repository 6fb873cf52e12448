#include "platform/TextEncoding.h"

namespace platform {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEMark = "\xFF\xFE";
constexpr std::string_view kUtf16BEMark = "\xFE\xFF";

bool StartsWith(std::string_view bytes, std::string_view mark)
{
    return bytes.substr(0, mark.size()) == mark;
}

bool HasHighByte(std::string_view bytes)
{
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

void AppendCodePoint(std::u16string& out, char32_t cp)
{
    if (cp < 0x10000) {
        out += static_cast<char16_t>(cp);
        return;
    }
    cp -= 0x10000;
    out += static_cast<char16_t>(0xD800 + (cp >> 10));
    out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
}

// Strict UTF-8; out may be null when only validity counts.
bool DecodeUtf8(std::string_view bytes, std::u16string* out)
{
    std::size_t i = 0;
    while (i < bytes.size()) {
        const unsigned char lead = static_cast<unsigned char>(bytes[i]);
        if (lead < 0x80) {
            if (out)
                *out += static_cast<char16_t>(lead);
            ++i;
            continue;
        }
        std::size_t length = 0;
        char32_t cp = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
            cp = lead & 0x1F;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            cp = lead & 0x0F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            cp = lead & 0x07;
        } else {
            return false;
        }
        if (bytes.size() - i < length)
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(bytes[i + k]);
            if ((next & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (next & 0x3F);
        }
        if ((length == 3 && cp < 0x800) || (length == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
            (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        if (out)
            AppendCodePoint(*out, cp);
        i += length;
    }
    return true;
}

// Fails on a lone surrogate.
bool EncodeUtf8(std::u16string_view text, std::string& out)
{
    out.reserve(out.size() + text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            return false;
        }
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return true;
}

char16_t Unit(std::string_view bytes, std::size_t at, bool bigEndian)
{
    const unsigned first = static_cast<unsigned char>(bytes[at]);
    const unsigned second = static_cast<unsigned char>(bytes[at + 1]);
    return static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
}

// Whole units, every surrogate in a pair.
bool DecodeUtf16(std::string_view bytes, bool bigEndian, std::u16string& out)
{
    if (bytes.size() % 2 != 0)
        return false;
    out.reserve(bytes.size() / 2);
    for (std::size_t at = 0; at < bytes.size(); at += 2) {
        const char16_t unit = Unit(bytes, at, bigEndian);
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            if (at + 2 >= bytes.size())
                return false;
            const char16_t low = Unit(bytes, at + 2, bigEndian);
            if (low < 0xDC00 || low > 0xDFFF)
                return false;
            out += unit;
            out += low;
            at += 2;
            continue;
        }
        if (unit >= 0xDC00 && unit <= 0xDFFF)
            return false;
        out += unit;
    }
    return true;
}

void EncodeUtf16(std::u16string_view text, bool bigEndian, std::string& out)
{
    out.reserve(out.size() + text.size() * 2);
    for (char16_t unit : text) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        out += bigEndian ? high : low;
        out += bigEndian ? low : high;
    }
}

DecodedText FromUnicode(TextEncoding encoding, bool decoded, const std::u16string& text, const CodePage& codePage)
{
    DecodedText result;
    result.encoding = encoding;
    if (!decoded || text.find(u'\0') != std::u16string::npos) {
        result.problem = TextProblem::NotText;
        return result;
    }
    // Both ways, so that writing the text back gives these very characters.
    const bool exact = codePage.ToAnsi(text, result.text) && codePage.ToUtf16(result.text) == text;
    result.problem = exact ? TextProblem::None : TextProblem::OutsideCodePage;
    return result;
}

std::optional<std::string> UnicodeBytes(std::string_view text, TextEncoding encoding, const CodePage& codePage)
{
    const std::u16string wide = codePage.ToUtf16(text);
    std::string bytes;
    switch (encoding) {
    case TextEncoding::Utf8Mark:
        bytes = kUtf8Mark;
        [[fallthrough]];
    case TextEncoding::Utf8:
        if (!EncodeUtf8(wide, bytes))
            return std::nullopt;
        break;
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE: {
        const bool bigEndian = encoding == TextEncoding::Utf16BE;
        bytes = bigEndian ? kUtf16BEMark : kUtf16LEMark;
        EncodeUtf16(wide, bigEndian, bytes);
        break;
    }
    case TextEncoding::Ansi:
        return std::nullopt;
    }
    return bytes;
}

// Whether bytes written in `encoding` read back as the same text, in that encoding (an ASCII-only
// UTF-8 file cannot be told from ANSI, and need not be).
bool ReadsBack(std::string_view bytes, std::string_view text, TextEncoding encoding, const CodePage& codePage)
{
    const DecodedText back = DecodeText(bytes, codePage);
    const bool sameEncoding =
        back.encoding == encoding || (encoding == TextEncoding::Utf8 && back.encoding == TextEncoding::Ansi);
    return back.problem == TextProblem::None && sameEncoding && back.text == text;
}

} // namespace

bool IsValidUtf8(std::string_view bytes)
{
    return DecodeUtf8(bytes, nullptr);
}

DecodedText DecodeText(std::string_view bytes, const CodePage& codePage)
{
    std::u16string wide;
    if (StartsWith(bytes, kUtf16LEMark))
        return FromUnicode(TextEncoding::Utf16LE, DecodeUtf16(bytes.substr(2), false, wide), wide, codePage);
    if (StartsWith(bytes, kUtf16BEMark))
        return FromUnicode(TextEncoding::Utf16BE, DecodeUtf16(bytes.substr(2), true, wide), wide, codePage);
    if (StartsWith(bytes, kUtf8Mark))
        return FromUnicode(TextEncoding::Utf8Mark, DecodeUtf8(bytes.substr(3), &wide), wide, codePage);
    DecodedText result;
    if (bytes.find('\0') != std::string_view::npos) {
        result.problem = TextProblem::NotText;
        return result;
    }
    if (HasHighByte(bytes) && DecodeUtf8(bytes, &wide))
        return FromUnicode(TextEncoding::Utf8, true, wide, codePage);
    result.text = std::string(bytes);
    return result;
}

std::optional<std::string> EncodeText(std::string_view text, TextEncoding& encoding, const CodePage& codePage)
{
    if (text.find('\0') != std::string_view::npos)
        return std::nullopt;
    if (encoding == TextEncoding::Ansi) {
        if (ReadsBack(text, text, TextEncoding::Ansi, codePage))
            return std::string(text);
        // Bytes that look like a mark or like UTF-8: a mark of its own says what they are.
        std::optional<std::string> bytes = UnicodeBytes(text, TextEncoding::Utf8Mark, codePage);
        if (!bytes || !ReadsBack(*bytes, text, TextEncoding::Utf8Mark, codePage))
            return std::nullopt;
        encoding = TextEncoding::Utf8Mark;
        return bytes;
    }
    std::optional<std::string> bytes = UnicodeBytes(text, encoding, codePage);
    if (!bytes || !ReadsBack(*bytes, text, encoding, codePage))
        return std::nullopt;
    return bytes;
}

std::size_t WholeLinesLength(std::string_view bytes)
{
    const bool littleEndian = StartsWith(bytes, kUtf16LEMark);
    if (littleEndian || StartsWith(bytes, kUtf16BEMark)) {
        for (std::size_t at = bytes.size() - bytes.size() % 2; at > 2; at -= 2) {
            const char16_t unit = Unit(bytes, at - 2, !littleEndian);
            if (unit == u'\r' || unit == u'\n')
                return at;
        }
        return 2;
    }
    const std::size_t end = bytes.find_last_of("\r\n");
    return end == std::string_view::npos ? 0 : end + 1;
}

} // namespace platform

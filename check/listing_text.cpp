#include "check/listing_text.h"

#include <cstddef>

namespace {
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kLittleEndianMark = "\xFF\xFE";
constexpr std::string_view kBigEndianMark = "\xFE\xFF";

bool StartsWith(std::string_view text, std::string_view start) { return text.substr(0, start.size()) == start; }

// Well-formed UTF-8: no stray continuation byte, no overlong form, no
// surrogate, nothing above U+10FFFF.
bool IsUtf8(std::string_view text) {
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 1;
        unsigned long code = lead, least = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2, code = lead & 0x1Fu, least = 0x80;
        } else if ((lead & 0xF0u) == 0xE0) {
            length = 3, code = lead & 0x0Fu, least = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4, code = lead & 0x07u, least = 0x10000;
        } else if (lead >= 0x80) {
            return false;
        }
        if (text.size() - i < length) return false;
        for (std::size_t k = 1; k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0u) != 0x80) return false;
            code = (code << 6) | (next & 0x3Fu);
        }
        if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
        i += length;
    }
    return true;
}

bool HasNonAscii(std::string_view text) {
    for (const char c : text)
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    return false;
}

// UTF-16 by the side its zero bytes sit on; nothing when it is not UTF-16.
std::optional<ListingEncoding> Utf16ByZeroBytes(std::string_view text) {
    std::size_t first = 0, second = 0;
    const std::size_t units = text.size() / 2;
    for (std::size_t i = 0; i < units; ++i) {
        if (text[2 * i] == '\0') ++first;
        if (text[2 * i + 1] == '\0') ++second;
    }
    if (units == 0) return std::nullopt;
    const std::size_t enough = (units + 3) / 4;
    if (second > first && second >= enough) return ListingEncoding::Utf16LittleEndian;
    if (first > second && first >= enough) return ListingEncoding::Utf16BigEndian;
    return std::nullopt;
}

ListingText Utf16(ListingEncoding encoding, std::string_view bytes, bool marked, const SavedOutput& saved) {
    const bool little = encoding == ListingEncoding::Utf16LittleEndian;
    std::string what;
    if (!little || !marked)
        what = std::string(" (") + (little ? "little-endian" : "big-endian") +
               (marked ? "" : ", without a byte order mark") + ")";
    ListingText text{encoding, std::string(bytes), std::nullopt};
    text.refusal = std::string(saved.file) + " is UTF-16 text" + what +
                   "; save it in a Command Prompt with: " + std::string(saved.command);
    return text;
}
}  // namespace

ListingText ClassifyListing(std::string_view file, const SavedOutput& saved) {
    if (StartsWith(file, kUtf8Mark)) return {ListingEncoding::Utf8, std::string(file.substr(kUtf8Mark.size())), {}};
    if (StartsWith(file, kLittleEndianMark))
        return Utf16(ListingEncoding::Utf16LittleEndian, file.substr(kLittleEndianMark.size()), true, saved);
    if (StartsWith(file, kBigEndianMark))
        return Utf16(ListingEncoding::Utf16BigEndian, file.substr(kBigEndianMark.size()), true, saved);
    if (const std::optional<ListingEncoding> utf16 = Utf16ByZeroBytes(file)) return Utf16(*utf16, file, false, saved);
    const bool utf8 = HasNonAscii(file) && IsUtf8(file);
    return {utf8 ? ListingEncoding::Utf8 : ListingEncoding::ConsoleCodePage, std::string(file), {}};
}

TextBytes ListingTextBytes(ListingEncoding encoding) {
    return encoding == ListingEncoding::Utf8 ? TextBytes::Utf8 : TextBytes::ConsoleCodePage;
}

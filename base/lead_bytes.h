#pragma once
// The lead bytes of a double-byte ANSI code page (Japanese 932, Chinese 936
// and 950, Korean 949). The byte after a lead byte belongs to the same
// character whatever its value, and from 0x40 up it can look like "@", "\",
// "|" or a letter: a rule that looks for such a character byte by byte must
// step over it. A single-byte code page has no lead bytes, and then every
// rule below works byte by byte as before.
#include <array>
#include <cstddef>
#include <string_view>

class LeadBytes {
public:
    // No lead bytes: a single-byte code page.
    LeadBytes() = default;

    // Marks first..last (inclusive) as lead bytes.
    void Add(unsigned char first, unsigned char last) {
        for (unsigned int b = first; b <= last; ++b) lead_[b] = true;
    }
    bool IsLead(char c) const { return lead_[static_cast<unsigned char>(c)]; }

    // The bytes of the character that begins at `pos`: two for a lead byte
    // with a byte after it, else one (a lead byte cut off at the end stands alone).
    std::size_t CharLength(std::string_view text, std::size_t pos) const {
        return IsLead(text[pos]) && pos + 1 < text.size() ? 2 : 1;
    }

    // The first `c` at or after `from` that is a character of its own, not the
    // second byte of one; npos when there is none. `c` is a single-byte character.
    std::size_t Find(std::string_view text, char c, std::size_t from = 0) const {
        for (std::size_t i = 0; i < text.size(); i += CharLength(text, i))
            if (i >= from && text[i] == c) return i;
        return std::string_view::npos;
    }
    // The last such `c`; npos when there is none.
    std::size_t FindLast(std::string_view text, char c) const {
        std::size_t found = std::string_view::npos;
        for (std::size_t i = 0; i < text.size(); i += CharLength(text, i))
            if (text[i] == c) found = i;
        return found;
    }

private:
    std::array<bool, 256> lead_{};
};

// The lead bytes of a single-byte code page: none.
inline const LeadBytes& SingleByteCodePage() {
    static const LeadBytes none;
    return none;
}

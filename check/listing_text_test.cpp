#include "check/listing_text.h"

#include <gtest/gtest.h>

#include <string>

namespace {
constexpr char kLine[] = "Power Scheme GUID: 381b4222-f694-41f0-9685-ff5bb260df2e  (";

std::string Utf16(std::u16string_view text, bool little) {
    std::string bytes;
    for (const char16_t unit : text) {
        const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
        bytes += little ? std::string{low, high} : std::string{high, low};
    }
    return bytes;
}

const std::string kSave = "; save it in a Command Prompt with: powercfg /l > FILE";
}  // namespace

TEST(ListingText, TellsTheEncodingsApart) {
    const std::string buero = std::string(kLine) + "B\xC3\xBCro) *\r\n";         // "Büro" in UTF-8
    const std::string office866 = std::string(kLine) + "\x8E\xE4\xA8\xE1)\r\n";  // "Офис" in code page 866
    struct Case {
        std::string file;
        ListingEncoding encoding;
        std::string bytes;
    } cases[] = {
        {buero, ListingEncoding::Utf8, buero},
        {"\xEF\xBB\xBF" + buero, ListingEncoding::Utf8, buero},
        {"\xEF\xBB\xBFplain", ListingEncoding::Utf8, "plain"},
        {office866, ListingEncoding::ConsoleCodePage, office866},
        {std::string(kLine) + "\x90" + "conomie)", ListingEncoding::ConsoleCodePage, ""},  // code page 437
        {std::string(kLine) + "\xC0\xAF)", ListingEncoding::ConsoleCodePage, ""},          // an overlong "/"
        {std::string(kLine) + "\xED\xA0\x80)", ListingEncoding::ConsoleCodePage, ""},      // a surrogate
        {std::string(kLine) + "Balanced)", ListingEncoding::ConsoleCodePage, ""},
        {std::string(kLine) + std::string(1, '\0') + "Balanced)", ListingEncoding::ConsoleCodePage,
         ""},  // one stray zero
        {"", ListingEncoding::ConsoleCodePage, ""},
    };
    for (const Case& c : cases) {
        const ListingText text = ClassifyListing(c.file);
        EXPECT_EQ(text.encoding, c.encoding) << c.file;
        EXPECT_EQ(text.bytes, c.bytes.empty() ? c.file : c.bytes) << c.file;
        EXPECT_FALSE(text.refusal) << c.file;
    }
    EXPECT_EQ(ListingTextBytes(ListingEncoding::Utf8), TextBytes::Utf8);
    EXPECT_EQ(ListingTextBytes(ListingEncoding::ConsoleCodePage), TextBytes::ConsoleCodePage);
}

TEST(ListingText, RefusesUtf16OfEitherOrderWithOrWithoutMark) {
    // A Russian listing: most of its characters are Cyrillic, yet it is recognised.
    const std::u16string russian =
        u"\r\n\u0421\u0443\u0449\u0435\u0441\u0442\u0432\u0443\u044e\u0449\u0438\u0435 \u0441\u0445\u0435\u043c\u044b"
        u"\r\nGUID \u0441\u0445\u0435\u043c\u044b: 381b4222-f694-41f0-9685-ff5bb260df2e  "
        u"(\u041e\u0444\u0438\u0441)\r\n";
    struct Case {
        std::string file;
        ListingEncoding encoding;
        std::string what;
    } cases[] = {
        {"\xFF\xFE" + Utf16(russian, true), ListingEncoding::Utf16LittleEndian, ""},
        {Utf16(russian, true), ListingEncoding::Utf16LittleEndian, " (little-endian, without a byte order mark)"},
        {"\xFE\xFF" + Utf16(russian, false), ListingEncoding::Utf16BigEndian, " (big-endian)"},
        {Utf16(u"Power Scheme GUID:", false), ListingEncoding::Utf16BigEndian,
         " (big-endian, without a byte order mark)"},
    };
    for (const Case& c : cases) {
        const ListingText text = ClassifyListing(c.file);
        EXPECT_EQ(text.encoding, c.encoding) << c.what;
        EXPECT_EQ(text.refusal, "the listing is UTF-16 text" + c.what + kSave);
    }
    EXPECT_EQ(ClassifyListing("\xFF\xFE" + Utf16(russian, true)).bytes, Utf16(russian, true));
}

#include "fuzz/xml_check.h"

#include <cstdint>
#include <set>
#include <vector>

namespace {
class Checker {
public:
    explicit Checker(std::string_view text) : text_(text) {}

    std::string Run() {
        for (std::size_t i = 0; i < text_.size(); ++i) {
            const unsigned char c = static_cast<unsigned char>(text_[i]);
            if (c < 0x20 && c != '\t' && c != '\n' && c != '\r') return Fail("control character", i);
        }
        Misc();
        if (!error_.empty()) return error_;
        if (!At("<") || !IsNameStart(Peek(1))) return Fail("no root element", pos_);
        Element();
        if (!error_.empty()) return error_;
        Misc();
        if (error_.empty() && pos_ != text_.size()) return Fail("content after the root element", pos_);
        return error_;
    }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
    std::string error_;

    std::string Fail(const char* what, std::size_t at) {
        if (error_.empty()) error_ = std::string(what) + " at offset " + std::to_string(at);
        return error_;
    }
    char Peek(std::size_t ahead = 0) const { return pos_ + ahead < text_.size() ? text_[pos_ + ahead] : '\0'; }
    bool At(std::string_view s) const { return text_.substr(pos_, s.size()) == s; }
    static bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
    static bool IsNameStart(char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == ':' ||
               static_cast<unsigned char>(c) >= 0x80;
    }
    static bool IsNameChar(char c) { return IsNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.'; }
    void Spaces() {
        while (pos_ < text_.size() && IsSpace(text_[pos_])) ++pos_;
    }
    std::string_view Name() {
        const std::size_t start = pos_;
        if (!IsNameStart(Peek())) {
            Fail("name expected", pos_);
            return {};
        }
        while (pos_ < text_.size() && IsNameChar(text_[pos_])) ++pos_;
        return text_.substr(start, pos_ - start);
    }
    // Skips to just after `end`; false when it never comes.
    bool SkipPast(std::string_view end, const char* what) {
        const std::size_t at = text_.find(end, pos_);
        if (at == std::string_view::npos) {
            Fail(what, pos_);
            return false;
        }
        pos_ = at + end.size();
        return true;
    }

    // Blanks, comments and processing instructions outside the root element.
    void Misc() {
        for (;;) {
            Spaces();
            if (At("<!--")) {
                Comment();
            } else if (At("<?")) {
                Instruction();
            } else {
                return;
            }
            if (!error_.empty()) return;
        }
    }
    void Comment() {
        const std::size_t start = pos_;
        pos_ += 4;
        if (!SkipPast("--", "unclosed comment")) return;
        if (Peek() != '>') Fail("\"--\" inside a comment", start);
        ++pos_;
    }
    void Instruction() {
        pos_ += 2;
        const std::string_view target = Name();
        if (!error_.empty()) return;
        if (target.size() == 3 && (target[0] | 0x20) == 'x' && (target[1] | 0x20) == 'm' && (target[2] | 0x20) == 'l' &&
            target.data() != text_.data() + 2)
            Fail("XML declaration not at the start", pos_);
        SkipPast("?>", "unclosed processing instruction");
    }
    // "&...;" at pos_: a predefined entity or a character reference to a legal character.
    void Reference() {
        const std::size_t start = pos_;
        ++pos_;
        if (Peek() == '#') {
            ++pos_;
            const bool hex = Peek() == 'x';
            if (hex) ++pos_;
            std::uint32_t value = 0;
            std::size_t digits = 0;
            for (char c = Peek(); c != ';'; c = Peek()) {
                int digit = -1;
                if (c >= '0' && c <= '9')
                    digit = c - '0';
                else if (hex && c >= 'a' && c <= 'f')
                    digit = c - 'a' + 10;
                else if (hex && c >= 'A' && c <= 'F')
                    digit = c - 'A' + 10;
                if (digit < 0) {
                    Fail("bad character reference", start);
                    return;
                }
                value = value > 0x10FFFF ? value : value * (hex ? 16 : 10) + static_cast<std::uint32_t>(digit);
                ++digits;
                ++pos_;
            }
            ++pos_;
            const bool legal = value == 0x9 || value == 0xA || value == 0xD || (value >= 0x20 && value <= 0xD7FF) ||
                               (value >= 0xE000 && value <= 0xFFFD) || (value >= 0x10000 && value <= 0x10FFFF);
            if (digits == 0 || !legal) Fail("reference to an illegal character", start);
            return;
        }
        const std::string_view name = Name();
        if (!error_.empty()) return;
        if (Peek() != ';') {
            Fail("unterminated entity reference", start);
            return;
        }
        ++pos_;
        if (name != "amp" && name != "lt" && name != "gt" && name != "quot" && name != "apos")
            Fail("undeclared entity", start);
    }
    void AttributeValue() {
        const char quote = Peek();
        if (quote != '"' && quote != '\'') {
            Fail("attribute value not quoted", pos_);
            return;
        }
        ++pos_;
        while (error_.empty()) {
            const char c = Peek();
            if (pos_ >= text_.size()) {
                Fail("unclosed attribute value", pos_);
            } else if (c == quote) {
                ++pos_;
                return;
            } else if (c == '<') {
                Fail("\"<\" in an attribute value", pos_);
            } else if (c == '&') {
                Reference();
            } else {
                ++pos_;
            }
        }
    }
    // A start tag at pos_; true when it is an empty-element tag.
    bool StartTag(std::vector<std::string_view>& open) {
        ++pos_;
        open.push_back(Name());
        std::set<std::string_view> attributes;
        while (error_.empty()) {
            const std::size_t before = pos_;
            Spaces();
            if (At("/>")) {
                pos_ += 2;
                open.pop_back();
                return true;
            }
            if (Peek() == '>') {
                ++pos_;
                return false;
            }
            if (pos_ == before) {
                Fail("blank expected before an attribute", pos_);
                break;
            }
            const std::string_view name = Name();
            if (!error_.empty()) break;
            if (!attributes.insert(name).second) Fail("repeated attribute", pos_);
            Spaces();
            if (Peek() != '=') {
                Fail("\"=\" expected", pos_);
                break;
            }
            ++pos_;
            Spaces();
            AttributeValue();
        }
        return false;
    }
    // The root element and everything in it, without recursion.
    void Element() {
        std::vector<std::string_view> open;
        StartTag(open);
        while (error_.empty() && !open.empty()) {
            if (pos_ >= text_.size()) {
                Fail("unclosed element", pos_);
            } else if (At("<![CDATA[")) {
                pos_ += 9;
                SkipPast("]]>", "unclosed CDATA section");
            } else if (At("<!--")) {
                Comment();
            } else if (At("<?")) {
                Instruction();
            } else if (At("</")) {
                pos_ += 2;
                const std::string_view name = Name();
                Spaces();
                if (error_.empty() && (name != open.back() || Peek() != '>')) Fail("end tag does not match", pos_);
                ++pos_;
                open.pop_back();
            } else if (Peek() == '<') {
                if (!IsNameStart(Peek(1)))
                    Fail("\"<\" in text", pos_);
                else
                    StartTag(open);
            } else if (Peek() == '&') {
                Reference();
            } else if (At("]]>")) {
                Fail("\"]]>\" in text", pos_);
            } else {
                ++pos_;
            }
        }
    }
};
}  // namespace

std::string XmlWellFormednessError(std::string_view text) { return Checker(text).Run(); }

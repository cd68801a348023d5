#include "fakes/relay_double/double_log.h"

#include <cstdlib>

std::string EscapeRelayText(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string NonStringRelayArgument(int variantType) { return "\\v" + std::to_string(variantType); }

std::string RelayCallLine(const std::array<std::string, 7>& escapedTexts, const std::array<int, 3>& outTypes) {
    std::string line;
    for (const std::string& text : escapedTexts) line += text + "\t";
    line += std::to_string(outTypes[0]) + "\t" + std::to_string(outTypes[1]) + "\t" + std::to_string(outTypes[2]);
    return line + "\n";
}

namespace {
std::string Unescape(std::string_view field) {
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\' || i + 1 == field.size()) {
            out += field[i];
            continue;
        }
        switch (field[++i]) {
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            case 'n':
                out += '\n';
                break;
            case 'v':
                out += "\\v";
                break;  // keeps the non-string marker recognisable
            default:
                out += field[i];
        }
    }
    return out;
}
}  // namespace

std::vector<RelayCall> ParseRelayCalls(std::string_view logText) {
    std::vector<RelayCall> calls;
    std::size_t start = 0;
    while (start < logText.size()) {
        std::size_t end = logText.find('\n', start);
        if (end == std::string_view::npos) end = logText.size();
        std::string_view line = logText.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

        std::vector<std::string_view> fields;
        std::size_t pos = 0;
        for (std::size_t tab = line.find('\t'); tab != std::string_view::npos; tab = line.find('\t', pos)) {
            fields.push_back(line.substr(pos, tab - pos));
            pos = tab + 1;
        }
        fields.push_back(line.substr(pos));
        if (fields.size() != 10) continue;

        RelayCall call;
        for (std::size_t i = 0; i < 7; ++i) call.texts[i] = Unescape(fields[i]);
        for (std::size_t i = 0; i < 3; ++i) call.outTypesOnEntry[i] = std::atoi(std::string(fields[7 + i]).c_str());
        calls.push_back(call);
    }
    return calls;
}

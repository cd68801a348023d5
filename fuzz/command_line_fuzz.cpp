// The agent's packed argument: a line is either split into nine fields that
// hold exactly its pieces, or rejected with the record left untouched and,
// when a piece has no exact form in the code page, that piece named.
#include <cstring>
#include <string>

#include "base/fixed_text.h"
#include "driver/command_line.h"
#include "fuzz/fuzz_check.h"

namespace {
// A code page that holds ASCII only.
std::optional<std::string> Ascii(std::wstring_view field) {
    std::string out;
    for (const wchar_t c : field) {
        if (c > 0x7F) return std::nullopt;
        out.push_back(static_cast<char>(c));
    }
    return out;
}

template <typename Char, std::size_t N>
bool Holds(const Char (&field)[N], std::wstring_view piece) {
    if (piece.size() >= N || field[piece.size()] != 0) return false;
    for (std::size_t i = 0; i < piece.size(); ++i)
        if (static_cast<wchar_t>(field[i]) != piece[i]) return false;
    return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The process command line is a C string: it ends at the first NUL. Each
    // byte stands for one UTF-16 character.
    const std::string_view bytes = InputFields(data, size, 1)[0];
    std::wstring line;
    for (const char c : bytes) line.push_back(static_cast<unsigned char>(c));
    const std::vector<std::wstring_view> pieces = CommandLineTokens(line);
    for (const std::wstring_view piece : pieces)
        FUZZ_CHECK(!piece.empty() && piece.find_first_of(L"@#") == std::wstring_view::npos);

    JobArgs args;
    std::memset(&args, 0x5A, sizeof args);
    JobArgs untouched;
    std::memcpy(&untouched, &args, sizeof args);
    const SplitVerdict verdict = SplitJobArgs(line, Ascii, args);
    if (!verdict.stored) {
        FUZZ_CHECK(std::memcmp(&args, &untouched, sizeof args) == 0);
        FUZZ_CHECK(line.size() > kMaxCommandLine || pieces.size() != 9 || !verdict.inexactField.empty() ||
                   pieces[0].size() >= sizeof args.OD || pieces[1].size() >= sizeof args.ScriptId ||
                   pieces[2].size() >= std::size(args.XmlFilePath) || pieces[3].size() >= sizeof args.JobId ||
                   pieces[4].size() >= sizeof args.UserLoggedIn || pieces[5].size() >= sizeof args.ExecutionTime ||
                   pieces[6].size() >= sizeof args.InstanceID || pieces[7].size() >= sizeof args.IsRealTimeS ||
                   pieces[8].size() >= sizeof args.ScriptJobId);
        if (verdict.inexactField == "JobId") FUZZ_CHECK(!Ascii(pieces[3]));
        return 0;
    }
    FUZZ_CHECK(line.size() <= kMaxCommandLine);
    FUZZ_CHECK(pieces.size() == 9);
    FUZZ_CHECK(Holds(args.OD, pieces[0]) && Holds(args.ScriptId, pieces[1]) && Holds(args.XmlFilePath, pieces[2]) &&
               Holds(args.JobId, pieces[3]) && Holds(args.UserLoggedIn, pieces[4]) &&
               Holds(args.ExecutionTime, pieces[5]) && Holds(args.InstanceID, pieces[6]) &&
               Holds(args.IsRealTimeS, pieces[7]) && Holds(args.ScriptJobId, pieces[8]));
    return 0;
}

// The agent's packed argument: a line is either split into nine fields that
// hold exactly its pieces, or rejected with the record left untouched.
#include <cstring>
#include <string>

#include "base/fixed_text.h"
#include "driver/command_line.h"
#include "fuzz/fuzz_check.h"

namespace {
template <std::size_t N>
bool Holds(const char (&field)[N], std::string_view piece) {
    return piece.size() < N && FieldText(field) == piece;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The process command line is a C string: it ends at the first NUL.
    const std::string_view line = InputFields(data, size, 1)[0];
    const std::vector<std::string_view> pieces = CommandLineTokens(line);
    for (const std::string_view piece : pieces)
        FUZZ_CHECK(!piece.empty() && piece.find_first_of("@#") == std::string_view::npos);

    JobArgs args;
    std::memset(&args, 0x5A, sizeof args);
    JobArgs untouched;
    std::memcpy(&untouched, &args, sizeof args);
    if (!SplitJobArgs(line, args)) {
        FUZZ_CHECK(std::memcmp(&args, &untouched, sizeof args) == 0);
        const bool fits = pieces.size() == 9 && pieces[0].size() < sizeof args.OD &&
                          pieces[1].size() < sizeof args.ScriptId && pieces[2].size() < sizeof args.XmlFilePath &&
                          pieces[3].size() < sizeof args.JobId && pieces[4].size() < sizeof args.UserLoggedIn &&
                          pieces[5].size() < sizeof args.ExecutionTime && pieces[6].size() < sizeof args.InstanceID &&
                          pieces[7].size() < sizeof args.IsRealTimeS && pieces[8].size() < sizeof args.ScriptJobId;
        FUZZ_CHECK(line.size() > kMaxCommandLine || !fits);
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

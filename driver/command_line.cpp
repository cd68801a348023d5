#include "driver/command_line.h"

#include "base/fixed_text.h"
#include "base/text.h"

std::vector<std::wstring_view> CommandLineTokens(std::wstring_view commandLine) {
    return SplitOnAny(commandLine, L"@#");
}

namespace {
// Converts the field exactly and stores it; false with the refusal set when it
// has no exact form or does not fit.
template <std::size_t N>
bool StoreExact(char (&field)[N], std::wstring_view value, std::string_view name, ExactAnsiText toAnsi,
                SplitVerdict& verdict) {
    const std::optional<std::string> text = toAnsi(value);
    if (!text) {
        verdict.inexactField = name;
        return false;
    }
    return StoreText(field, *text);
}
}  // namespace

SplitVerdict SplitJobArgs(std::wstring_view commandLine, ExactAnsiText toAnsi, JobArgs& args) {
    SplitVerdict verdict;
    if (commandLine.size() > kMaxCommandLine) return verdict;
    const std::vector<std::wstring_view> t = CommandLineTokens(commandLine);
    if (t.size() != 9) return verdict;

    JobArgs parsed{};
    const bool fits = StoreExact(parsed.OD, t[0], "OD", toAnsi, verdict) &&
                      StoreExact(parsed.ScriptId, t[1], "ScriptId", toAnsi, verdict) &&
                      StoreText(parsed.XmlFilePath, t[2]) && StoreExact(parsed.JobId, t[3], "JobId", toAnsi, verdict) &&
                      StoreExact(parsed.UserLoggedIn, t[4], "UserLoggedIn", toAnsi, verdict) &&
                      StoreExact(parsed.ExecutionTime, t[5], "ExecutionTime", toAnsi, verdict) &&
                      StoreExact(parsed.InstanceID, t[6], "InstanceID", toAnsi, verdict) &&
                      StoreExact(parsed.IsRealTimeS, t[7], "IsRealTimeS", toAnsi, verdict) &&
                      StoreExact(parsed.ScriptJobId, t[8], "ScriptJobId", toAnsi, verdict);
    if (!fits) return verdict;
    args = parsed;
    verdict.stored = true;
    return verdict;
}

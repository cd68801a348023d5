#include "driver/command_line.h"

#include "base/fixed_text.h"
#include "base/text.h"

std::vector<std::string_view> CommandLineTokens(std::string_view commandLine) { return SplitOnAny(commandLine, "@#"); }

bool SplitJobArgs(std::string_view commandLine, JobArgs& args) {
    if (commandLine.size() > kMaxCommandLine) return false;
    const std::vector<std::string_view> tokens = CommandLineTokens(commandLine);
    if (tokens.size() != 9) return false;

    JobArgs parsed{};
    const bool fits = StoreText(parsed.OD, tokens[0]) && StoreText(parsed.ScriptId, tokens[1]) &&
                      StoreText(parsed.XmlFilePath, tokens[2]) && StoreText(parsed.JobId, tokens[3]) &&
                      StoreText(parsed.UserLoggedIn, tokens[4]) && StoreText(parsed.ExecutionTime, tokens[5]) &&
                      StoreText(parsed.InstanceID, tokens[6]) && StoreText(parsed.IsRealTimeS, tokens[7]) &&
                      StoreText(parsed.ScriptJobId, tokens[8]);
    if (!fits) return false;
    args = parsed;
    return true;
}

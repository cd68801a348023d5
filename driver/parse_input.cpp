#include "driver/parse_input.h"

#include <windows.h>

#include <optional>
#include <string>

#include "driver/command_line.h"
#include "report/fatal_exit.h"
#include "report/log_writer.h"
#include "win/text_convert.h"

namespace {
std::optional<std::string> ExactAnsi(std::wstring_view field) {
    return WideToAnsiExact(field.data(), static_cast<int>(field.size()));
}
}  // namespace

bool ParseInput(const wchar_t* commandLine, JobArgs& args) {
    try {
        LogLine("ParseInput", "Info", "Input", "", WideToAnsiShown(commandLine));
        for (std::wstring_view token : CommandLineTokens(commandLine)) {
            OutputDebugStringW(std::wstring(token).c_str());
            OutputDebugStringA("\n");
        }
        const SplitVerdict verdict = SplitJobArgs(commandLine, ExactAnsi, args);
        if (verdict.stored) return true;
        if (!verdict.inexactField.empty()) {
            // Carried on as a look-alike, the field would name another job,
            // script or instance than the agent's; the run is refused instead.
            LogLine("ParseInput", "ERROR", "Invalid Commandline Parameter received.",
                    std::string(verdict.inexactField) + " has characters the ANSI code page cannot hold",
                    "ANSI code page " + std::to_string(GetACP()));
            return false;
        }
        LogLine("ParseInput", "ERROR", "Invalid Commandline Parameter received.",
                "Format : OD@#@ScriptId@#@XmlFilePath@#@JobId@#@UserLoggedIn@#@ExecutionTime@#@InstanceID@#@"
                "IsRealTimeS@#@ScriptJobId",
                "");
        return false;
    } catch (...) {
        LogException("ParseInput");
        return false;
    }
}

#include "driver/parse_input.h"

#include <windows.h>

#include <string>

#include "driver/command_line.h"
#include "report/fatal_exit.h"
#include "report/log_writer.h"
#include "run/run_context.h"

bool ParseInput(const char* commandLine) {
    try {
        LogLine("ParseInput", "Info", "Input", "", commandLine);
        for (std::string_view token : CommandLineTokens(commandLine)) {
            OutputDebugStringA(std::string(token).c_str());
            OutputDebugStringA("\n");
        }
        if (SplitJobArgs(commandLine, g_ctx.Args)) return true;
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

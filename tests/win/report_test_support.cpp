#include "tests/win/report_test_support.h"

#include <windows.h>

#include "base/fixed_text.h"
#include "report/log_writer.h"
#include "tests/win/temp_folder.h"
#include "win/file_helpers.h"

SampleRun FillSampleRun(const std::string& installPath) {
    SetLogDestination({installPath, "123456", false});
    SampleRun run;
    AgentIdentity& agent = run.agent;
    (void)StoreText(agent.InstallationPath, installPath);
    (void)StoreText(agent.REGID, "123456");
    (void)StoreText(agent.MEMBERID, "M77");
    (void)StoreText(agent.SITEID, "S9");
    (void)StoreText(agent.TYPE, "T1");
    JobArgs& args = run.args;
    (void)StoreText(args.OD, "OD");
    (void)StoreText(args.ScriptId, "93");
    (void)StoreText(args.JobId, "4711");
    (void)StoreText(args.ExecutionTime, "12/08/2026 10:30:45");
    (void)StoreText(args.InstanceID, "I-5");
    (void)StoreText(args.IsRealTimeS, "1");
    (void)StoreText(args.ScriptJobId, "88");
    return run;
}

int CountOf(const std::string& haystack, const std::string& text) {
    int count = 0;
    for (std::size_t pos = haystack.find(text); pos != std::string::npos; pos = haystack.find(text, pos + 1)) ++count;
    return count;
}

RelayDoubleBinding::RelayDoubleBinding(const std::string& folder)
    : logPath_(folder + "\\relay_calls.log"), scriptPath_(folder + "\\relay_script.txt") {
    SetEnvironmentVariableA("KV_RELAY_DOUBLE_LOG", logPath_.c_str());
    SetEnvironmentVariableA("KV_RELAY_DOUBLE_SCRIPT", scriptPath_.c_str());
    module_.reset(LoadLibraryA((ProgramFolder() + "\\relay_double.dll").c_str()));
    entry_ =
        module_
            ? reinterpret_cast<WebPostDataProc>(reinterpret_cast<void*>(GetProcAddress(module_.get(), "WebPostData")))
            : nullptr;
}

RelayDoubleBinding::~RelayDoubleBinding() {
    SetEnvironmentVariableA("KV_RELAY_DOUBLE_LOG", nullptr);
    SetEnvironmentVariableA("KV_RELAY_DOUBLE_SCRIPT", nullptr);
}

void RelayDoubleBinding::Script(const std::string& lines) const { (void)WriteFileBytes(scriptPath_, lines); }

std::vector<RelayCall> RelayDoubleBinding::Calls() const { return ParseRelayCalls(ReadWholeFile(logPath_)); }

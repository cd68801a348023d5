#pragma once
// Shared by the Windows tests of the status post and the status file: a
// sample job, the run's log, and the relay double.
#include <string>
#include <vector>

#include "fakes/relay_double/double_log.h"
#include "run/agent_identity.h"
#include "run/job_args.h"
#include "run/relay_entry.h"
#include "tests/win/day_log.h"
#include "win/owners.h"

struct SampleRun {
    AgentIdentity agent{};
    JobArgs args{};
};
// Resets the run context and the log to `installPath`, and returns agent
// REGID "123456", MEMBERID "M77", SITEID "S9", TYPE "T1" installed there with a
// sample job.
SampleRun FillSampleRun(const std::string& installPath);
// How often `text` occurs in `haystack`.
int CountOf(const std::string& haystack, const std::string& text);

// relay_double.dll from the test program's folder, with its log and script
// files in `folder`.
class RelayDoubleBinding {
public:
    explicit RelayDoubleBinding(const std::string& folder);
    ~RelayDoubleBinding();
    RelayDoubleBinding(const RelayDoubleBinding&) = delete;
    RelayDoubleBinding& operator=(const RelayDoubleBinding&) = delete;
    bool loaded() const { return static_cast<bool>(module_); }
    WebPostDataProc entry() const { return entry_; }
    // One answer per line, in call order.
    void Script(const std::string& lines) const;
    std::vector<RelayCall> Calls() const;

private:
    std::string logPath_, scriptPath_;
    UniqueModule module_;
    WebPostDataProc entry_ = nullptr;
};

#pragma once
// The job's status record and its delivery: the configured server, then the
// built-in default server, then a file in the post-log folder.
#include <string>
#include <string_view>

#include "report/status_record.h"
#include "run/job_outcome.h"
#include "run/agent_identity.h"
#include "run/job_args.h"
#include "run/relay_entry.h"

struct GuardedCallResult;

// Reads the configured base URL from the agent's Pathwell.ini below
// `installationPath` and logs it. Empty when there is none or when it is
// longer than 259 characters.
std::string ReadStatusUrl(std::string_view installationPath);

// What the post needs of the run: the agent and the job it reports on, the
// configured base URL and the relay's entry point (none when the relay
// could not be loaded: every attempt then fails).
struct StatusPostRun {
    const AgentIdentity& agent;
    const JobArgs& args;
    std::string_view statusUrl;
    WebPostDataProc relay;
};

// Builds the record for the outcome (a failure carries its status
// description) and delivers it. The record
// is saved in the post-log folder before the first attempt and removed once
// one delivered it. True when it was delivered or saved.
bool CreateWebPost(const StatusPostRun& run, const Outcome& outcome);
// One attempt through the relay, given RelayCallLimitMs(). True when the
// relay reported delivery.
bool TryWebPost(WebPostDataProc relay, const std::string& url, const std::string& record);
// The log line for a guarded call into the relay (its load, or a post) that
// did not return: past its limit, its thread ended inside it, or a crash.
struct GuardedLossTexts {
    const char* timedOut;
    const char* endedItself;
    const char* crashed;
};
void LogGuardedCallLost(const GuardedCallResult& outcome, unsigned long limitMs, const GuardedLossTexts& texts);

// The time a relay call gets: 2 minutes, or less through the environment
// variable KV_RELAY_TIMEOUT_MS.
unsigned long RelayCallLimitMs();
// The longest a post may take whatever the relay does: two calls at their
// limit and a minute (one call's limit when shorter, but at least 10 seconds)
// for the saving and logging around them.
unsigned long WebPostTimeBoundMs();
// Saves the record in <installationPath>\DorvikPostLogs, named by `regid` and
// `time` or the first later free millisecond (SaveRecordUnderFreeName). True
// when written.
bool SendWebpost(std::string_view installationPath, std::string_view regid, const RecordTime& time,
                 const std::string& record);

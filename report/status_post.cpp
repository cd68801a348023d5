#include "report/status_post.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <new>

#include "base/time_limit.h"
#include "report/configured_url.h"
#include "report/log_writer.h"
#include "report/post_log_text.h"
#include "report/reporter.h"
#include "report/saved_record.h"
#include "report/status_record.h"
#include "win/guarded_call.h"
#include "win/limit_setting.h"
#include "win/owners.h"
#include "win/text_convert.h"

// The built-in status server, used when the configured one does not take the
// record. The build sets it (KV_DEFAULT_STATUS_SERVER in report/sources.cmake).
#ifndef KV_DEFAULT_STATUS_SERVER
#define KV_DEFAULT_STATUS_SERVER "https://status.kestrovane.invalid"
#endif

namespace {
// Puts the ANSI text into the VARIANT as a BSTR. False when it cannot be
// converted or allocated; the VARIANT then stays empty.
bool SetBstr(UniqueVariant& variant, const std::string& text) {
    int length = 0;
    if (!text.empty()) {
        length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
        if (length <= 0) return false;
    }
    UniqueBstr value(SysAllocStringLen(nullptr, static_cast<UINT>(length)));
    if (!value) return false;
    if (length > 0 &&
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), value.get(), length) != length)
        return false;
    variant.reset();
    variant.get()->vt = VT_BSTR;
    variant.get()->bstrVal = value.release();
    return true;
}

constexpr unsigned long kRelayCallLimitMs = 2 * 60 * 1000;
constexpr unsigned long kShortestPostMarginMs = 10 * 1000;

// A relay's text as its own thread read it: the start that is logged and the
// length of the whole.
struct RelayText {
    std::string shown;
    std::size_t shownLength = 0;
    std::size_t totalLength = 0;
};

// The text of a string VARIANT, at most kMaxLoggedRelayText characters of it;
// a value that holds no string gives none.
RelayText ReadRelayText(const VARIANT& value) {
    RelayText text;
    if (value.vt != VT_BSTR || !value.bstrVal) return text;
    text.totalLength = SysStringLen(value.bstrVal);
    std::size_t n = text.totalLength < kMaxLoggedRelayText ? text.totalLength : kMaxLoggedRelayText;
    if (n < text.totalLength && n > 0 && IS_HIGH_SURROGATE(value.bstrVal[n - 1])) --n;  // no half pair
    text.shown = WideToAnsi(value.bstrVal, static_cast<int>(n));
    text.shownLength = n;
    return text;
}

// One WebPostData call and what came back from it. It lives on the heap: a
// call that does not return may still use its values, so it keeps them for
// good. The three values the relay hands back are never freed here: a value
// of a wrong type or with a bad pointer could crash or corrupt the heap when
// cleared, and the process gives them back when it ends.
struct RelayCall {
    WebPostDataProc entry = nullptr;
    UniqueVariant in[7];
    VARIANT result, error, errorText;
    // Filled on the relay's thread after it returned.
    bool errorSet = false;
    RelayText resultText, errorValue, errorMessage;

    RelayCall() {
        VariantInit(&result);
        VariantInit(&error);
        VariantInit(&errorText);
    }
};

void CallRelay(void* context) {
    RelayCall& c = *static_cast<RelayCall*>(context);
    c.entry(c.in[0].ref(), c.in[1].ref(), c.in[2].ref(), c.in[3].ref(), c.in[4].ref(), c.in[5].ref(), c.in[6].ref(),
            &c.result, &c.error, &c.errorText);
    // Read here, on the relay's thread: a bad pointer in what it handed back
    // then ends this call, not the run.
    c.errorSet = c.error.vt != VT_EMPTY;
    c.resultText = ReadRelayText(c.result);
    c.errorValue = ReadRelayText(c.error);
    c.errorMessage = ReadRelayText(c.errorText);
}

// The call of `relay` with the URL, the record, "N" and four empty texts;
// none when a text cannot be converted or memory runs out.
std::unique_ptr<RelayCall> PrepareRelayCall(WebPostDataProc relay, const std::string& url, const std::string& record) {
    try {
        auto call = std::make_unique<RelayCall>();
        call->entry = relay;
        UniqueVariant* in = call->in;
        if (SetBstr(in[0], url) && SetBstr(in[1], record) && SetBstr(in[2], "N") && SetBstr(in[3], "") &&
            SetBstr(in[4], "") && SetBstr(in[5], "") && SetBstr(in[6], ""))
            return call;
    } catch (const std::bad_alloc&) {
    }
    return nullptr;
}

std::string ForLog(const RelayText& text) { return RelayTextForLog(text.shown, text.shownLength, text.totalLength); }

void LogRelayFailure(const RelayCall& call) {
    LogLine("1.0", "CreateWebPost", "ERROR Using WebPost Dll Failed", ForLog(call.errorValue),
            ForLog(call.errorMessage));
}

bool RecordSaved(const std::string& path) {
    LogLine("SendWebpost", "INFO", "Created File ", path, "");
    return true;
}

// The record was delivered: the copy this run saved before the attempts goes,
// or the agent would deliver it once more. One the agent already took is gone
// too, and a file that took its name since is another run's and stays.
bool RecordDelivered(bool savedEarly, const OwnFile& saved) {
    if (savedEarly && !RemoveOwnFile(saved))
        LogLine("SendWebpost", "Error", "Removing Delivered Record Failed", saved.path, std::to_string(GetLastError()));
    return true;
}

// The record's values for this run: `description` is the failure's.
StatusRecordValues RecordValues(const StatusPostRun& run, bool succeeded, std::string_view description) {
    StatusRecordValues values;
    values.regid = run.agent.REGID;
    values.scriptJobId = run.args.ScriptJobId;
    values.isRealTime = run.args.IsRealTimeS;
    values.scriptId = run.args.ScriptId;
    values.jobId = run.args.JobId;
    values.instanceId = run.args.InstanceID;
    values.succeeded = succeeded;
    values.description = description;
    values.executionTime = run.args.ExecutionTime;
    return values;
}
}  // namespace

std::string ReadStatusUrl(std::string_view installationPath) {
    const std::string url = ConfiguredStatusUrl(installationPath);
    if (url.size() > kMaxConfiguredUrl) {
        LogLine("PathwellINI", "Error", "URL Link Too Long", UrlForLog(url), "");
        return "";
    }
    if (url.empty())
        LogLine("PathwellINI", "Error", "URL Link not Found", "", "");
    else
        LogLine("PathwellINI", "Info", "URL Name is ", UrlForLog(url), "");
    return url;
}

void LogGuardedCallLost(const GuardedCallResult& outcome, unsigned long limitMs, const GuardedLossTexts& texts) {
    char code[48];
    switch (outcome.end) {
        case GuardedEnd::TimedOut:
            LogLine("1.0", "CreateWebPost", "ERROR", texts.timedOut, DurationText(limitMs));
            return;
        case GuardedEnd::EndedItself:
            std::snprintf(code, sizeof code, "Thread Exit Code 0x%08lX",
                          static_cast<unsigned long>(outcome.threadExitCode));
            LogLine("1.0", "CreateWebPost", "ERROR", texts.endedItself, code);
            return;
        default:
            std::snprintf(code, sizeof code, "Exception 0x%08lX", static_cast<unsigned long>(outcome.exceptionCode));
            LogLine("1.0", "CreateWebPost", "ERROR", texts.crashed, code);
    }
}

unsigned long RelayCallLimitMs() { return LimitFromEnvironment("KV_RELAY_TIMEOUT_MS", kRelayCallLimitMs); }

// Both attempts' limits and a margin for the rest of the post; a lowered limit
// lowers the margin too, so that tests see the bound at work, but never below
// the time that saving the record and logging the post's lines may take.
unsigned long WebPostTimeBoundMs() {
    const unsigned long limitMs = RelayCallLimitMs();
    return 2 * limitMs + std::clamp<unsigned long>(limitMs, kShortestPostMarginMs, 60 * 1000);
}

bool CreateWebPost(const StatusPostRun& run, const Outcome& outcome) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    const bool succeeded = !outcome.IsFailure();
    const std::string record = BuildStatusRecord(RecordValues(run, succeeded, outcome.Status()));

    // The record is on disk before the relay is called, so that nothing the
    // relay does (a hang, a crash that takes the process with it, an exit)
    // loses it; an attempt that delivers it removes it again. A record may so
    // be delivered twice, but never lost. A record that cannot be saved now is
    // still posted, and saved once more after two failed attempts.
    // Runs that end together save their records under names of their own.
    const AgentIdentity& agent = run.agent;
    const RecordTime time{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
    OwnFile saved;
    const bool savedEarly = SaveRecordUnderFreeName(agent.InstallationPath, agent.REGID, time, WithCrLf(record), saved);

    for (std::string_view base : {run.statusUrl, std::string_view(KV_DEFAULT_STATUS_SERVER)}) {
        const std::string url = StatusPostUrl(base, agent.MEMBERID, agent.SITEID, agent.REGID, agent.TYPE);
        if (TryWebPost(run.relay, url, record)) return RecordDelivered(savedEarly, saved);
        LogLine("1.0", "CreateWebPost", "Info", "Failed To Send the Webpost", UrlForLog(url));
    }

    // Rewriting a record that is already there could leave it cut if the run
    // were ended halfway (by the watchdog after a relay left its locks taken).
    if (savedEarly) return RecordSaved(saved.path);
    if (SendWebpost(agent.InstallationPath, agent.REGID, time, record)) return true;
    LogLine("1.0", "CreateWebPost", "Info", "Failed To Send to the Dorvik Folder",
            SavedRecordName(agent.REGID, time, AnsiLeadBytes()));
    return false;
}

bool TryWebPost(WebPostDataProc relay, const std::string& target, const std::string& record) {
    // The URL as every line below shows it: a password in it is masked.
    const std::string url = UrlForLog(target);
    LogLineWithStatusRecord("1.0", "CreateWebPost", "Trying To Send The Following status For WebPost", url, record);
    // The relay takes no longer texts; cutting them would post a wrong address
    // or a broken record, so the attempt fails and the record is saved whole.
    if (target.size() > kMaxStatusUrlLength) {
        LogLine("1.0", "CreateWebPost", "ERROR", "Status URL Too Long", url);
        return false;
    }
    if (record.size() > kMaxStatusRecordLength) {
        LogLine("1.0", "CreateWebPost", "ERROR", "Status Record Too Long", std::to_string(record.size()));
        return false;
    }
    if (!relay) return false;

    std::unique_ptr<RelayCall> call = PrepareRelayCall(relay, target, record);
    if (!call) {
        LogLine("1.0", "CreateWebPost", "ERROR", "Converting The Status Texts Failed", url);
        return false;
    }

    // A crash inside the relay ends only the call, and a call past its limit
    // is left behind: either way the attempt has failed.
    const unsigned long limitMs = RelayCallLimitMs();
    const GuardedCallResult outcome = RunGuarded(CallRelay, call.get(), limitMs);
    if (outcome.end != GuardedEnd::Returned) {
        call.release();  // the relay may still use it, or died holding the heap: never freed
        LogGuardedCallLost(
            outcome, limitMs,
            {"WebPost Dll Timed Out", "WebPost Dll Call Ended Without Returning", "WebPost Dll Crashed"});
        return false;
    }
    if (call->errorSet) {
        LogRelayFailure(*call);
        return false;
    }
    const std::string& answer = call->resultText.shown;
    if (SameTextNoCase(answer.c_str(), "1")) {
        LogLine("1.0", "CreateWebPost", "Info", "Success Webpost Return Status", answer);
        return true;
    }
    LogRelayFailure(*call);
    return false;
}

bool SendWebpost(std::string_view installationPath, std::string_view regid, const RecordTime& time,
                 const std::string& record) {
    // As a text-mode file holds it: every line feed becomes CR LF.
    OwnFile saved;
    if (SaveRecordUnderFreeName(installationPath, regid, time, WithCrLf(record), saved)) return RecordSaved(saved.path);
    LogLine("SendWebpost", "Error", "Creating File Failed", saved.path, "");
    return false;
}

#include "report/status_post.h"

#include <windows.h>

#include <cstdio>
#include <new>

#include "base/fixed_text.h"
#include "report/log_writer.h"
#include "report/report_file.h"
#include "report/status_record.h"
#include "run/run_context.h"
#include "win/file_helpers.h"
#include "win/guarded_call.h"
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

// The ANSI text of a string VARIANT; empty for a value that holds no string.
std::string VariantText(const VARIANT& value) {
    if (value.vt != VT_BSTR) return {};
    return WideToAnsi(value.bstrVal, static_cast<int>(SysStringLen(value.bstrVal)));
}

// One WebPostData call; every value it touches belongs to the caller.
struct RelayArguments {
    WebPostDataProc entry;
    UniqueVariant* in;  // seven values
    VARIANT* result;
    VARIANT* error;
    VARIANT* errorText;
};

void CallRelay(void* context) {
    const RelayArguments& c = *static_cast<const RelayArguments*>(context);
    c.entry(c.in[0].ref(), c.in[1].ref(), c.in[2].ref(), c.in[3].ref(), c.in[4].ref(), c.in[5].ref(), c.in[6].ref(),
            c.result, c.error, c.errorText);
}

void LogRelayFailure(const VARIANT& error, const VARIANT& errorText) {
    LogLine("1.0", "CreateWebPost", "ERROR Using WebPost Dll Failed", VariantText(error), VariantText(errorText));
}
}  // namespace

void ReadStatusUrl() {
    const std::string iniPath = std::string(g_ctx.Agent.InstallationPath) + "\\Configuration\\Pathwell.ini";
    // Read into more room than the field has, so that a longer value is
    // noticed instead of being cut into a wrong address.
    char url[2048] = {};
    const DWORD length =
        GetPrivateProfileStringA("wpdcmscriptjobinstancestatus", "URL", "", url, sizeof url, iniPath.c_str());
    ClearText(g_ctx.StatusUrl);
    if (!StoreText(g_ctx.StatusUrl, std::string_view(url, length))) {
        LogLine("PathwellINI", "Error", "URL Link Too Long", url, "");
        return;
    }
    if (g_ctx.StatusUrl[0] == '\0')
        LogLine("PathwellINI", "Error", "URL Link not Found", "", "");
    else
        LogLine("PathwellINI", "Info", "URL Name is ", g_ctx.StatusUrl, "");
}

bool CreateWebPost(const char* outcome) {
    SYSTEMTIME now;
    GetLocalTime(&now);

    const AgentIdentity& agent = g_ctx.Agent;
    const JobArgs& args = g_ctx.Args;
    StatusRecordValues values;
    values.regid = agent.REGID;
    values.scriptJobId = args.ScriptJobId;
    values.isRealTime = args.IsRealTimeS;
    values.scriptId = args.ScriptId;
    values.jobId = args.JobId;
    values.instanceId = args.InstanceID;
    values.succeeded = IsSuccessOutcome(outcome ? outcome : "");
    values.description = values.succeeded ? "" : g_ctx.StatusDescription;
    values.executionTime = args.ExecutionTime;
    const std::string record = BuildStatusRecord(values);

    const std::string configuredUrl =
        StatusPostUrl(g_ctx.StatusUrl, agent.MEMBERID, agent.SITEID, agent.REGID, agent.TYPE);
    if (TryWebPost(configuredUrl, record)) return true;
    LogLine("1.0", "CreateWebPost", "Info", "Failed To Send the Webpost", configuredUrl);

    const std::string defaultUrl =
        StatusPostUrl(KV_DEFAULT_STATUS_SERVER, agent.MEMBERID, agent.SITEID, agent.REGID, agent.TYPE);
    if (TryWebPost(defaultUrl, record)) return true;
    LogLine("1.0", "CreateWebPost", "Info", "Failed To Send the Webpost", defaultUrl);

    const std::string fileName = SavedRecordName(
        agent.REGID, {now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds},
        AnsiLeadBytes());
    if (SendWebpost(fileName, record)) return true;
    LogLine("1.0", "CreateWebPost", "Info", "Failed To Send to the Dorvik Folder", fileName);
    return false;
}

bool TryWebPost(const std::string& url, const std::string& record) {
    LogLine("1.0", "CreateWebPost", "Trying To Send The Following status For WebPost", url, record);
    // The relay takes no longer texts; cutting them would post a wrong address
    // or a broken record, so the attempt fails and the record is saved whole.
    if (url.size() > kMaxStatusUrlLength) {
        LogLine("1.0", "CreateWebPost", "ERROR", "Status URL Too Long", url);
        return false;
    }
    if (record.size() > kMaxStatusRecordLength) {
        LogLine("1.0", "CreateWebPost", "ERROR", "Status Record Too Long", std::to_string(record.size()));
        return false;
    }
    if (!g_ctx.WebPostDataEntry) return false;

    UniqueVariant result, error, errorText;
    {
        UniqueVariant in[7];
        bool converted = false;
        try {
            converted = SetBstr(in[0], url) && SetBstr(in[1], record) && SetBstr(in[2], "N") && SetBstr(in[3], "") &&
                        SetBstr(in[4], "") && SetBstr(in[5], "") && SetBstr(in[6], "");
        } catch (const std::bad_alloc&) {
            converted = false;
        }
        if (!converted) {
            LogLine("1.0", "CreateWebPost", "ERROR", "Converting The Status Texts Failed", url);
            return false;
        }
        // The seven values are passed as copies; this scope owns and frees them.
        // A crash inside the relay ends only the call: the attempt has failed.
        RelayArguments call{g_ctx.WebPostDataEntry, in, result.get(), error.get(), errorText.get()};
        const GuardedCallResult outcome = RunGuarded(CallRelay, &call);
        if (!outcome.returned) {
            // The out values may be half written: they are dropped, not cleared.
            VariantInit(result.get());
            VariantInit(error.get());
            VariantInit(errorText.get());
            char code[32];
            std::snprintf(code, sizeof code, "Exception 0x%08lX", static_cast<unsigned long>(outcome.exceptionCode));
            LogLine("1.0", "CreateWebPost", "ERROR", "WebPost Dll Crashed", code);
            return false;
        }
    }

    if (error.ref().vt != VT_EMPTY) {
        LogRelayFailure(error.ref(), errorText.ref());
        return false;
    }
    const std::string answer = result.ref().vt == VT_BSTR ? VariantText(result.ref()) : std::string("0");
    if (SameTextNoCase(answer.c_str(), "1")) {
        LogLine("1.0", "CreateWebPost", "Info", "Success Webpost Return Status", answer);
        return true;
    }
    LogRelayFailure(error.ref(), errorText.ref());
    return false;
}

bool SendWebpost(const std::string& fileName, const std::string& record) {
    const std::string folder = std::string(g_ctx.Agent.InstallationPath) + "\\DorvikPostLogs";
    CreateFolderPath(folder);
    const std::string path = folder + "\\" + fileName + ".xml";
    // As a text-mode file holds it: every line feed becomes CR LF.
    if (!WriteReportFile("SendWebpost", path, WithCrLf(record))) return false;
    LogLine("SendWebpost", "INFO", "Created File ", path, "");
    return true;
}

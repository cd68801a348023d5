#include "report/status_record.h"

#include <cstdio>

#include "base/text.h"

namespace {
// Element text: the three characters that would break the markup become entities.
std::string EscapeText(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (const char c : value) {
        switch (c) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            default: out += c;
        }
    }
    return out;
}

// CDATA content: a "]]>" would end the section early, so it is split over two.
std::string EscapeCdata(std::string_view value) {
    static constexpr std::string_view kEnd = "]]>";
    std::string out;
    std::size_t pos = 0;
    for (std::size_t hit = value.find(kEnd); hit != std::string_view::npos; hit = value.find(kEnd, pos)) {
        out.append(value.substr(pos, hit - pos));
        out += "]]]]><![CDATA[>";
        pos = hit + kEnd.size();
    }
    out.append(value.substr(pos));
    return out;
}
}  // namespace

bool IsSuccessOutcome(std::string_view outcome) { return outcome != "0"; }

std::string BuildStatusRecord(const StatusRecordValues& v) {
    std::string r = "<wpdcmscriptjobinstancestatus>\n\t<batchid>0</batchid>\n\t<regid>";
    r += EscapeText(v.regid);
    r += "</regid>\n\t<inid>";
    r += EscapeText(v.scriptJobId);
    r += "</inid>\n\t<inisrealtime>";
    r += EscapeText(v.isRealTime);
    r += "</inisrealtime> \n\t<scriptid>";
    r += EscapeText(v.scriptId);
    r += "</scriptid> \n\t<jobid>";
    r += EscapeText(v.jobId);
    r += "</jobid>\n\t<instanceid>";
    r += EscapeText(v.instanceId);
    r += "</instanceid> \n\t<status>";
    r += v.succeeded ? "Success" : "Fail";
    r += "</status> \n\t<desc><![CDATA[";
    r += EscapeCdata(v.description);
    r += "]]></desc>\n\t<inexecstatusdate>";
    r += EscapeText(v.executionTime);
    r += "</inexecstatusdate> \n\t<inmenuid>0</inmenuid> \n\t<intemplateid>0</intemplateid> \n\t"
         "</wpdcmscriptjobinstancestatus>";
    return r;
}

std::string StatusPostUrl(std::string_view base, std::string_view memberId, std::string_view siteId,
                          std::string_view regid, std::string_view type) {
    std::string url(base);
    url += "/tfr_wpdcmscriptjobinstancestatus.asp?mmid=";
    url += memberId;
    url += "&sid=";
    url += siteId;
    url += "&rid=";
    url += regid;
    url += "&rty=";
    url += type;
    return url;
}

std::string SavedRecordName(std::string_view regid, const RecordTime& t) {
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d%02d%02d%02d%03d", t.year, t.month, t.day, t.hour,
                  t.minute, t.second, t.milliseconds);
    std::string name = "wpdcmscriptjobinstancestatus_N_";
    name += regid;
    name += "_PER_";
    name += stamp;
    return name;
}

std::string WithCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + text.size() / 16);
    for (const char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

std::string_view StatusFileKind(std::string_view od) {
    return ContainsNoCaseAscii(od, "Template") ? "Template" : "OD";
}

std::string CompactExecutionTime(std::string_view executionTime) {
    std::string out;
    for (const std::string_view piece : SplitOnAny(executionTime, " /:")) out += piece;
    return out;
}

std::string StatusFileName(std::string_view od, std::string_view jobId, std::string_view scriptId,
                           std::string_view regid, std::string_view executionTime) {
    std::string name = "status_";
    name += StatusFileKind(od);
    for (const std::string_view part : {jobId, scriptId, regid}) {
        name += '_';
        name += part;
    }
    name += '_';
    name += CompactExecutionTime(executionTime);
    name += ".txt";
    return name;
}

std::string StatusFileContent(bool succeeded, std::string_view description) {
    if (succeeded) return "SUCCESS@#@";
    std::string content = "FAILED@#@";
    content += description;
    return content;
}

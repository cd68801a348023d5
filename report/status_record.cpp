#include "report/status_record.h"

#include <cstdio>

#include "base/text.h"

namespace {
// XML 1.0 allows no control character but tab, line feed and carriage return,
// not even as a character reference. Each other one becomes a "?", so the
// record stays parsable and the value keeps its length.
char XmlChar(char c) {
    const unsigned char u = static_cast<unsigned char>(c);
    return (u < 0x20 && c != '\t' && c != '\n' && c != '\r') ? '?' : c;
}

// Element text: the three characters that would break the markup become entities.
std::string EscapeText(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (const char c : value) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            default:
                out += XmlChar(c);
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
    for (char& c : out) c = XmlChar(c);
    return out;
}

// A query value: every byte outside the unreserved characters of a URL
// (letters, digits, "-", ".", "_", "~") becomes "%" and two hex digits, so a
// value can never add a parameter or end the query.
std::string QueryValue(std::string_view value) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(value.size());
    for (const char c : value) {
        const unsigned char u = static_cast<unsigned char>(c);
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
            c == '_' || c == '~') {
            out += c;
        } else {
            out += '%';
            out += kHex[u >> 4];
            out += kHex[u & 0x0F];
        }
    }
    return out;
}

// A value that becomes part of a file name: characters that Windows refuses in
// a name (control characters and <>:"/\|?*) become "_", so the name cannot
// leave its folder and the file is still written. The names built from such
// parts always begin with a fixed word and end with a fixed extension, so a
// part such as ".." or one that ends with a dot or blank stays harmless.
// The second byte of a double-byte character can be 0x5C or 0x7C: it is kept,
// or the character would break.
std::string FileNamePart(std::string_view value, const LeadBytes& lead) {
    static constexpr std::string_view kRefused = "<>:\"/\\|?*";
    std::string out(value);
    for (std::size_t i = 0; i < out.size(); i += lead.CharLength(out, i)) {
        const char c = out[i];
        if (static_cast<unsigned char>(c) < 0x20 || kRefused.find(c) != std::string_view::npos) out[i] = '_';
    }
    return out;
}
}  // namespace

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
    url += QueryValue(memberId);
    url += "&sid=";
    url += QueryValue(siteId);
    url += "&rid=";
    url += QueryValue(regid);
    url += "&rty=";
    url += QueryValue(type);
    return url;
}

std::string SavedRecordName(std::string_view regid, const RecordTime& t, const LeadBytes& lead) {
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%04d%02d%02d%02d%02d%02d%03d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second, t.milliseconds);
    std::string name = "wpdcmscriptjobinstancestatus_N_";
    name += FileNamePart(regid, lead);
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

std::string_view StatusFileKind(std::string_view od, const LeadBytes& lead) {
    return ContainsNoCaseAscii(od, "Template", lead) ? "Template" : "OD";
}

std::string CompactExecutionTime(std::string_view executionTime) {
    std::string out;
    for (const std::string_view piece : SplitOnAny(executionTime, " /:")) out += piece;
    return out;
}

std::string StatusFileName(std::string_view od, std::string_view jobId, std::string_view scriptId,
                           std::string_view regid, std::string_view executionTime, const LeadBytes& lead) {
    std::string name = "status_";
    name += StatusFileKind(od, lead);
    for (const std::string_view part : {jobId, scriptId, regid}) {
        name += '_';
        name += FileNamePart(part, lead);
    }
    name += '_';
    name += FileNamePart(CompactExecutionTime(executionTime), lead);
    name += ".txt";
    return name;
}

std::string StatusFileContent(bool succeeded, std::string_view description) {
    if (succeeded) return "SUCCESS@#@";
    std::string content = "FAILED@#@";
    content += description;
    return content;
}

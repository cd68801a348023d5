#pragma once
// The texts of the job's outcome reports: the XML status record, the target
// URLs, the name of a saved record and the status file's name and content.
#include <cstddef>
#include <string>
#include <string_view>

#include "base/lead_bytes.h"

// Longest record and URL handed to the relay (the relay's fixed buffers).
inline constexpr std::size_t kMaxStatusRecordLength = 3071;
inline constexpr std::size_t kMaxStatusUrlLength = 511;

struct StatusRecordValues {
    std::string_view regid;
    std::string_view scriptJobId;
    std::string_view isRealTime;
    std::string_view scriptId;
    std::string_view jobId;
    std::string_view instanceId;
    bool succeeded = false;
    std::string_view description;  // goes into the CDATA section as it is
    std::string_view executionTime;
};

// The "wpdcmscriptjobinstancestatus" record: no declaration, no final line
// break, blanks before some line feeds. "&", "<" and ">" in element text
// become entities and a "]]>" in the description is split across two CDATA
// sections, and control characters other than tab, LF and CR become "?",
// so the record always parses.
std::string BuildStatusRecord(const StatusRecordValues& values);

// `base` followed by "/tfr_wpdcmscriptjobinstancestatus.asp?mmid=..&sid=..&rid=..&rty=..";
// the four values are percent-encoded where they hold anything but letters,
// digits, "-", ".", "_" and "~".
std::string StatusPostUrl(std::string_view base, std::string_view memberId, std::string_view siteId,
                          std::string_view regid, std::string_view type);

struct RecordTime {
    int year, month, day, hour, minute, second, milliseconds;
};
// "wpdcmscriptjobinstancestatus_N_<regid>_PER_YYYYMMDDhhmmssmmm" (no extension).
// Here and in the status file's name, characters that a file name cannot hold
// (control characters and <>:"/\|?*) become "_"; the second byte of a
// character of the code page whose lead bytes `lead` names is never one.
std::string SavedRecordName(std::string_view regid, const RecordTime& time,
                            const LeadBytes& lead = SingleByteCodePage());
// The text with every line feed written as CR LF, as a text-mode file holds it.
std::string WithCrLf(std::string_view text);

// "Template" when the OD field contains it in any letter case, else "OD".
std::string_view StatusFileKind(std::string_view od, const LeadBytes& lead = SingleByteCodePage());
// The execution time without blanks, "/" and ":".
std::string CompactExecutionTime(std::string_view executionTime);
// "status_<kind>_<jobid>_<scriptid>_<regid>_<time>.txt"
std::string StatusFileName(std::string_view od, std::string_view jobId, std::string_view scriptId,
                           std::string_view regid, std::string_view executionTime,
                           const LeadBytes& lead = SingleByteCodePage());
// "SUCCESS@#@", or "FAILED@#@" followed by the unchanged description.
std::string StatusFileContent(bool succeeded, std::string_view description);

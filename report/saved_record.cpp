#include "report/saved_record.h"

#include <windows.h>

#include <string>

#include "run/installation.h"
#include "win/file_helpers.h"
#include "win/text_convert.h"

namespace {
// A second's worth of names: more saved records of one REGID within a
// second than this are not made.
constexpr int kNamesTried = 1000;

WORD Field(int value) { return static_cast<WORD>(value); }

// The millisecond after `time`, carried into the seconds, days and years as
// the calendar has them. False for a time the system cannot read.
bool StepOneMillisecond(RecordTime& time) {
    const SYSTEMTIME now{Field(time.year),   Field(time.month),       0,
                         Field(time.day),    Field(time.hour),        Field(time.minute),
                         Field(time.second), Field(time.milliseconds)};
    FILETIME stamp;
    if (!SystemTimeToFileTime(&now, &stamp)) return false;
    ULARGE_INTEGER ticks;
    ticks.LowPart = stamp.dwLowDateTime;
    ticks.HighPart = stamp.dwHighDateTime;
    ticks.QuadPart += 10000;  // 100 ns each
    stamp.dwLowDateTime = ticks.LowPart;
    stamp.dwHighDateTime = ticks.HighPart;
    SYSTEMTIME next;
    if (!FileTimeToSystemTime(&stamp, &next)) return false;
    time = {next.wYear, next.wMonth, next.wDay, next.wHour, next.wMinute, next.wSecond, next.wMilliseconds};
    return true;
}
}  // namespace

bool SaveRecordUnderFreeName(std::string_view installationPath, std::string_view regid, RecordTime time,
                             std::string_view bytes, OwnFile& saved) {
    const std::string folder = PostLogFolderIn(installationPath);
    CreateFolderPath(folder);
    const LeadBytes lead = AnsiLeadBytes();
    const std::string first = folder + "\\" + SavedRecordName(regid, time, lead) + ".xml";
    std::string path = first;
    for (int tried = 1;; ++tried) {
        const NewFile made = CreateOwnFile(path, bytes, saved);
        if (made == NewFile::Created) return true;
        if (made == NewFile::Failed || tried == kNamesTried || !StepOneMillisecond(time)) break;
        path = folder + "\\" + SavedRecordName(regid, time, lead) + ".xml";
    }
    saved.path = first;
    return false;
}

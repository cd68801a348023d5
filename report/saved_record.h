#pragma once
// A status record saved in the post-log folder for later delivery, under a
// name that no other saved record has.
#include <string_view>

#include "report/status_record.h"
#include "win/own_file.h"

// Saves `bytes` as <installationPath>\DorvikPostLogs\<name>.xml, the name made
// from `regid` and `time` (SavedRecordName). A file is made only where no file
// of its name exists: when the name is taken, the first later millisecond
// whose name is free names it. The folder is created on every call. False
// when no file could be made; `saved.path` then holds the first name tried.
bool SaveRecordUnderFreeName(std::string_view installationPath, std::string_view regid, RecordTime time,
                             std::string_view bytes, OwnFile& saved);

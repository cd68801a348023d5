#pragma once
// The record file of plan copies not yet renamed (see left_copy.h). It is
// read and written only under the run lock, so runs at once never change it
// together; every change replaces the whole file, which is protected like the
// lock and removed when no copy is left in it.
#include <string>
#include <vector>

#include "run/scheme_entry.h"

// The copies the file holds; none when it is missing or unreadable.
std::vector<SchemeEntry> ReadLeftCopies(const std::string& recordPath);

// Adds a copy as soon as its GUID is known. False, with the thread's last
// error set, when the file cannot be written.
bool RecordLeftCopy(const std::string& recordPath, const SchemeEntry& copy);

// Removes the copy of this GUID, once renamed or deleted.
void ForgetLeftCopy(const std::string& recordPath, const std::string& guid);

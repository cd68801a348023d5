#pragma once
// Files of the program's own that no other user may open or replace. A file
// created here gets a protected DACL granting full access to SYSTEM, the
// Administrators and the creating user only; nothing is inherited from its
// folder.
#include <string>

#include "win/owners.h"

// CreateFileA with that DACL for a file it creates (a file that exists keeps
// its own). ERROR_SUCCESS with `file` owning the handle, or the error number.
DWORD OpenProtectedFile(const std::string& path, DWORD access, DWORD share, DWORD disposition, UniqueFile& file);

// Puts `content` in place of the file at `path`: it is written to a new
// protected file beside it ("<path>.new"), which is then moved over it, so
// a process ended midway leaves the old content or the new, never a mix.
// ERROR_SUCCESS or the error number.
DWORD ReplaceProtectedFile(const std::string& path, const std::string& content);

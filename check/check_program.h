#pragma once
// The whole of KestrovaneCheck.exe: its command line read in UTF-16, then the
// installation check, the job check or the usage. Returns the exit code.
int RunCheck(const wchar_t* commandLine);

#pragma once
// The call that starts a command's process. Both command runners start every
// command through it; the runner's unit test replaces it to make starts fail.
#include <windows.h>

using ProcessStart = BOOL(WINAPI*)(LPCSTR program, LPSTR commandLine, LPSECURITY_ATTRIBUTES process,
                                   LPSECURITY_ATTRIBUTES thread, BOOL inheritHandles, DWORD flags, LPVOID environment,
                                   LPCSTR folder, LPSTARTUPINFOA startup, LPPROCESS_INFORMATION info);

// Makes `start` the start call (nullptr: CreateProcessA again) and returns the
// one it replaces.
ProcessStart ReplaceProcessStart(ProcessStart start);

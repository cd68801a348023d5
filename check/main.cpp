// Entry point of KestrovaneCheck.exe, a console program that shows what a job
// would do on this machine, or whether the installation is sound.
#include <windows.h>

#include "check/check_program.h"

int main() {
    // No system dialog for a drive without media or a DLL that cannot load.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    return RunCheck(GetCommandLineW());
}

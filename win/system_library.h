#pragma once
// Loading of a DLL that Windows does not always take from its system folder
// (it is not one of the KnownDLLs): by its full path in the system folder, so
// that a file of the same name beside the program or in the current folder is
// never loaded instead.
#include "win/owners.h"

// The DLL `fileName` from the system folder; empty when it cannot be loaded
// (the thread's last error says why).
UniqueModule LoadSystemLibrary(const char* fileName);

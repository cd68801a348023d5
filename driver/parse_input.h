#pragma once
#include "run/job_args.h"

// Splits the process command line into `args`, logging the input and, when
// the line is rejected, the expected format. True when all nine fields were
// stored; false leaves `args` as it was.
// The line is read in UTF-16 (GetCommandLineW): see command_line.h.
bool ParseInput(const wchar_t* commandLine, JobArgs& args);

#pragma once
// Splits the process command line into g_ctx.Args, logging the input and, when
// the line is rejected, the expected format. True when all nine fields were
// stored; false leaves them empty.
// The line is read in UTF-16 (GetCommandLineW): see command_line.h.
bool ParseInput(const wchar_t* commandLine);

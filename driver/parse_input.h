#pragma once
// Splits the process command line into g_ctx.Args, logging the input and, when
// the line is rejected, the expected format. True when all nine fields were
// stored; false leaves them empty.
bool ParseInput(const char* commandLine);

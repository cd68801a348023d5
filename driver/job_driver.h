#pragma once
// The whole life of one run, from the registry read to the final report.
// Returns 0 on every path.
int RunJob();

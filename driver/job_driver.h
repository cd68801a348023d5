#pragma once
// The whole life of one run, from the registry read to the final report.
// Its outcome goes to the log and the status post only: the process ends
// with exit code 0 on every path.
void RunJob();

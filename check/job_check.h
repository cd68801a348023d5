#pragma once
// The job check: reads the job document as the executor does and shows, step
// by step, what the executor would do against the plan listing, changing
// nothing.
#include "check/check_args.h"

// Shows the job of `args` (CheckMode::Job); returns the exit code.
int CheckJob(const CheckArgs& args);

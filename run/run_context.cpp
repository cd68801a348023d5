#include "run/run_context.h"

RunContext g_ctx;

void ResetRunContext() { g_ctx = RunContext{}; }

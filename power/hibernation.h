#pragma once
// Whether the machine supports hibernation (SystemS4 of the power
// capabilities). A capability query that fails, or that cannot be loaded from
// the system folder's powrprof.dll, counts as not supported.
bool HibernationSupported();

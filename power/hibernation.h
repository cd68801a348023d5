#pragma once
// Whether the machine supports hibernation (SystemS4 of the power
// capabilities). A failing capability query counts as not supported.
bool HibernationSupported();

#pragma once
// Which Windows the program runs on.

// True when "Program Files (x86)" exists on the drive of the Windows folder.
bool Is64BitWindows();
// True when the major version is above 5 (Vista, Server 2008, 7 and later).
bool IsVistaOrLaterOs();
// Writes the readable system name into `text` (256 bytes) and sets
// g_ctx.OsCode. False when the version is unknown.
[[nodiscard]] bool GetOSDisplayString(char (&text)[256]);

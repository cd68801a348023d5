#pragma once
// The two code pages a Windows machine holds its 8-bit texts in: the ANSI
// code page (the job's texts, plan names as the program keeps them) and the
// console (OEM) code page (what POWERCFG prints). Platform-free: a check may
// work in another machine's code pages, not only in this one's.
#include <optional>

struct CodePages {
    unsigned ansi;
    unsigned oem;
};

// How the bytes of a saved console text are encoded: in the console code
// page, as the console printed them, or as UTF-8 (converted on the way).
enum class TextBytes { ConsoleCodePage, Utf8 };

// The ANSI code page of the locales whose console code page `oem` is (437,
// 850 and 858 go with 1252, 866 with 1251, ...; the East Asian code pages
// are both). Nothing for a code page of no known locale family.
std::optional<unsigned> AnsiCodePageForOem(unsigned oem);

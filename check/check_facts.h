#pragma once
// The facts of the machine a check decides a job for, and the line that
// says which facts it used and where each came from. Platform-free.
#include <string>

#include "base/code_pages.h"
#include "check/check_args.h"

struct CheckFacts {
    WindowsVersion windows;
    unsigned servicePack = 0;  // 0: none
    bool server = false;       // a server edition, else a workstation
    bool hibernation = false;  // hibernation supported
    // oem: the console code page the listing is in; ansi: the code page the
    // plan names and the job's texts are held in.
    CodePages pages{0, 0};
};

// Each fact as the options give it, else as `thisMachine` has it. --windows
// given alone is a workstation without a service pack; --code-page gives the
// ANSI code page of its locale family too.
CheckFacts ResolveFacts(const FactOptions& given, const CheckFacts& thisMachine);

// One line, the facts in this order, each followed by where it came from in
// parentheses: an option's name, "this machine", or for the ANSI code page
// "from the listing's" (the family of --code-page):
//   facts: Windows 6.1 Service Pack 1 (--windows, --service-pack), hibernation supported (this machine),
//   listing code page 866 (--code-page), ANSI code page 1251 (from the listing's)
// The Windows fact reads "Windows M.N", "Windows Server M.N" for a server
// edition, then " Service Pack N" unless there is none; its sources are
// "this machine", or --windows followed by --server and --service-pack where
// given. Hibernation is "hibernation supported" or "hibernation not
// supported". A listing in UTF-8 (`listing`, the file's bytes) needs no
// console code page: its part reads "listing in UTF-8 (the file)", and a
// code page from --code-page shows as "(from --code-page N)".
std::string FactsLine(const CheckFacts& used, const FactOptions& given, TextBytes listing);

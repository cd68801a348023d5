#include "check/check_facts.h"

namespace {
std::string WindowsPart(const CheckFacts& used, const FactOptions& given) {
    std::string part = used.server ? "Windows Server " : "Windows ";
    part += std::to_string(used.windows.major) + "." + std::to_string(used.windows.minor);
    if (used.servicePack != 0) part += " Service Pack " + std::to_string(used.servicePack);
    if (!given.windows) return part + " (this machine)";
    part += " (--windows";
    if (given.server) part += ", --server";
    if (given.servicePack) part += ", --service-pack";
    return part + ")";
}

std::string CodePagesPart(const CheckFacts& used, const FactOptions& given, TextBytes listing) {
    const std::string oem = std::to_string(used.pages.oem);
    std::string part;
    if (listing == TextBytes::Utf8)
        part = "listing in UTF-8 (the file)";
    else
        part = "listing code page " + oem + (given.listingCodePage ? " (--code-page)" : " (this machine)");
    part += ", ANSI code page " + std::to_string(used.pages.ansi);
    if (!given.listingCodePage) return part + " (this machine)";
    return part + (listing == TextBytes::Utf8 ? " (from --code-page " + oem + ")" : " (from the listing's)");
}
}  // namespace

CheckFacts ResolveFacts(const FactOptions& given, const CheckFacts& thisMachine) {
    CheckFacts used = thisMachine;
    if (given.windows) {
        used.windows = *given.windows;
        used.servicePack = given.servicePack.value_or(0);
        used.server = given.server.value_or(false);
    }
    used.hibernation = given.hibernation.value_or(thisMachine.hibernation);
    if (given.listingCodePage) {
        used.pages.oem = *given.listingCodePage;
        used.pages.ansi = AnsiCodePageForOem(*given.listingCodePage).value_or(thisMachine.pages.ansi);
    }
    return used;
}

std::string FactsLine(const CheckFacts& used, const FactOptions& given, TextBytes listing) {
    const std::string hibernation = used.hibernation ? "hibernation supported" : "hibernation not supported";
    return "facts: " + WindowsPart(used, given) + ", " + hibernation +
           (given.hibernation ? " (--hibernation)" : " (this machine)") + ", " + CodePagesPart(used, given, listing);
}

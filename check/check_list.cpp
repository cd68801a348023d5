#include "check/check_list.h"

#include <string_view>

#include "base/text.h"
#include "check/check_output.h"
#include "win/text_convert.h"

void CheckList::Ok(const std::string& what, const std::string& detail) {
    PrintLine(what + ": ok" + (detail.empty() ? "" : " (" + detail + ")"));
}

void CheckList::Fault(const std::string& what, const std::string& problem) {
    ++faults_;
    PrintLine(what + ": " + problem);
}

void CheckList::Warn(const std::string& what, const std::string& problem) { PrintLine(what + ": warning: " + problem); }

void CheckList::Skip(const std::string& what, const std::string& reason) {
    PrintLine(what + ": not checked (" + reason + ")");
}

std::string ErrorText(unsigned long error) {
    const std::string text(TrimWhite(SystemMessageText(error)));
    return "error " + std::to_string(error) + (text.empty() ? "" : ": " + text);
}

#include "report/reporter.h"

#include <windows.h>

#include <string>

#include "base/fixed_text.h"
#include "report/log_writer.h"
#include "run/run_context.h"
#include "win/text_convert.h"

namespace {
// The longest system text a line or a status description carries.
constexpr std::size_t kSystemTextLimit = 1023;
}  // namespace

std::string SystemErrorText(unsigned long error) {
    std::string text = SystemMessageText(error, LANG_USER_DEFAULT);
    if (text.size() > kSystemTextLimit) text.resize(kSystemTextLimit);
    return text;
}

std::string StatusDescription() { return std::string(FieldText(g_ctx.StatusDescription)); }

void SetStatusDescription(std::string_view status) { StoreTextCut(g_ctx.StatusDescription, status); }

void Reporter::Line(std::string_view type, std::string_view val1, std::string_view val2, std::string_view val3) const {
    LogLine(module_, type, val1, val2, val3);
}

void Reporter::SystemError(std::string_view type, std::string_view val1, unsigned long error) const {
    Line(type, val1, std::to_string(error), SystemErrorText(error));
}

void Reporter::ErrorNumber(std::string_view type, std::string_view val1, unsigned long error) const {
    Line(type, val1, std::to_string(error), "");
}

bool Reporter::Refuse(std::string_view status, std::string_view type, std::string_view val1, std::string_view val2,
                      std::string_view val3) const {
    SetStatusDescription(status);
    Line(type, val1, val2, val3);
    return false;
}

bool Reporter::RefuseWithSystemError(std::string_view statusStart, std::string_view type, std::string_view val1,
                                     unsigned long error) const {
    const std::string text = SystemErrorText(error);
    SetStatusDescription(std::string(statusStart) + text);
    Line(type, val1, std::to_string(error), text);
    return false;
}

bool Reporter::Fail(std::string_view status) const {
    SetStatusDescription(status);
    return false;
}

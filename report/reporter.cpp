#include "report/reporter.h"

#include <windows.h>

#include <string>

#include "base/fixed_text.h"
#include "report/log_writer.h"
#include "win/text_convert.h"

std::string SystemErrorText(unsigned long error) {
    std::string text = SystemMessageText(error, LANG_USER_DEFAULT);
    if (text.size() > kStatusLimit) text.resize(kStatusLimit);
    return text;
}

void Reporter::Line(std::string_view type, std::string_view val1, std::string_view val2, std::string_view val3) const {
    LogLine(module_, type, val1, val2, val3);
}

void Reporter::SystemError(std::string_view type, std::string_view val1, unsigned long error) const {
    Line(type, val1, std::to_string(error), SystemErrorText(error));
}

void Reporter::ErrorNumber(std::string_view type, std::string_view val1, unsigned long error) const {
    Line(type, val1, std::to_string(error), "");
}

Outcome Reporter::Refuse(std::string_view status, std::string_view type, std::string_view val1, std::string_view val2,
                         std::string_view val3) const {
    Line(type, val1, val2, val3);
    return Outcome::Failed(status);
}

Outcome Reporter::RefuseWithSystemError(std::string_view statusStart, std::string_view type, std::string_view val1,
                                        unsigned long error) const {
    const std::string text = SystemErrorText(error);
    Line(type, val1, std::to_string(error), text);
    return Outcome::Failed(std::string(statusStart) + text);
}

#pragma once
// The shapes in which a module reports what went wrong, written in one place:
// a log line with a system error (its number and the system's text), a log
// line with an error number alone, and a refusal, which logs its line and
// gives the failed outcome with its status description. The module name is the caller's, as it has
// always been logged ("CmdExecute", "1.0" and all).
#include <string>
#include <string_view>

#include "run/job_outcome.h"

// The system's text for an error number in the user's language (cut to
// kStatusLimit characters; empty when the system has none).
std::string SystemErrorText(unsigned long error);

class Reporter {
public:
    explicit constexpr Reporter(const char* module) : module_(module) {}
    const char* Module() const { return module_; }

    // (type, val1, val2, val3) under the module.
    void Line(std::string_view type, std::string_view val1, std::string_view val2, std::string_view val3) const;
    // (type, val1, error number, system text).
    void SystemError(std::string_view type, std::string_view val1, unsigned long error) const;
    // (type, val1, error number, empty).
    void ErrorNumber(std::string_view type, std::string_view val1, unsigned long error) const;
    // Logs (type, val1, val2, val3) and fails with `status`.
    Outcome Refuse(std::string_view status, std::string_view type, std::string_view val1, std::string_view val2,
                   std::string_view val3) const;
    // Logs (type, val1, error number, system text) and fails with
    // `statusStart` followed by the system's text.
    Outcome RefuseWithSystemError(std::string_view statusStart, std::string_view type, std::string_view val1,
                                  unsigned long error) const;

private:
    const char* module_;
};

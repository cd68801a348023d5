#pragma once
// The shapes in which a module reports what went wrong, written in one place:
// a log line with a system error (its number and the system's text), a log
// line with an error number alone, and a refusal, which sets the run's status
// description and logs its line. The module name is the caller's, as it has
// always been logged ("CmdExecute", "1.0" and all).
#include <string>
#include <string_view>

// The system's text for an error number in the user's language (cut to 1023
// characters; empty when the system has none).
std::string SystemErrorText(unsigned long error);

// The run's status description: why the job failed, posted at its end.
std::string StatusDescription();
// Replaces the status description, cut to its 1023 characters.
void SetStatusDescription(std::string_view status);

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
    // Sets the status description and logs (type, val1, val2, val3). Always false,
    // so that an operation can end with `return reporter.Refuse(...)`.
    bool Refuse(std::string_view status, std::string_view type, std::string_view val1, std::string_view val2,
                std::string_view val3) const;
    // Sets the status description to `statusStart` followed by the system's
    // text and logs (type, val1, error number, system text). Always false.
    bool RefuseWithSystemError(std::string_view statusStart, std::string_view type, std::string_view val1,
                               unsigned long error) const;
    // Sets the status description alone. Always false.
    bool Fail(std::string_view status) const;

private:
    const char* module_;
};

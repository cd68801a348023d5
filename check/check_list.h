#pragma once
// The lines of the installation check, one per check, and the count of faults.
#include <string>

class CheckList {
public:
    // "<what>: ok", or "<what>: ok (<detail>)".
    void Ok(const std::string& what, const std::string& detail = {});
    // "<what>: <problem>"; the problem says how to mend it.
    void Fault(const std::string& what, const std::string& problem);
    // "<what>: warning: <problem>", for what a run works with but likely not
    // as meant; not counted as a fault.
    void Warn(const std::string& what, const std::string& problem);
    // "<what>: not checked (<reason>)", for a check an earlier fault prevents.
    void Skip(const std::string& what, const std::string& reason);
    int faults() const { return faults_; }

private:
    int faults_ = 0;
};

// The system's text for an error number, on one line.
std::string ErrorText(unsigned long error);

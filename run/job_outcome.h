#pragma once
// How a job, or a step of it, ends: done, or failed with the status
// description that is posted for it. Platform-free.
#include <cstddef>
#include <string>
#include <string_view>

// The longest status description, and the longest system text a log line or
// a status description carries.
inline constexpr std::size_t kStatusLimit = 1023;

class Outcome {
public:
    static Outcome Done() { return Outcome(); }
    // Failed with `status`, cut to kStatusLimit characters.
    static Outcome Failed(std::string_view status) {
        Outcome failed;
        failed.failed_ = true;
        failed.status_ = std::string(status.substr(0, kStatusLimit));
        return failed;
    }

    bool IsFailure() const { return failed_; }
    // Empty for a job that is done.
    const std::string& Status() const { return status_; }

private:
    Outcome() = default;
    bool failed_ = false;
    std::string status_;
};

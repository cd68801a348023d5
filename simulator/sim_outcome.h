#pragma once
// What one invocation of the simulated tool ends with: its exit code and the
// UTF-8 texts for standard output and standard error. Platform-free.
#include <string>

struct SimOutcome {
    int exitCode = 0;
    std::string out;
    std::string err;
    int sleepMs = 0;  // the invocation pauses this long before it ends
};

// The language of the labels "/q" prints (every other text is English).
enum class SimLanguage { English, French };

SimOutcome SimSuccess(std::string out = {});
// An unknown plan, subgroup or setting.
SimOutcome SimNotFound();
// Bad syntax or an index the setting does not accept.
SimOutcome SimInvalidParameters();
// Any other refusal: `message` and CR LF on standard error, exit code 1.
SimOutcome SimRefusal(const std::string& message);

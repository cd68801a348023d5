// Quoting for a child's command line: any list of arguments, each quoted and
// joined by blanks, splits back into the same list.
#include <string>

#include "power/command_quote.h"
#include "fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Arguments separated by NUL bytes (a command line cannot hold one).
    std::vector<std::string> arguments;
    std::string_view rest = InputText(data, size);
    for (;;) {
        const std::size_t end = rest.find('\0');
        arguments.emplace_back(rest.substr(0, end));
        if (end == std::string_view::npos) break;
        rest = rest.substr(end + 1);
    }
    std::string line;
    for (const std::string& argument : arguments) {
        const std::string quoted = QuoteArgument(argument);
        FUZZ_CHECK(quoted.size() >= 2 && quoted.front() == '"' && quoted.back() == '"');
        if (!line.empty()) line += ' ';
        line += quoted;
    }
    FUZZ_CHECK(SplitCommandLine(line) == arguments);
    return 0;
}

// A console program for the command runner's tests. Its options act in order:
//   --out N      writes N bytes of PatternByte(0..N-1) to standard output
//   --text T     writes T to standard output
//   --err T      writes T to standard error
//   --touch P    creates the file P (proof that the program ran)
//   --exit N     the exit code (decimal, up to 4294967295); 0 by default
//   --sleep MS   pauses MS milliseconds
//   --leave MS   starts a copy of itself that inherits its handles (its
//                output pipe among them) and pauses MS milliseconds, and does
//                not wait for it
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fakes/child_tool/pattern.h"
#include "win/owners.h"

int main(int argc, char** argv) {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    unsigned long exitCode = 0;
    for (int i = 1; i + 1 < argc; i += 2) {
        const char* option = argv[i];
        const char* value = argv[i + 1];
        if (std::strcmp(option, "--out") == 0) {
            const unsigned long count = std::strtoul(value, nullptr, 10);
            for (unsigned long n = 0; n < count; ++n) std::fputc(PatternByte(n), stdout);
        } else if (std::strcmp(option, "--text") == 0) {
            std::fputs(value, stdout);
        } else if (std::strcmp(option, "--err") == 0) {
            std::fflush(stdout);
            std::fputs(value, stderr);
            std::fflush(stderr);
        } else if (std::strcmp(option, "--touch") == 0) {
            if (FILE* f = std::fopen(value, "wb")) std::fclose(f);
        } else if (std::strcmp(option, "--sleep") == 0) {
            Sleep(std::strtoul(value, nullptr, 10));
        } else if (std::strcmp(option, "--leave") == 0) {
            std::fflush(stdout);
            char self[MAX_PATH] = {};
            GetModuleFileNameA(nullptr, self, sizeof self);
            char command[MAX_PATH + 64];
            std::snprintf(command, sizeof command, "child_tool.exe --sleep %s", value);
            STARTUPINFOA startup{};
            startup.cb = sizeof startup;
            UniqueProcessInfo left;
            CreateProcessA(self, command, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, left.put());
        } else if (std::strcmp(option, "--exit") == 0) {
            exitCode = std::strtoul(value, nullptr, 10);
        }
    }
    std::fflush(stdout);
    return static_cast<int>(exitCode);
}

#pragma once
// Reading a POWERCFG command line: the program name, the switch and its
// operands. Platform-free.
#include <string>
#include <string_view>
#include <vector>

enum class SimVerb { List, Duplicate, ChangeName, Hibernate, SetAcValue, SetDcValue, SetActive, Delete, Query };

struct SimRequest {
    SimVerb verb = SimVerb::List;
    std::vector<std::string> operands;
};

// The text after the program name, which the C runtime reads without escapes:
// up to the closing quote when it starts with one, else up to the first blank.
std::string_view TextAfterProgramName(std::string_view commandLine);

// Recognises the switch ("-" or "/", any letter case) and checks the number of
// operands. False for an unknown switch or a wrong number of operands.
bool ParseSimRequest(const std::vector<std::string>& args, SimRequest& request);

#pragma once
// A step's settings (AC#@#DC) with values their rows take, `changes` in place
// of or beside them: a step with a value POWERCFG cannot take changes nothing.
#include <algorithm>
#include <string>
#include <utility>
#include <vector>

inline std::vector<std::pair<std::string, std::string>> ValidSettings(
    std::vector<std::pair<std::string, std::string>> changes = {}) {
    const std::vector<std::pair<std::string, std::string>> all = {
        {"critbatact", "5#@#4"},     {"lowbatact", "1#@#6"},       {"critbatlev", "5#@#7"},
        {"lowbatlev", "10#@#12"},    {"lowbatnotif", "1#@#0"},     {"turnoffm", "600#@#300"},
        {"turnoffhd", "1200#@#600"}, {"turnoffstnd", "0#@#900"},   {"turnoffhib", "0#@#3600"},
        {"wirelessmode", "1#@#4"},   {"closelid", "1#@#6"},        {"powerbtn", "5#@#4"},
        {"sleepbtn", "6#@#6"},       {"startmenu", "5#@#6"},       {"pcilinkstate", "0#@#2"},
        {"procminstate", "5#@#5"},   {"procmaxstate", "100#@#80"}, {"syscooling", "1#@#0"},
        {"reqpwd", "1#@#0"},         {"allowhbrid", "0#@#1"},      {"allowwake", "1#@#0"},
        {"suspndset", "1#@#1"}};
    for (const auto& setting : all)
        if (std::none_of(changes.begin(), changes.end(), [&](const auto& c) { return c.first == setting.first; }))
            changes.push_back(setting);
    return changes;
}

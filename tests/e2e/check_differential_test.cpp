// KestrovaneCheck.exe beside the executor on generated jobs and machines:
// for each seed the check changes nothing, prints the very commands the run
// then carries out, and ends as the run ends. KV_DIFFERENTIAL_JOBS (how many)
// and KV_DIFFERENTIAL_SEED (the first seed) ask for a longer run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <random>

#include "base/text.h"
#include "tests/e2e/check_scenario.h"
#include "tests/e2e/valid_settings.h"

namespace {
// std::mt19937 gives the same numbers everywhere; the standard distributions
// do not, so picks are made here.
class Picks {
public:
    explicit Picks(std::uint32_t seed) : engine_(seed) {}
    std::size_t Below(std::size_t n) { return engine_() % n; }
    bool OneIn(std::size_t n) { return Below(n) == 0; }
    std::string Digit(std::size_t n) { return std::to_string(Below(n)); }
    template <std::size_t N>
    const char* From(const char* const (&items)[N]) {
        return items[Below(N)];
    }

private:
    std::mt19937 engine_;
};

const char* const kNames[] = {"A", "B", "a", "Balanced", "Power saver"};

// The built-in plans, some removed, and plans named from the pool; one active.
SimState StartingPlans(Picks& pick) {
    SimState state = DefaultSimState();
    std::vector<SimPlan> plans;
    for (const SimPlan& plan : state.plans)
        if (!pick.OneIn(3)) plans.push_back(plan);
    for (std::size_t extra = pick.Below(3); extra > 0; --extra) {
        SimPlan plan = state.plans.back();
        plan.guid = "0a1b2c3d-0000-4000-8000-00000000000" + std::to_string(extra);
        plan.name = pick.From(kNames);
        plans.push_back(plan);
    }
    if (plans.empty()) plans.push_back(state.plans.front());
    state.activeGuid = plans[pick.Below(plans.size())].guid;
    state.plans = plans;
    return state;
}

// A step; every other one names the plan the step before named.
std::string Step(Picks& pick, std::string& name) {
    const char* const actions[] = {"Create Scheme", "Modify Scheme", "Delete Scheme"};
    const std::string action = pick.OneIn(10) ? "Rename Scheme" : pick.From(actions);
    if (name.empty() || pick.OneIn(2)) name = pick.From(kNames);
    if (action != "Create Scheme" && action != "Modify Scheme") return StepXml(action, name);
    const std::string basedOn = pick.OneIn(12) ? "4" : std::to_string(1 + pick.Below(3));
    return StepXml(
        action, name,
        ValidSettings({{"schbasedon", basedOn}, {"overwrite", pick.Digit(2)}, {"schactive", pick.Digit(2)}}));
}

std::uint32_t FromEnvironment(const char* name, std::uint32_t otherwise) {
    const char* value = std::getenv(name);
    return value && *value ? static_cast<std::uint32_t>(std::strtoul(value, nullptr, 10)) : otherwise;
}

// A status as the check's last line shows it: on one line, a made plan by
// its stand-in.
std::string AsTheCheckShows(const std::string& status, std::vector<std::string> ran, const SimState& before) {
    std::string line(TrimWhite(status));
    std::replace(line.begin(), line.end(), '\r', ' ');
    std::replace(line.begin(), line.end(), '\n', ' ');
    ran.push_back(line);
    return WithStandIns(ran, before).back();
}

void CompareOn(std::uint32_t seed) {
    Picks pick(seed);
    const SimState start = StartingPlans(pick);
    std::vector<std::string> steps(1 + pick.Below(4));
    std::string name;
    for (std::string& step : steps) step = Step(pick, name);
    Scenario s;
    s.SetSimState(start);
    s.WriteJob(JobXml(steps));
    std::string plans = "seed " + std::to_string(seed) + ", active " + start.activeGuid + ", plans:\n";
    for (const SimPlan& plan : start.plans) plans += plan.guid + " \"" + plan.name + "\"\n";
    SCOPED_TRACE(plans + JobXml(steps));

    const std::string before = SimulatorSnapshot(s);
    const CheckRun check = RunCheck(s, {s.JobPath()});
    EXPECT_EQ(SimulatorSnapshot(s), before);
    ASSERT_FALSE(check.lines.empty());
    EXPECT_EQ(s.Run(), 0u);
    const std::vector<std::string> ran = ChangingCommands(s);
    EXPECT_EQ(PrintedCommands(check), WithStandIns(ran, start));

    const Posted posted = PostedStatus(s);
    const std::string& verdict = check.lines.back();
    const std::string failed = "the job would fail at step ";
    if (verdict.rfind(failed, 0) != 0) {
        EXPECT_EQ(verdict, "the job would succeed");
        EXPECT_EQ(posted.status, "Success") << posted.desc;
        return;
    }
    EXPECT_EQ(posted.status, "Fail");
    const std::size_t colon = verdict.find(": ", failed.size());
    ASSERT_NE(colon, std::string::npos);
    EXPECT_LE(std::stoul(verdict.substr(failed.size(), colon - failed.size())), steps.size());
    EXPECT_EQ(verdict.substr(colon + 2), AsTheCheckShows(posted.desc, ran, start));
}
}  // namespace

TEST(CheckDifferentialE2E, CheckAndRunAgreeOnGeneratedJobs) {
    const std::uint32_t first = FromEnvironment("KV_DIFFERENTIAL_SEED", 1);
    const std::uint32_t count = FromEnvironment("KV_DIFFERENTIAL_JOBS", 5);
    for (std::uint32_t seed = first; seed < first + count; ++seed) CompareOn(seed);
}

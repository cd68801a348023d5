#include "power/step_decision.h"

#include <gtest/gtest.h>

#include "power/setting_table.h"

namespace {
constexpr char kBalanced[] = "381b4222-f694-41f0-9685-ff5bb260df2e";
constexpr char kTeamA[] = "11111111-0000-0000-0000-000000000001";
constexpr char kTeamB[] = "11111111-0000-0000-0000-000000000002";

PwrScheme Request(const char* name) {
    PwrScheme request;
    request.CSchName = name;
    request.CBasedOn = "1";
    for (const SettingRow& row : kSettingRows) request.*row.tag->ac.text = request.*row.tag->dc.text = "1";
    request.CStartMenuAC = request.CStartMenuDC = "6";  // the start menu button has no code "1"
    return request;
}

StepFacts Facts(std::vector<SchemeEntry> listing, const std::string& requested) {
    StepFacts facts;
    for (const SchemeEntry& entry : listing) facts.namedAsRequested.push_back(entry.SchemeName == requested);
    facts.listing = std::move(listing);
    facts.osCode = 3;  // Windows 7: the cooling policy is written
    facts.hibernationSupported = true;
    return facts;
}

std::vector<std::string> Commands(const StepPlan& plan) {
    std::vector<std::string> commands;
    for (const PlannedAction& action : plan.actions)
        if (const auto* command = std::get_if<PlannedCommand>(&action)) commands.push_back(command->commandLine);
    return commands;
}
// The refusal a plan ends with; an empty one when it does not end refused.
FailureReport Refusal(const StepPlan& plan) {
    const auto* refused = std::get_if<StepRefused>(&plan.end);
    return refused ? refused->refusal : FailureReport{};
}
}  // namespace

TEST(StepDecision, CreationCopiesRenamesWritesAndActivatesTheNewPlan) {
    PwrScheme request = Request("Office {new-plan}");
    request.CSchActive = request.CEnaHiber = "1";
    StepFacts facts = Facts({{"Balanced", kBalanced, "Yes"}}, request.CSchName);
    std::vector<std::string> commands = Commands(DecideStep(StepOperation::Create, request, facts));
    ASSERT_EQ(commands.size(), 48u);
    EXPECT_EQ(commands[0], std::string("POWERCFG -DUPLICATESCHEME \"") + kBalanced + "\"");
    EXPECT_EQ(commands[1], "POWERCFG -CHANGENAME \"{new-plan}\" \"Office {new-plan}\"");
    EXPECT_EQ(commands[2], "POWERCFG -H \"ON\"");
    EXPECT_EQ(commands[3].rfind("POWERCFG -SETACVALUEINDEX \"{new-plan}\" ", 0), 0u);
    EXPECT_EQ(commands[47], "POWERCFG -SETACTIVE \"{new-plan}\"");
    // Only the GUID is filled in, never a name that looks like the placeholder.
    EXPECT_EQ(WithNewPlanGuid(commands[1], kTeamA),
              std::string("POWERCFG -CHANGENAME \"") + kTeamA + "\" \"Office {new-plan}\"");

    // Where the cooling policy does not exist, and hibernation neither, those
    // commands are left out; without CSchActive nothing is activated.
    facts.osCode = 5;
    facts.hibernationSupported = false;
    request.CSchActive = "0";
    commands = Commands(DecideStep(StepOperation::Create, request, facts));
    EXPECT_EQ(commands.size(), 44u);
    EXPECT_EQ(commands.back().rfind("POWERCFG -SETDCVALUEINDEX", 0), 0u);
}

TEST(StepDecision, OverwriteHandsTheStepToTheOtherOperation) {
    PwrScheme request = Request("Team");
    const StepFacts present = Facts({{"Balanced", kBalanced, "Yes"}, {"Team", kTeamA, "No"}}, "Team");
    const StepFacts missing = Facts({{"Balanced", kBalanced, "Yes"}}, "Team");
    for (const char* overwrite : {"1", "0", ""}) {
        request.COverwrite = overwrite;
        const bool on = request.COverwrite == "1";
        const StepPlan create = DecideStep(StepOperation::Create, request, present);
        const StepPlan modify = DecideStep(StepOperation::Modify, request, missing);
        EXPECT_TRUE(Commands(create).empty() && Commands(modify).empty());
        EXPECT_EQ(std::holds_alternative<StepHandsOff>(create.end), on);
        EXPECT_EQ(std::holds_alternative<StepHandsOff>(modify.end), on);
        if (on) {
            EXPECT_TRUE(std::get<StepHandsOff>(create.end).to == StepOperation::Modify &&
                        std::get<StepHandsOff>(modify.end).to == StepOperation::Create);
        }
        EXPECT_EQ(create.planGuid, kTeamA);
    }
}

TEST(StepDecision, ModifyingTheActivePlanActivatesItOnceAfterTheWrites) {
    PwrScheme request = Request("Team");
    const StepFacts facts = Facts({{"Team", kTeamA, "Yes"}, {"Team", kTeamB, "No"}}, "Team");
    const std::string activate = std::string("POWERCFG -SETACTIVE \"") + kTeamA + "\"";
    for (const char* active : {"0", "1"}) {
        request.CSchActive = active;
        const std::vector<std::string> commands = Commands(DecideStep(StepOperation::Modify, request, facts));
        ASSERT_EQ(commands.size(), 46u) << active;               // the switch, 44 writes, one activation
        EXPECT_NE(commands[1].find(kTeamA), std::string::npos);  // the first plan of the name
        EXPECT_EQ(commands.back(), activate);
        EXPECT_NE(commands[44], activate);
    }
}

TEST(StepDecision, DeletionRemovesEveryPlanOfTheNameUpToTheActiveOne) {
    const PwrScheme request = Request("Team");
    StepPlan plan =
        DecideStep(StepOperation::Delete, request,
                   Facts({{"Team", kTeamA, "No"}, {"Other", kBalanced, "No"}, {"Team", kTeamB, "Yes"}}, "Team"));
    EXPECT_EQ(Commands(plan), std::vector<std::string>{std::string("POWERCFG -DELETE \"") + kTeamA + "\""});
    EXPECT_EQ(Refusal(plan).status, "Scheme Is Currently Active hence not Deleted.");

    plan = DecideStep(StepOperation::Delete, request, Facts({{"Other", kBalanced, "Yes"}}, "Team"));
    EXPECT_TRUE(Commands(plan).empty());
    EXPECT_EQ(Refusal(plan).status, "Scheme not present hence not deleted");
}

// A plan listed under the name whose exact name is another: a creation makes
// the plan named, with a line that says which plan was passed over.
TEST(StepDecision, APlanListedAsALookAlikeIsPassedOverWithALine) {
    StepFacts facts = Facts({{"Team", kTeamA, "No"}}, "Other");
    facts.lookAlike = {true};
    const StepPlan plan = DecideStep(StepOperation::Create, Request("Team"), facts);
    const PlannedLine& first = std::get<PlannedLine>(plan.actions[0]);
    EXPECT_EQ(first.val2 + "|" + first.val3, std::string(kTeamA) + "|Exact Name Differs Hence Not This Scheme");
    EXPECT_EQ(Commands(plan).front(), std::string("POWERCFG -DUPLICATESCHEME \"") + kBalanced + "\"");
}

TEST(StepDecision, RefusedRequestsRunNothing) {
    PwrScheme request = Request("Team?");
    request.CSchDesc = "tab\there";
    EXPECT_EQ(RefuseRequest(StepOperation::Delete, request, {})->status,
              "Scheme Name holds a question mark hence not processed");
    request.CSchName = "Team";
    EXPECT_FALSE(RefuseRequest(StepOperation::Modify, request, {}));  // only a creation uses the description
    EXPECT_EQ(RefuseRequest(StepOperation::Create, request, {})->status,
              "Scheme Description holds control characters hence not processed");

    const StepFacts facts = Facts({{"Balanced", kBalanced, "Yes"}}, "Team");
    request.CSchDesc.clear();
    request.CBasedOn = "4";
    StepPlan plan = DecideStep(StepOperation::Create, request, facts);
    EXPECT_EQ(Refusal(plan).status, "Not Able to Create Scheme");

    request.CBasedOn = "1";
    request.CSchDesc = std::string(1000, 'd');  // the rename would not fit its command text
    plan = DecideStep(StepOperation::Create, request, facts);
    EXPECT_EQ(Refusal(plan).kind, FailureReport::Kind::CommandFailure);
    EXPECT_EQ(Refusal(plan).systemError, 122u);

    request.CSchDesc.clear();
    request.CTurnOffMDC = "-1";
    plan = DecideStep(StepOperation::Create, request, facts);
    EXPECT_EQ(Refusal(plan).line->val2, "turnoffm DC");
    for (const StepPlan& refused :
         {plan, DecideStep(StepOperation::Modify, request, Facts({{"Team", kTeamA, "No"}}, "Team"))}) {
        EXPECT_TRUE(std::holds_alternative<StepRefused>(refused.end));
        EXPECT_TRUE(Commands(refused).empty());
    }
}

#include "report/status_file.h"

#include <gtest/gtest.h>

#include "report/log_writer.h"
#include "report/reporter.h"
#include "tests/win/report_test_support.h"
#include "tests/win/temp_folder.h"

TEST(StatusFile, WritesAndReplacesTheJobsFile) {
    TempFolder temp;
    const SampleRun run = FillSampleRun(temp.path());
    const std::string folder = temp.path() + "\\Dorvik";
    const std::string path = folder + "\\status_OD_4711_93_123456_12082026103045.txt";

    EXPECT_TRUE(CreateStatusFile(run.agent, run.args, Outcome::Failed("Failed to delete : Access is denied.\r\n")));
    EXPECT_EQ(ReadWholeFile(path), "FAILED@#@Failed to delete : Access is denied.\r\n");

    // A later success of the same job replaces the earlier file.
    EXPECT_TRUE(CreateStatusFile(run.agent, run.args, Outcome::Done()));
    EXPECT_EQ(ReadWholeFile(path), "SUCCESS@#@");
    EXPECT_EQ(FileNamesIn(folder).size(), 1u);

    EXPECT_TRUE(CreateStatusFile(run.agent, run.args, Outcome::Failed("")));
    EXPECT_EQ(ReadWholeFile(path), "FAILED@#@");

    EXPECT_EQ(CountOf(ReadRunLog(temp.path()), "\tCreateStatusFile\tINFO\tCreated Status File \t" + path + "\t\r\n"),
              3);
    ClearLogDestination();
}

TEST(StatusFile, UnwritableFolderFails) {
    TempFolder temp;
    const SampleRun run = FillSampleRun(temp.path());
    // A file stands where the status folder should be.
    temp.WriteFile("Dorvik", "in the way");
    EXPECT_FALSE(CreateStatusFile(run.agent, run.args, Outcome::Done()));
    EXPECT_EQ(CountOf(ReadRunLog(temp.path()), "\tCreateStatusFile\tERROR\tCreating File Failed\t" + temp.path() +
                                                   "\\Dorvik\\status_OD_4711_93_123456_12082026103045.txt\t\r\n"),
              1);

    // An installation path below a file: nothing can be created at all.
    const std::string blocked = temp.WriteFile("plain_file", "x") + "\\below";
    const SampleRun below = FillSampleRun(blocked);
    EXPECT_FALSE(CreateStatusFile(below.agent, below.args, Outcome::Failed("")));
    ClearLogDestination();
}

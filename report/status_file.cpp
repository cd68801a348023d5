#include "report/status_file.h"

#include <string>

#include "report/log_writer.h"
#include "report/report_file.h"
#include "report/reporter.h"
#include "report/status_record.h"
#include "win/file_helpers.h"
#include "win/text_convert.h"

bool CreateStatusFile(const AgentIdentity& agent, const JobArgs& args, const Outcome& outcome) {
    const std::string name =
        StatusFileName(args.OD, args.JobId, args.ScriptId, agent.REGID, args.ExecutionTime, AnsiLeadBytes());
    const std::string folder = std::string(agent.InstallationPath) + "\\Dorvik";
    CreateFolderPath(folder);
    const std::string path = folder + "\\" + name;
    // Written byte for byte: a description that ends with a system message's
    // CR LF keeps it unchanged.
    if (!WriteReportFile("CreateStatusFile", path, StatusFileContent(!outcome.IsFailure(), outcome.Status())))
        return false;
    LogLine("CreateStatusFile", "INFO", "Created Status File ", path, "");
    return true;
}

#include "report/status_file.h"

#include <string>

#include "report/log_writer.h"
#include "report/report_file.h"
#include "report/status_record.h"
#include "run/run_context.h"
#include "win/file_helpers.h"
#include "win/text_convert.h"

bool CreateStatusFile(int outcome) {
    const JobArgs& args = g_ctx.Args;
    const std::string name =
        StatusFileName(args.OD, args.JobId, args.ScriptId, g_ctx.Agent.REGID, args.ExecutionTime, AnsiLeadBytes());
    const std::string folder = std::string(g_ctx.Agent.InstallationPath) + "\\Dorvik";
    CreateFolderPath(folder);
    const std::string path = folder + "\\" + name;
    // Written byte for byte: a description that ends with a system message's
    // CR LF keeps it unchanged.
    if (!WriteReportFile("CreateStatusFile", path, StatusFileContent(outcome != 0, g_ctx.StatusDescription)))
        return false;
    LogLine("CreateStatusFile", "INFO", "Created Status File ", path, "");
    return true;
}

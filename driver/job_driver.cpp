#include "driver/job_driver.h"

#include "report/log_writer.h"

int RunJob() {
    LogLine("WinMain", "Info", "Application", "Start", "====================================");
    return 0;
}

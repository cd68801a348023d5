#pragma once
// The one way a failed POWERCFG command is reported: the thread's last system
// error is captured, g_ctx.StatusDescription becomes `message` followed by the
// system's text (cut to fit), and ("Failed", "ExecuteCommand", number, text)
// is logged under `module`.
#include <string_view>

enum class AppendSystemText { Yes, No };

void ReportCommandFailure(const char* module, std::string_view message,
                          AppendSystemText append = AppendSystemText::Yes);

#pragma once
// The job's status record and its delivery: the configured server, then the
// built-in default server, then a file in the post-log folder.
#include <string>

// Reads the configured base URL into g_ctx.StatusUrl and logs it.
void ReadStatusUrl();
// Builds the record for the outcome ("0" failure, anything else success) and
// delivers it. True when it was delivered or saved.
bool CreateWebPost(const char* outcome);
// One attempt through the relay DLL. True when the relay reported delivery.
bool TryWebPost(const std::string& url, const std::string& record);
// Saves the record as <post-log folder>\<fileName>.xml. True when written.
bool SendWebpost(const std::string& fileName, const std::string& record);

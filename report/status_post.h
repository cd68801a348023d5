#pragma once
// The job's status record and its delivery: the configured server, then the
// built-in default server, then a file in the post-log folder.
#include <string>

// Reads the configured base URL into g_ctx.StatusUrl and logs it.
void ReadStatusUrl();
// Builds the record for the outcome ("0" failure, anything else success) and
// delivers it. The record is saved in the post-log folder before the first
// attempt and removed once one delivered it. True when it was delivered or saved.
bool CreateWebPost(const char* outcome);
// One attempt through the relay DLL, given RelayCallLimitMs(). True when the
// relay reported delivery.
bool TryWebPost(const std::string& url, const std::string& record);
// The time a relay call gets: 2 minutes, or less through the environment
// variable KV_RELAY_TIMEOUT_MS.
unsigned long RelayCallLimitMs();
// The longest a post may take whatever the relay does: two calls at their
// limit and a minute for the saving and logging around them.
unsigned long WebPostTimeBoundMs();
// Saves the record as <post-log folder>\<fileName>.xml. True when written.
bool SendWebpost(const std::string& fileName, const std::string& record);

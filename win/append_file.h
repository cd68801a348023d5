#pragma once
// Appending to a file that other processes append to at the same moment (the
// day's log, which overlapping runs share).
#include <string>
#include <string_view>

// Appends `bytes` to the file at `path`, creating it when missing, and
// `header` before them when the file is still empty, so that of two writers
// of a new file only the first writes it. The bytes land whole at the file's
// end, never inside or across another writer's: each call's bytes go out in
// one write, on a handle that can only append, while the call holds the
// file's append lock (waited for a bounded time; a writer that keeps it longer
// is not waited for). False when the file cannot be opened or not all was
// written.
[[nodiscard]] bool AppendWhole(const std::string& path, std::string_view header, std::string_view bytes);

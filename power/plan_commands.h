#pragma once
// The POWERCFG command lines of plan creation, modification and deletion
// besides the setting writes. Inserted values are quoted by the Windows argument rules.
// Platform-free.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "base/lead_bytes.h"

// Every command must fit a 1024-byte command text, terminator included.
inline constexpr std::size_t kCommandCapacity = 1024;

// The built-in plan a new plan is copied from: "1" Balanced, "2" High
// performance, "3" Power saver. nullptr for any other text; there is no default.
const char* BasePlanGuid(std::string_view basedOn);

std::string DuplicateCommand(std::string_view baseGuid);

// The rename, with the description when it is not empty. Empty when the
// command would not fit kCommandCapacity: nothing is ever cut off a name or
// description. `lead` names the lead bytes of the texts' code page.
std::optional<std::string> RenameCommand(std::string_view planGuid, std::string_view name, std::string_view description,
                                         const LeadBytes& lead = SingleByteCodePage());

std::string HibernateCommand(bool on);

std::string ActivateCommand(std::string_view planGuid);

std::string DeleteCommand(std::string_view planGuid);

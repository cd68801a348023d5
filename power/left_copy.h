#pragma once
// The record of plan copies that a creation made and has not yet renamed: a
// run ended between the two leaves a copy that carries its base plan's name,
// and a later step naming that plan could take the copy for it. Each copy is
// one line in the shape of a listing's plan line, with its GUID and the name
// it was made with (ANSI code page), so the record is read as a listing is.
// Platform-free.
#include <string>
#include <string_view>
#include <vector>

#include "power/step_decision.h"
#include "run/scheme_entry.h"

std::string LeftCopiesText(const std::vector<SchemeEntry>& copies);
std::vector<SchemeEntry> LeftCopiesFrom(std::string_view text);

// The refusal of a step named like `copy`, which a stopped run left and which
// could not be deleted: the copy's GUID is in the status description.
FailureReport LeftCopyRefusal(const SchemeEntry& copy, std::string_view requestedName);

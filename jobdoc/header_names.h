#pragma once
// The names under "scriptinstance" that fill the job header, matched in exact
// case. Child elements are read first; the element's attributes then override.
#include <string_view>

#include "jobdoc/text_field.h"
#include "run/job_header.h"

// The header field filled by a child element of "scriptinstance" with this
// base name; a null field when the name is not one of them.
TextField HeaderChildField(JobHeader& header, std::string_view name);

// The header field filled by an attribute of "scriptinstance" with this name;
// a null field when the name is not one of them.
TextField HeaderAttributeField(JobHeader& header, std::string_view name);

// The function a job for this program names in its header; a run ends before
// its steps when the header names another (letter case aside).
inline constexpr char kPowerJobFunction[] = "Power Management for Vista";

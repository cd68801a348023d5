#pragma once
// Leaves the job's outcome as a small text file in the agent's status folder.
#include "run/agent_identity.h"
#include "run/job_args.h"
#include "run/job_outcome.h"

// Writes the file of the agent's job below its installation path; a failure
// carries its status description. True when the file was written.
bool CreateStatusFile(const AgentIdentity& agent, const JobArgs& args, const Outcome& outcome);

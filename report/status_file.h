#pragma once
// Leaves the job's outcome as a small text file in the agent's status folder.
// `outcome` is non-zero for success. True when the file was written.
bool CreateStatusFile(int outcome);

#pragma once
// What reading a job's next step gives: the job document reader answers it,
// the step loop acts on it.
enum class StepRead {
    Read,    // a step was read into the record
    End,     // the step bound or the end of the step list was reached
    Failed,  // the step could not be read; the error text says why
};

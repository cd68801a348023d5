#pragma once
// Reads the job's XML document through the system's XML DOM engine (MSXML).
// Construct initialises COM for the thread; Release (or the destructor)
// releases the document and uninitialises COM.
#include <windows.h>

#include <memory>
#include <string>

#include "jobdoc/job_header.h"
#include "jobdoc/pwr_scheme.h"

enum class StepRead {
    Read,    // a step was read into the record
    End,     // the step bound or the end of the step list was reached
    Failed,  // the step could not be read; the error text says why
};

class JobDocument {
public:
    JobDocument();
    ~JobDocument();
    JobDocument(const JobDocument&) = delete;
    JobDocument& operator=(const JobDocument&) = delete;

    // Creates the DOM document. 1 on success, 0 with the error text set.
    int Create(std::string& errorText);
    // Loads the file and prepares the header and step lists. 1 or 0.
    int Load(const char* path, char (&rootName)[512], std::string& errorText);
    // Reads the child elements of the first "scriptinstance" into the header.
    void InitScriptInstance(JobHeader& header);
    // Reads the attributes of "scriptinstance" and sets the step bound. 1 or 0.
    int ReadHeader(JobHeader& header, std::string& errorText);
    // Fills the record from the next step.
    StepRead ReadNextStep(PwrScheme& step, std::string& errorText);
    // Releases the document, then uninitialises COM. Safe to call twice.
    void Release();

private:
    struct State;
    std::unique_ptr<State> state_;
};

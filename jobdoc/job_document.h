#pragma once
// Reads the job's XML document through the system's XML DOM engine (MSXML).
// Construct initialises COM for the thread; Release (or the destructor)
// releases the document and uninitialises COM.
//
// Every value is stored whole or not at all: a value longer than its field is
// refused (the field stays empty) with the text
//   Value of "<name>" is longer than <limit> characters
// ("AC value"/"DC value" for one half of a paired setting). This holds for the
// 50- to 2048-byte step fields and for the 512-byte header fields alike.
//
// Texts arrive in the ANSI code page: this machine's, or the one the reader
// is constructed with (a check working in another machine's). A step's plan
// name or description that the code page cannot hold exactly is still stored
// (as the system's nearest form) but flagged in the record (CSchNameInexact,
// CSchDescInexact); so is a setting value, stored with the default character
// in place of what the code page lacks (CInexactValues). The plan operations
// refuse such a step.
#include <windows.h>

#include <msxml.h>

#include <memory>
#include <string>

#include "base/code_pages.h"
#include "run/job_header.h"
#include "run/pwr_scheme.h"
#include "run/step_read.h"

class JobDocument {
public:
    // Texts in this machine's ANSI code page.
    JobDocument();
    // Texts in `pages.ansi`.
    explicit JobDocument(const CodePages& pages);
    ~JobDocument();
    JobDocument(const JobDocument&) = delete;
    JobDocument& operator=(const JobDocument&) = delete;

    // Creates the DOM document. False with the error text set.
    [[nodiscard]] bool Create(std::string& errorText);
    // Loads the file by its exact UTF-16 path and prepares the header and step
    // lists. False with the error text set.
    [[nodiscard]] bool Load(const wchar_t* path, char (&rootName)[512], std::string& errorText);
    // Reads the child elements of the first "scriptinstance" into the header.
    // Nothing is reported: a value too long for its field leaves it empty.
    void InitScriptInstance(JobHeader& header);
    // Reads the attributes of "scriptinstance" and sets the step bound. False
    // when there is none to read; an overlong attribute value gives false with
    // the error text set.
    [[nodiscard]] bool ReadHeader(JobHeader& header, std::string& errorText);
    // Fills the record from the next step. End at the step bound or at the first
    // missing step; Failed (with the error text) for a step without attributes,
    // an unreadable child or an overlong value. After End or Failed it gives End.
    StepRead ReadNextStep(PwrScheme& step, std::string& errorText);
    // Releases the document, then uninitialises COM. Safe to call twice.
    void Release();

private:
    struct State;
    static bool ReadRootName(State& s, char (&rootName)[512], std::string& errorText);
    static bool ReadStepValue(State& s, IXMLDOMNode* node, PwrScheme& step, std::string& errorText);
    static bool ReadStepChildren(State& s, IXMLDOMNode* node, PwrScheme& step, std::string& errorText);
    static bool ReadStepElement(State& s, IXMLDOMNode* child, PwrScheme& step, std::string& errorText);
    std::unique_ptr<State> state_;
};

// Reads the job's header as a run does: the step cursor is set on the
// script instance, and what cannot be read stays empty (the checks of its
// fields decide whether the job runs). True when the header names this
// program's function.
bool ReadPowerJobHeader(JobDocument& document, JobHeader& header);

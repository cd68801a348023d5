#pragma once
// The job document's header: which script and function the document is for.
struct JobHeader {
    char XmlScriptId[512];
    char XmlScriptVer[512];
    char XmlCategory[512];
    char XmlFuncName[512];
    char XmlLogOnUser[512];
    char XmlInstanceId[512];
    char XmlTemplateId[512];
    char XmlRootName[512];
};

#include "jobdoc/header_names.h"

TextField HeaderChildField(JobHeader& header, std::string_view name) {
    if (name == "instanceid") return FieldOf(header.XmlInstanceId);
    if (name == "scriptid") return FieldOf(header.XmlScriptId);
    if (name == "templateid") return FieldOf(header.XmlTemplateId);
    if (name == "agentcategory") return FieldOf(header.XmlCategory);
    if (name == "agenttemplatename") return FieldOf(header.XmlFuncName);
    if (name == "logonuser") return FieldOf(header.XmlLogOnUser);
    return {nullptr, 0};
}

TextField HeaderAttributeField(JobHeader& header, std::string_view name) {
    if (name == "scriptid") return FieldOf(header.XmlScriptId);
    if (name == "scriptver") return FieldOf(header.XmlScriptVer);
    if (name == "category") return FieldOf(header.XmlCategory);
    if (name == "fncname") return FieldOf(header.XmlFuncName);
    if (name == "logonuser") return FieldOf(header.XmlLogOnUser);
    return {nullptr, 0};
}

#include "jobdoc/job_document.h"

#include <msxml.h>

#include <string_view>
#include <utility>

#include "jobdoc/dom_text.h"
#include "jobdoc/header_names.h"
#include "jobdoc/msxml_ids.h"
#include "jobdoc/step_tags.h"
#include "jobdoc/text_field.h"
#include "win/owners.h"
#include "win/text_convert.h"

struct JobDocument::State {
    ComInit com;        // first member: initialised first, uninitialised last
    unsigned ansi = 0;  // the code page texts are read into
    ComPtr<IXMLDOMDocument> document;
    ComPtr<IXMLDOMElement> root;
    ComPtr<IXMLDOMNodeList> headerList;      // the "scriptinstance" elements
    ComPtr<IXMLDOMNodeList> stepList;        // every "step" element, in document order
    ComPtr<IXMLDOMNodeList> headerChildren;  // child nodes of the header element
    HRESULT lastStatus = S_OK;
    long stepCount = 0;
    long headerIndex = 0;
    long childCount = 0;
    long stepBound = 0;  // how many steps may be read
    long nextStep = 0;

    void ReleaseDom() {
        headerChildren.reset();
        stepList.reset();
        headerList.reset();
        root.reset();
        document.reset();
    }
};

namespace {
// A whole element name or query as a BSTR for one DOM call.
UniqueBstr MakeBstr(const wchar_t* text) { return UniqueBstr(SysAllocString(text)); }

// Loads the file by its exact path. External entities and DTDs are never
// fetched (MSXML 3 fetches them by default); entities declared in the
// document itself still expand. A file that does not parse gives S_FALSE,
// which is a failure here too.
HRESULT LoadFile(IXMLDOMDocument* document, const wchar_t* path) {
    UniqueVariant source;
    source.get()->vt = VT_BSTR;
    source.get()->bstrVal = SysAllocString(path ? path : L"");
    VARIANT_BOOL loaded = VARIANT_FALSE;
    HRESULT status = document->put_resolveExternals(VARIANT_FALSE);
    if (status == S_OK) status = document->load(source.ref(), &loaded);
    return status;
}

bool IsExactInAnsi(std::wstring_view text, unsigned ansi) {
    return WideToAnsiExact(text.data(), static_cast<int>(text.size()), ansi).has_value();
}

// Whether the ANSI code page holds each half of a setting pair's text exactly,
// split where the record's texts are split.
std::pair<bool, bool> ExactHalves(std::wstring_view text, unsigned ansi) {
    constexpr std::wstring_view kSeparator = L"#@#";
    const std::size_t at = text.find(kSeparator);
    if (at == std::wstring_view::npos) return {IsExactInAnsi(text, ansi), true};
    return {IsExactInAnsi(text.substr(0, at), ansi), IsExactInAnsi(text.substr(at + kSeparator.size()), ansi)};
}

long StepListLength(IXMLDOMNodeList* steps) {
    long length = 0;
    if (steps->get_length(&length) == S_OK) return length;
    OutputDebugStringA("failed to read get_lenth())");
    return 0;
}
}  // namespace

JobDocument::JobDocument() : JobDocument(ThisMachineCodePages()) {}

JobDocument::JobDocument(const CodePages& pages) : state_(std::make_unique<State>()) { state_->ansi = pages.ansi; }

JobDocument::~JobDocument() { Release(); }

void JobDocument::Release() {
    if (!state_) return;
    state_->ReleaseDom();
    state_->com.reset();
}

bool JobDocument::Create(std::string& errorText) {
    State& s = *state_;
    s.lastStatus =
        CoCreateInstance(kDomDocumentClsid, nullptr, CLSCTX_INPROC_SERVER, kDomDocumentIid, s.document.put_void());
    if (s.lastStatus != S_OK || !s.document) {
        s.document.reset();
        errorText = "Unable initialize xml, check the msxml.dll in windows folder";
        return false;
    }
    return true;
}

bool JobDocument::Load(const wchar_t* path, char (&rootName)[512], std::string& errorText) {
    State& s = *state_;
    s.stepCount = 0;
    s.headerIndex = 0;
    s.stepBound = 0;
    s.nextStep = 0;
    s.childCount = 0;
    s.headerChildren.reset();
    if (!s.document) {
        errorText = "Unable Load inputfile";
        return false;
    }
    s.lastStatus = LoadFile(s.document.get(), path);
    if (s.lastStatus != S_OK) {
        errorText = "Unable Load inputfile";
        return false;
    }
    s.lastStatus = s.document->get_documentElement(s.root.put());
    if (s.lastStatus != S_OK || !s.root) {
        errorText = "Inputfile is not valid";
        return false;
    }
    UniqueBstr headerTag = MakeBstr(L"scriptinstance");
    s.lastStatus = s.root->getElementsByTagName(headerTag.get(), s.headerList.put());
    if (s.lastStatus != S_OK || !s.headerList) {
        errorText = "Err. in getElementsByTagName";
        return false;
    }
    s.lastStatus = s.root->selectNodes(MakeBstr(L"//step").get(), s.stepList.put());
    if (SUCCEEDED(s.lastStatus) && s.stepList) {
        s.stepCount = StepListLength(s.stepList.get());
        s.stepBound = s.stepCount;
    }
    return ReadRootName(s, rootName, errorText);
}

// The document element's name, once the header list can be counted.
bool JobDocument::ReadRootName(State& s, char (&rootName)[512], std::string& errorText) {
    std::string name;
    const HRESULT nameStatus = ReadBaseName(s.root.get(), s.ansi, name);
    long headerCount = 0;
    s.lastStatus = s.headerList->get_length(&headerCount);
    if (nameStatus != S_OK || s.lastStatus != S_OK) {
        errorText = "Inputfile is not valid";
        return false;
    }
    return StoreFieldText(FieldOf(rootName), name, "Name", "document element", errorText);
}

void JobDocument::InitScriptInstance(JobHeader& header) {
    State& s = *state_;
    OutputDebugStringA("InitScriptInstance()");
    if (!s.root) return;

    ComPtr<IXMLDOMNodeList> headers;
    UniqueBstr headerTag = MakeBstr(L"scriptinstance");
    if (s.root->getElementsByTagName(headerTag.get(), headers.put()) != S_OK || !headers) return;
    ComPtr<IXMLDOMNode> first;
    if (headers->get_item(0, first.put()) != S_OK || !first) return;
    ComPtr<IXMLDOMNodeList> children;
    if (first->get_childNodes(children.put()) != S_OK || !children) return;

    ComPtr<IXMLDOMNode> child;
    while (children->nextNode(child.put()) == S_OK && child) {
        std::string text, name;
        if (ReadNodeText(child.get(), s.ansi, text) != S_OK || ReadBaseName(child.get(), s.ansi, name) != S_OK)
            continue;
        const TextField field = HeaderChildField(header, name);
        if (!field.data) continue;
        // Nothing reports a failure from here: a value too long for its field
        // leaves the field empty, and the reason goes to the debugger output.
        std::string tooLong;
        if (StoreFieldText(field, text, "Value", name, tooLong))
            OutputDebugStringA(field.data);
        else
            OutputDebugStringA(tooLong.c_str());
    }
}

bool JobDocument::ReadHeader(JobHeader& header, std::string& errorText) {
    State& s = *state_;
    if (s.stepCount == 0 || s.headerIndex >= s.stepCount || !s.headerList) return false;

    ComPtr<IXMLDOMNode> element;
    s.lastStatus = s.headerList->get_item(s.headerIndex, element.put());
    if (s.lastStatus != S_OK || !element) {
        errorText = "input file content is not valid";
        return false;
    }
    s.lastStatus = element->get_childNodes(s.headerChildren.put());
    if (s.lastStatus == S_OK && s.headerChildren) s.lastStatus = s.headerChildren->get_length(&s.childCount);
    if (s.lastStatus != S_OK || !s.headerChildren) {
        errorText = "input file content is not valid";
        return false;
    }
    std::string elementName;
    s.lastStatus = ReadBaseName(element.get(), s.ansi, elementName);
    if (s.lastStatus != S_OK) {
        errorText = "rel file content is not valid";
        return false;
    }

    ComPtr<IXMLDOMNamedNodeMap> attributes;
    long attributeCount = 0;
    s.lastStatus = element->get_attributes(attributes.put());
    if (s.lastStatus == S_OK && attributes) s.lastStatus = attributes->get_length(&attributeCount);
    if (s.lastStatus != S_OK || !attributes) {
        errorText = StatusMessage(s.lastStatus, "The header's attributes cannot be read");
        return false;
    }
    if (attributeCount == 0) return false;

    for (long i = 0; i < attributeCount; ++i) {
        ComPtr<IXMLDOMNode> attribute;
        std::string name, text;
        s.lastStatus = attributes->get_item(i, attribute.put());
        if (s.lastStatus == S_OK && attribute) s.lastStatus = ReadBaseName(attribute.get(), s.ansi, name);
        if (s.lastStatus == S_OK && attribute) s.lastStatus = ReadNodeText(attribute.get(), s.ansi, text);
        if (s.lastStatus != S_OK || !attribute) {
            errorText = StatusMessage(s.lastStatus, "A header attribute cannot be read");
            return false;
        }
        const TextField field = HeaderAttributeField(header, name);
        if (field.data && !StoreFieldText(field, text, "Value", name, errorText)) return false;
    }

    if (s.childCount == 0) return false;
    ++s.headerIndex;
    // Every child node of the header counts, text nodes included.
    s.stepBound = s.childCount;
    s.nextStep = 0;
    return true;
}

StepRead JobDocument::ReadNextStep(PwrScheme& step, std::string& errorText) {
    State& s = *state_;
    step = PwrScheme{};
    if (s.stepBound == 0 || s.nextStep >= s.stepBound || !s.stepList) return StepRead::End;
    // Whatever happens below, a failed step ends the steps: later calls give End.
    const long index = s.nextStep;
    s.nextStep = s.stepBound;

    ComPtr<IXMLDOMNode> node;
    // Past the end of the list the engine gives S_FALSE and no node.
    s.lastStatus = s.stepList->get_item(index, node.put());
    if (FAILED(s.lastStatus)) {
        errorText = "input file content is not valid";
        return StepRead::Failed;
    }
    // A bound larger than the step list ends the steps at the first missing index.
    if (!node) return StepRead::End;

    std::string stepName;
    s.lastStatus = ReadBaseName(node.get(), s.ansi, stepName);
    if (s.lastStatus != S_OK) {
        errorText = "Inputfile is not valid";
        return StepRead::Failed;
    }
    if (!ReadStepValue(s, node.get(), step, errorText) || !ReadStepChildren(s, node.get(), step, errorText))
        return StepRead::Failed;
    s.nextStep = index + 1;
    return StepRead::Read;
}

// The step's first attribute, which must exist; when it is "value", its text.
bool JobDocument::ReadStepValue(State& s, IXMLDOMNode* node, PwrScheme& step, std::string& errorText) {
    ComPtr<IXMLDOMNamedNodeMap> attributes;
    ComPtr<IXMLDOMNode> first;
    std::string attributeName, attributeText;
    s.lastStatus = node->get_attributes(attributes.put());
    if (s.lastStatus == S_OK && attributes) s.lastStatus = attributes->get_item(0, first.put());
    if (s.lastStatus == S_OK && first) s.lastStatus = ReadBaseName(first.get(), s.ansi, attributeName);
    if (s.lastStatus == S_OK && first) s.lastStatus = ReadNodeText(first.get(), s.ansi, attributeText);
    if (s.lastStatus != S_OK || !attributes || !first) {
        errorText = StatusMessage(s.lastStatus, "Step has no attributes");
        return false;
    }
    return attributeName != "value" || StoreStepValue(step, attributeText, errorText);
}

bool JobDocument::ReadStepChildren(State& s, IXMLDOMNode* node, PwrScheme& step, std::string& errorText) {
    ComPtr<IXMLDOMNodeList> children;
    long childCount = 0;
    s.lastStatus = node->get_childNodes(children.put());
    if (s.lastStatus == S_OK && children) s.lastStatus = children->get_length(&childCount);
    if (s.lastStatus != S_OK || !children) {
        errorText = "input file content is not valid";
        return false;
    }
    s.childCount = childCount;
    for (long i = 0; i < childCount; ++i) {
        ComPtr<IXMLDOMNode> child;
        DOMNodeType type = NODE_INVALID;
        s.lastStatus = children->get_item(i, child.put());
        if (s.lastStatus == S_OK && child) s.lastStatus = child->get_nodeType(&type);
        if (s.lastStatus != S_OK || !child) {
            errorText = "input file content is not valid";
            return false;
        }
        // Only child elements carry settings; text and comments between them are not read.
        if (type == NODE_ELEMENT && !ReadStepElement(s, child.get(), step, errorText)) return false;
    }
    return true;
}

// One child element into the texts of its tag; an unknown tag is passed over.
bool JobDocument::ReadStepElement(State& s, IXMLDOMNode* child, PwrScheme& step, std::string& errorText) {
    std::string name, text;
    std::wstring wide;
    s.lastStatus = ReadBaseName(child, s.ansi, name);
    if (s.lastStatus == S_OK) s.lastStatus = ReadTypedText(child, s.ansi, text, &wide);
    if (s.lastStatus != S_OK) {
        errorText = "input file content is not valid";
        return false;
    }
    const StepTag* tag = FindStepTag(name);
    if (!tag) return true;
    const bool paired = tag->dc.text != nullptr;
    const auto [exact, dcExact] = paired ? ExactHalves(wide, s.ansi) : std::pair{IsExactInAnsi(wide, s.ansi), true};
    // A setting value without an exact form is never written, and its log
    // line must not show a look-alike ("8" for an infinity sign) as if the
    // job had written it. Nor may an option read as another: a full-width
    // "1" is not "1". The plan's name and description keep the system's
    // form, flagged inexact, for the refusal that names them.
    const bool planText = tag == &step_tag::SchName || tag == &step_tag::SchDesc;
    if (!planText && !(exact && dcExact)) text = WideToAnsiShown(wide, s.ansi);
    if (!StoreStepTag(step, *tag, name, text, errorText)) return false;
    NoteTextExactness(step, *tag, exact, dcExact);
    return true;
}

bool ReadPowerJobHeader(JobDocument& document, JobHeader& header) {
    document.InitScriptInstance(header);
    std::string errorText;
    static_cast<void>(document.ReadHeader(header, errorText));
    return SameTextNoCase(header.XmlFuncName, kPowerJobFunction);
}

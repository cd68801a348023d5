// Record building: any values give a record that is well-formed XML and
// holds each value whole, element text and description alike (values
// without the control characters XML 1.0 cannot hold); with those characters
// the record is still well-formed.
#include <string>

#include "report/status_record.h"
#include "fuzz/fuzz_check.h"
#include "fuzz/xml_check.h"

namespace {
// Reads the record's elements in their order: the text of each, with
// entities and CDATA sections decoded.
class RecordReader {
public:
    explicit RecordReader(std::string_view record) : record_(record) {}
    std::string Next(const std::string& tag) {
        const std::size_t open = record_.find("<" + tag + ">", pos_);
        FUZZ_CHECK(open != std::string_view::npos);
        const std::string close = "</" + tag + ">";
        std::string text;
        for (pos_ = open + tag.size() + 2; record_.substr(pos_, close.size()) != close;) {
            FUZZ_CHECK(pos_ < record_.size());
            if (record_.substr(pos_, 9) == "<![CDATA[") {
                const std::size_t end = record_.find("]]>", pos_ + 9);
                text.append(record_.substr(pos_ + 9, end - pos_ - 9));
                pos_ = end + 3;
            } else if (record_[pos_] == '&') {
                const std::size_t semicolon = record_.find(';', pos_);
                const std::string_view name = record_.substr(pos_ + 1, semicolon - pos_ - 1);
                text += name == "amp" ? '&' : name == "lt" ? '<' : name == "gt" ? '>' : '?';
                pos_ = semicolon + 1;
            } else {
                text += record_[pos_++];
            }
        }
        return text;
    }

private:
    std::string_view record_;
    std::size_t pos_ = 0;
};

std::string WithoutControlCharacters(std::string_view value) {
    std::string out;
    for (const char c : value)
        if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n' || c == '\r') out += c;
    return out;
}
}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The checker itself must tell a record from broken markup.
    StatusRecordValues sample;
    sample.regid = "R&1";
    sample.description = "a ]]> b <c>";
    FUZZ_CHECK(XmlWellFormednessError(BuildStatusRecord(sample)).empty());
    FUZZ_CHECK(
        XmlWellFormednessError("<?xml version=\"1.0\"?><a x='1' y=\"&#x41;\"><b/>&amp;<!-- c --></a>\n").empty());
    for (const char* broken :
         {"", "<a>", "<a></b>", "<a><b></a></b>", "<a/><b/>", "<a>&c;</a>", "<a>&amp</a>", "<a>&#1;</a>", "<a>\x01</a>",
          "<a>]]></a>", "<a>x < y</a>", "<a x='1' x='2'/>", "<a x=1/>", "<a><![CDATA[x</a>", "<a><!-- x -- y --></a>",
          "<!DOCTYPE a><a/>", "<a/><?xml version=\"1.0\"?>"})
        FUZZ_CHECK(!XmlWellFormednessError(broken).empty());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string_view> fields = InputFields(data, size, 9);
    // Control characters other than tab, LF and CR are left out of the values:
    // no XML 1.0 record can give them back.
    std::vector<std::string> texts;
    for (const std::string_view field : fields) texts.push_back(WithoutControlCharacters(field));
    StatusRecordValues values;
    values.regid = texts[0];
    values.scriptJobId = texts[1];
    values.isRealTime = texts[2];
    values.scriptId = texts[3];
    values.jobId = texts[4];
    values.instanceId = texts[5];
    values.succeeded = texts[6] != "0";  // a record of either outcome
    values.description = texts[7];
    values.executionTime = texts[8];

    const std::string record = BuildStatusRecord(values);
    const std::string error = XmlWellFormednessError(record);
    if (!error.empty()) std::fprintf(stderr, "%s\n", error.c_str());
    FUZZ_CHECK(error.empty());
    RecordReader reader(record);
    FUZZ_CHECK(reader.Next("regid") == values.regid);
    FUZZ_CHECK(reader.Next("inid") == values.scriptJobId);
    FUZZ_CHECK(reader.Next("inisrealtime") == values.isRealTime);
    FUZZ_CHECK(reader.Next("scriptid") == values.scriptId);
    FUZZ_CHECK(reader.Next("jobid") == values.jobId);
    FUZZ_CHECK(reader.Next("instanceid") == values.instanceId);
    FUZZ_CHECK(reader.Next("status") == (values.succeeded ? "Success" : "Fail"));
    FUZZ_CHECK(reader.Next("desc") == values.description);
    FUZZ_CHECK(reader.Next("inexecstatusdate") == values.executionTime);

    // Raw values, control characters included, still give a well-formed record.
    StatusRecordValues raw = values;
    raw.regid = fields[0];
    raw.instanceId = fields[5];
    raw.description = fields[7];
    FUZZ_CHECK(XmlWellFormednessError(BuildStatusRecord(raw)).empty());
    return 0;
}

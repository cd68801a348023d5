#include "jobdoc/text_field.h"

#include <cstring>

namespace {
void SetTooLong(std::string& errorText, std::string_view what, std::string_view name, std::size_t limit) {
    errorText.assign(what);
    errorText += " of \"";
    errorText += name;
    errorText += "\" is longer than ";
    errorText += std::to_string(limit);
    errorText += " characters";
}
}  // namespace

bool StoreFieldText(TextField field, std::string_view value, std::string_view what, std::string_view name,
                    std::string& errorText) {
    if (field.size == 0) return false;
    if (value.size() >= field.size) {
        field.data[0] = '\0';
        SetTooLong(errorText, what, name, field.size - 1);
        return false;
    }
    if (!value.empty()) std::memcpy(field.data, value.data(), value.size());
    field.data[value.size()] = '\0';
    return true;
}

bool StoreBoundedText(std::string& text, std::size_t limit, std::string_view value, std::string_view what,
                      std::string_view name, std::string& errorText) {
    if (value.size() > limit) {
        text.clear();
        SetTooLong(errorText, what, name, limit);
        return false;
    }
    text.assign(value.substr(0, value.find('\0')));
    return true;
}

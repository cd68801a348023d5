#include "jobdoc/text_field.h"

#include <cstring>

bool StoreFieldText(TextField field, std::string_view value, std::string_view what, std::string_view name,
                    std::string& errorText) {
    if (field.size == 0) return false;
    if (value.size() >= field.size) {
        field.data[0] = '\0';
        errorText.assign(what);
        errorText += " of \"";
        errorText += name;
        errorText += "\" is longer than ";
        errorText += std::to_string(field.size - 1);
        errorText += " characters";
        return false;
    }
    if (!value.empty()) std::memcpy(field.data, value.data(), value.size());
    field.data[value.size()] = '\0';
    return true;
}

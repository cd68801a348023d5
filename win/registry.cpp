#include "win/registry.h"

#include <cstdio>
#include <cstring>

#include "win/owners.h"
#include "win/text_convert.h"

namespace {
constexpr DWORD kDataCapacity = 1024;
constexpr std::size_t kMaxErrorText = 999;
}  // namespace

HKEY CRegistry::RootKey(const char* rootName) {
    static const struct {
        const char* name;
        HKEY key;
    } roots[] = {
        {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},     {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
        {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},   {"HKEY_USERS", HKEY_USERS},
        {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
    };
    for (const auto& root : roots)
        if (SameTextNoCase(rootName, root.name)) return root.key;
    return HKEY_LOCAL_MACHINE;
}

void CRegistry::SetError(const char* call, LONG status, const std::string& text) {
    char prefix[64];
    std::snprintf(prefix, sizeof prefix, "%s [%ld]::", call, static_cast<long>(status));
    lastError_ = std::string(prefix) + text;
    if (lastError_.size() > kMaxErrorText) lastError_.resize(kMaxErrorText);
}

bool CRegistry::QueryValue(const char* rootName, const char* subkey, const char* valueName, char* out,
                           std::size_t outCapacity, DWORD* dataSize, DWORD* type) {
    lastError_.clear();
    UniqueRegKey key;
    const LONG openStatus = RegOpenKeyExA(RootKey(rootName), subkey, 0, KEY_READ, key.put());
    if (openStatus != ERROR_SUCCESS) {
        SetError("RegOpenKeyEx", openStatus, SystemMessageText(static_cast<DWORD>(openStatus), 0));
        return false;
    }

    BYTE data[kDataCapacity + 1] = {};
    DWORD length = kDataCapacity;
    DWORD valueType = REG_NONE;
    const LONG status = RegQueryValueExA(key.get(), valueName, nullptr, &valueType, data, &length);
    if (dataSize) *dataSize = length;
    if (type) *type = valueType;
    if (status != ERROR_SUCCESS) {
        SetError("RegQueryValueEx", status, SystemMessageText(static_cast<DWORD>(status), 0));
        return false;
    }

    std::string text;
    switch (valueType) {
        case REG_SZ:
            text.assign(reinterpret_cast<const char*>(data), strnlen(reinterpret_cast<const char*>(data), length));
            break;
        case REG_BINARY:
            text.assign(reinterpret_cast<const char*>(data), length);
            break;
        case REG_DWORD: {
            int32_t value = 0;
            std::memcpy(&value, data, sizeof value);
            text = std::to_string(value);
            break;
        }
        default:
            return true;  // other types count as read and leave the field as it was
    }
    if (text.size() >= outCapacity) {
        char reason[96];
        std::snprintf(reason, sizeof reason, "Value is longer than %u characters\r\n",
                      static_cast<unsigned>(outCapacity - 1));
        SetError("RegQueryValueEx", ERROR_MORE_DATA, reason);
        return false;
    }
    std::memcpy(out, text.data(), text.size());
    out[text.size()] = '\0';
    return true;
}

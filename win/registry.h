#pragma once
// Reads single named values from a registry key given as a root name and a
// subkey path. Every query opens the key, reads one value and closes it again.
#include <windows.h>

#include <cstddef>
#include <string>

class CRegistry {
public:
    CRegistry() = default;
    virtual ~CRegistry() = default;
    CRegistry(const CRegistry&) = delete;
    CRegistry& operator=(const CRegistry&) = delete;

    // Reads `valueName` into `out` (capacity `outCapacity`, terminator
    // included) as text: REG_SZ as written, REG_DWORD as signed decimal,
    // REG_BINARY as its raw bytes; any other type leaves `out` untouched and
    // still counts as read. A value that does not fit `out` is a failed read.
    // `dataSize` receives the value's length in bytes, `type` its type.
    bool QueryValue(const char* rootName, const char* subkey, const char* valueName, char* out, std::size_t outCapacity,
                    DWORD* dataSize = nullptr, DWORD* type = nullptr);

    // Empty after a successful query; "RegOpenKeyEx [%ld]::%s" or
    // "RegQueryValueEx [%ld]::%s" after a failed one.
    const std::string& LastErrorText() const { return lastError_; }

    // Maps "HKEY_LOCAL_MACHINE" and the other root names, in any letter case,
    // to their keys; any other text to HKEY_LOCAL_MACHINE.
    static HKEY RootKey(const char* rootName);

private:
    void SetError(const char* call, LONG status, const std::string& text);
    std::string lastError_;
};

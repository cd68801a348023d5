#include "power/exact_plan_names.h"

#include <vector>

#include "win/system_library.h"
#include "win/text_convert.h"

namespace {
std::optional<GUID> GuidFromText(const std::string& text) {
    // IIDFromString takes the braced form and nothing else.
    const std::wstring braced = L"{" + AnsiToWide(text) + L"}";
    GUID guid{};
    if (text.size() != 36 || FAILED(IIDFromString(braced.c_str(), &guid))) return std::nullopt;
    return guid;
}
}  // namespace

ExactPlanNames::ExactPlanNames() : library_(LoadSystemLibrary("powrprof.dll")) {
    // Loaded rather than imported, as every powrprof function: an import
    // would be satisfied by a powrprof.dll beside the program.
    if (library_)
        read_ = reinterpret_cast<ReadFriendlyName>(
            reinterpret_cast<void*>(GetProcAddress(library_.get(), "PowerReadFriendlyName")));
}

std::optional<std::wstring> ExactPlanNames::Read(const std::string& guidText) const {
    const std::optional<GUID> guid = GuidFromText(guidText);
    if (!read_ || !guid) return std::nullopt;
    // The size first (in bytes, terminator included), then the name; a name
    // that grew in between is asked for once more.
    DWORD size = 0;
    DWORD status = read_(nullptr, &*guid, nullptr, nullptr, nullptr, &size);
    for (int attempt = 0; attempt < 2 && (status == ERROR_SUCCESS || status == ERROR_MORE_DATA); ++attempt) {
        constexpr DWORD kLimit = 64 * 1024;
        if (size == 0 || size > kLimit) return std::nullopt;
        std::vector<wchar_t> buffer((size + 1) / sizeof(wchar_t) + 1, L'\0');
        DWORD got = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
        status = read_(nullptr, &*guid, nullptr, nullptr, reinterpret_cast<PUCHAR>(buffer.data()), &got);
        if (status == ERROR_MORE_DATA) {
            size = got;
            continue;
        }
        if (status != ERROR_SUCCESS) break;
        std::wstring name(buffer.data());  // up to the terminator
        if (!name.empty() && name.front() == L'@') return std::nullopt;
        return name;
    }
    return std::nullopt;
}

bool SameExactName(const std::wstring& exact, const std::string& requested) {
    const std::optional<std::wstring> wanted = AnsiToWideExact(requested);
    if (!wanted || exact.empty() || wanted->empty()) return false;
    return CompareStringOrdinal(exact.data(), static_cast<int>(exact.size()), wanted->data(),
                                static_cast<int>(wanted->size()), TRUE) == CSTR_EQUAL;
}

#pragma once
// Bounded copies into the fixed-width, NUL-terminated text fields of the run's
// records. A field's capacity is a limit on what is accepted: StoreText refuses
// a value that does not fit, StoreTextCut keeps as much as fits (used only where
// cutting is the documented behaviour, such as a status description).
#include <cstddef>
#include <cstring>
#include <cwchar>
#include <string_view>

template <std::size_t N>
[[nodiscard]] bool StoreText(char (&field)[N], std::string_view value) {
    if (value.size() >= N) return false;
    if (!value.empty()) std::memcpy(field, value.data(), value.size());
    field[value.size()] = '\0';
    return true;
}

template <std::size_t N>
void StoreTextCut(char (&field)[N], std::string_view value) {
    const std::size_t n = value.size() < N ? value.size() : N - 1;
    if (n > 0) std::memcpy(field, value.data(), n);
    field[n] = '\0';
}

// The field's text up to its first NUL, or all N bytes when it has none.
template <std::size_t N>
std::string_view FieldText(const char (&field)[N]) {
    const void* end = std::memchr(field, '\0', N);
    return {field, end != nullptr ? static_cast<std::size_t>(static_cast<const char*>(end) - field) : N};
}

template <std::size_t N>
void ClearText(char (&field)[N]) {
    std::memset(field, 0, N);
}

// The same for a UTF-16 field (a path that must stay exact).
template <std::size_t N>
[[nodiscard]] bool StoreText(wchar_t (&field)[N], std::wstring_view value) {
    if (value.size() >= N) return false;
    if (!value.empty()) std::wmemcpy(field, value.data(), value.size());
    field[value.size()] = L'\0';
    return true;
}

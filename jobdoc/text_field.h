#pragma once
// The bounded store that every value of the job document goes through. A
// value that does not fit is refused, never cut: the field is left empty and
// the error text names the value and the limit:
//   <what> of "<name>" is longer than <limit> characters
#include <cstddef>
#include <string>
#include <string_view>

// A fixed-width, NUL-terminated text field addressed by pointer and width
// (the job header's fields).
struct TextField {
    char* data;
    std::size_t size;  // terminator included
};

template <std::size_t N>
TextField FieldOf(char (&field)[N]) {
    return {field, N};
}

// Stores `value` into `field`, which holds size - 1 characters.
[[nodiscard]] bool StoreFieldText(TextField field, std::string_view value, std::string_view what, std::string_view name,
                                  std::string& errorText);

// Stores `value` into `text`, which holds `limit` characters. A value is
// taken up to its first NUL, as a fixed field would hold it.
[[nodiscard]] bool StoreBoundedText(std::string& text, std::size_t limit, std::string_view value, std::string_view what,
                                    std::string_view name, std::string& errorText);

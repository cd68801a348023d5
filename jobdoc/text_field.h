#pragma once
// A fixed-width, NUL-terminated text field addressed by pointer and width, and
// the bounded store that every value of the job document goes through. A value
// that does not fit is refused, never cut: the field is left empty and the error
// text names the value and the limit.
#include <cstddef>
#include <string>
#include <string_view>

struct TextField {
    char* data;
    std::size_t size;  // terminator included
};

template <std::size_t N>
TextField FieldOf(char (&field)[N]) {
    return {field, N};
}

// Stores `value` into `field`. When it is longer than size - 1 characters the
// field is emptied, `errorText` becomes
//   <what> of "<name>" is longer than <size - 1> characters
// and false is returned.
[[nodiscard]] bool StoreFieldText(TextField field, std::string_view value, std::string_view what, std::string_view name,
                                  std::string& errorText);

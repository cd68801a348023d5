#pragma once
// What the fuzz targets share: a check that stops the run with a message (the
// fuzzer then keeps the input as a crash), and the splitting of an input into
// text fields.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <vector>

#define FUZZ_CHECK(condition)                                                                     \
    do {                                                                                          \
        if (!(condition)) {                                                                       \
            std::fprintf(stderr, "%s:%d: property failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                         \
        }                                                                                         \
    } while (0)

// The input as text.
inline std::string_view InputText(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The input split at NUL bytes into exactly `count` fields: missing ones are
// empty and anything after the last one is ignored, so every field is a text
// a C string could hold.
inline std::vector<std::string_view> InputFields(const std::uint8_t* data, std::size_t size, std::size_t count) {
    std::vector<std::string_view> fields(count);
    std::string_view rest = InputText(data, size);
    for (std::size_t i = 0; i < count && !rest.empty(); ++i) {
        const std::size_t end = rest.find('\0');
        fields[i] = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    return fields;
}

#include "base/code_pages.h"

namespace {
struct CodePagePair {
    unsigned oem;
    unsigned ansi;
};

constexpr CodePagePair kPairs[] = {
    {437, 1252},  {850, 1252}, {858, 1252},              // Western European and US
    {852, 1250},                                         // Central European
    {855, 1251},  {866, 1251},                           // Cyrillic
    {737, 1253},                                         // Greek
    {857, 1254},                                         // Turkish
    {862, 1255},                                         // Hebrew
    {720, 1256},  {864, 1256},                           // Arabic
    {775, 1257},                                         // Baltic
    {1258, 1258},                                        // Vietnamese
    {874, 874},                                          // Thai
    {932, 932},   {936, 936},  {949, 949},  {950, 950},  // Japanese, Simplified Chinese, Korean, Traditional Chinese
};
}  // namespace

std::optional<unsigned> AnsiCodePageForOem(unsigned oem) {
    for (const CodePagePair& pair : kPairs)
        if (pair.oem == oem) return pair.ansi;
    return std::nullopt;
}

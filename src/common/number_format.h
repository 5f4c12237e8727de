#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace fw {

// Decimal digits with the grouping mark between each group of three.
std::string GroupDigits(std::string_view digits, char thousandsMark);

// A whole number with digit grouping; negative numbers in parentheses, as the
// display format ",0;(,0)" shows them.
std::string FormatGrouped(long long value, char thousandsMark);

// Digits with optional grouping marks, as a user may type them; nothing for
// anything else.
std::optional<long long> ParseGrouped(std::string_view text, char thousandsMark);

}  // namespace fw

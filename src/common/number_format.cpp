#include "common/number_format.h"

namespace fw {

std::string GroupDigits(std::string_view digits, char thousandsMark) {
    std::string grouped;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0 && thousandsMark != '\0') {
            grouped += thousandsMark;
        }
        grouped += digits[i];
    }
    return grouped;
}

std::string FormatGrouped(long long value, char thousandsMark) {
    bool negative = value < 0;
    unsigned long long magnitude = negative ? 0ULL - static_cast<unsigned long long>(value)
                                            : static_cast<unsigned long long>(value);
    const std::string grouped = GroupDigits(std::to_string(magnitude), thousandsMark);
    return negative ? "(" + grouped + ")" : grouped;
}

std::optional<long long> ParseGrouped(std::string_view text, char thousandsMark) {
    long long value = 0;
    bool any = false;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            if (value > 100000000000LL) {
                return std::nullopt;
            }
            value = value * 10 + (c - '0');
            any = true;
        } else if (c != thousandsMark || thousandsMark == '\0') {
            return std::nullopt;
        }
    }
    if (!any) {
        return std::nullopt;
    }
    return value;
}

}  // namespace fw

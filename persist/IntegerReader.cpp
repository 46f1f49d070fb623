#include "persist/IntegerReader.h"

#include <limits>

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool ParseInt32(std::string_view token, std::int32_t& value) {
    bool negative = false;
    if (!token.empty() && (token.front() == '-' || token.front() == '+')) {
        negative = token.front() == '-';
        token.remove_prefix(1);
    }
    if (token.empty())
        return false;
    // The magnitude may reach 2^31 for the most negative value; stop as soon as it passes that.
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (const char c : token) {
        if (c < '0' || c > '9')
            return false;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit)
            return false;
    }
    if (!negative && magnitude == limit)
        return false;
    value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
    return true;
}

} // namespace

IntegerReader::Token IntegerReader::Next(std::int32_t& value) {
    while (at < text.size() && IsSpace(text[at]))
        ++at;
    if (at == text.size())
        return Token::End;
    const std::size_t start = at;
    while (at < text.size() && !IsSpace(text[at]))
        ++at;
    return ParseInt32(text.substr(start, at - start), value) ? Token::Number : Token::NotNumber;
}

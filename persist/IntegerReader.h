#pragma once

#include <cstdint>
#include <string_view>

// Reads the decimal integers of history.ini and color.ini one at a time. Any run of white space
// (CR and LF included) separates them. A token is a number only when the whole of it is an
// optional sign and decimal digits whose value fits a signed 32-bit integer.
class IntegerReader {
public:
    enum class Token { Number, End, NotNumber };

    // `text` must outlive the reader.
    explicit IntegerReader(std::string_view text) : text(text) {}

    // Takes the next token; `value` is set only when the result is Number.
    Token Next(std::int32_t& value);

private:
    std::string_view text;
    std::size_t at = 0;
};

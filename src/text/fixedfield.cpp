#include "text/fixedfield.h"

namespace orvik {

std::string leftField(std::string_view text, std::size_t width) {
    std::string field(text.substr(0, width));
    field.resize(width, ' ');
    return field;
}

std::string rightField(std::string_view text, std::size_t width) {
    if (text.size() >= width)
        return std::string(text.substr(text.size() - width));
    std::string field(width - text.size(), ' ');
    field += text;
    return field;
}

std::string rightAligned(std::string_view text, std::size_t width) {
    return text.size() >= width ? std::string(text) : rightField(text, width);
}

std::string_view trimLeading(std::string_view text, char c) {
    const std::size_t first = text.find_first_not_of(c);
    return first == std::string_view::npos ? std::string_view() : text.substr(first);
}

std::string_view trimTrailing(std::string_view text, char c) {
    const std::size_t last = text.find_last_not_of(c);
    return last == std::string_view::npos ? std::string_view() : text.substr(0, last + 1);
}

std::string_view trimLeadingBlanks(std::string_view text) {
    return trimLeading(text, ' ');
}

std::string_view trimTrailingBlanks(std::string_view text) {
    return trimTrailing(text, ' ');
}

std::string_view trimBlanks(std::string_view text) {
    return trimTrailingBlanks(trimLeadingBlanks(text));
}

} // namespace orvik

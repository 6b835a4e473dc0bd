#include "reader/textargument.h"

#include <algorithm>

#include "reader/readerabi.h"

namespace orvik {

TextArgument::TextArgument(std::string& text)
    : text_(text), buffer_(std::max<std::size_t>(text.size() + 1, readerabi::kTextRoom), '\0') {
    std::copy(text.begin(), text.end(), buffer_.begin());
}

TextArgument::~TextArgument() {
    // Up to the first NUL, but never past the buffer: a library may fill it
    // to the last byte without one.
    text_.assign(buffer_.begin(), std::find(buffer_.begin(), buffer_.end(), '\0'));
}

} // namespace orvik

#include "reader/textargument.h"

#include <algorithm>
#include <cstring>

#include "reader/readerabi.h"

namespace orvik {

TextArgument::TextArgument(std::string& text)
    : text_(text), buffer_(std::max<std::size_t>(text.size() + 1, readerabi::kTextRoom), '\0') {
    std::copy(text.begin(), text.end(), buffer_.begin());
}

TextArgument::~TextArgument() {
    // The last byte stays NUL whatever the library wrote, so the copy back
    // can't run past the buffer.
    buffer_.back() = '\0';
    text_.assign(buffer_.data(), std::strlen(buffer_.data()));
}

} // namespace orvik

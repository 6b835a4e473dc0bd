#pragma once
// A text handed to the reader library: a writable NUL-terminated copy with
// room to spare, copied back into the caller's variable after the call.
#include <string>
#include <vector>

namespace orvik {

class TextArgument {
public:
    explicit TextArgument(std::string& text);
    ~TextArgument();
    TextArgument(const TextArgument&) = delete;
    TextArgument& operator=(const TextArgument&) = delete;

    char* data() { return buffer_.data(); }

private:
    std::string& text_;
    std::vector<char> buffer_;
};

} // namespace orvik

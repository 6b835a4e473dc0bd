#include "workfile/crlflines.h"

#include <string_view>
#include <utility>

namespace orvik {
namespace {

bool endsWithLineEnd(std::string_view content) {
    return content.back() == '\r' ||
           (content.back() == '\n' && content.size() >= 2 && content[content.size() - 2] == '\r');
}

} // namespace

// A CR LF stays as it is and a lone CR gains its LF, so the text is copied in
// long runs between the lone CRs rather than line by line; a text that
// already ends every line with CR LF is taken over whole.
CrLfLines withCrLfEnds(std::string content) {
    CrLfLines copied;
    if (content.empty())
        return copied;
    std::string& text = copied.text;
    std::size_t runStart = 0;
    std::size_t cr = content.find('\r');
    bool rebuilt = false;
    while (cr != std::string::npos) {
        ++copied.count;
        const bool crLf = cr + 1 < content.size() && content[cr + 1] == '\n';
        if (!crLf) {
            if (!rebuilt) {
                text.reserve(content.size() + content.size() / 8 + 2);
                rebuilt = true;
            }
            text.append(content, runStart, cr + 1 - runStart);
            text.push_back('\n');
            runStart = cr + 1;
        }
        cr = content.find('\r', cr + (crLf ? 2 : 1));
    }
    const bool lastLineOpen = !endsWithLineEnd(content);
    if (rebuilt)
        text.append(content, runStart, std::string::npos);
    else
        text = std::move(content);
    if (lastLineOpen) {
        ++copied.count;
        text.append("\r\n");
    }
    return copied;
}

} // namespace orvik

#include "workfile/crlflines.h"

#include <utility>

#include "workfile/crlfstream.h"

namespace orvik {

// A text that already ends every line with CR LF is taken over whole.
CrLfLines withCrLfEnds(std::string content) {
    CrLfLines copied;
    CrLfStream stream;
    if (stream.takeUnchanged(content))
        copied.text = std::move(content);
    else
        stream.feed(content, copied.text);
    stream.finish(copied.text);
    copied.count = stream.count();
    return copied;
}

} // namespace orvik

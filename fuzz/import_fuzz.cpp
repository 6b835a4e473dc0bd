// The import against the rule: the work file grows by exactly the source's
// lines, each ended by CR LF (a line ends at CR, CR LF is one end, a lone LF
// stays in the line, a last line needs no end), and the log by a dated header
// and the same lines. A write that fails part way leaves both files as they
// were.
#include <algorithm>
#include <cerrno>

#include "files/fileops.h"
#include "files/safewrite.h"
#include "platform/clock.h"
#include "support/fuzzsupport.h"
#include "workfile/importer.h"

namespace {

using namespace orvik;
using namespace orvik::fuzz;

class FixedClock : public Clock {
public:
    CalendarDate today() override { return {2026, 12, 8}; }
    TimeOfDay now() override { return {9, 5, 7}; }
    std::chrono::nanoseconds elapsed() override { return {}; }
};

// Writes that run out of room after a number of bytes, as a full disk does.
class DiskFillsUp : public FileOps {
public:
    explicit DiskFillsUp(long room) : room_(room) {}
    long write(int fd, const void* data, std::size_t size) override {
        if (room_ <= 0) {
            errno = ENOSPC;
            return -1;
        }
        const long taken = std::min(room_, static_cast<long>(size));
        room_ -= taken;
        return FileOps::write(fd, data, static_cast<std::size_t>(taken));
    }

private:
    long room_;
};

struct PlainLines {
    std::string text;
    std::int64_t count = 0;
};

PlainLines plainCrLfLines(std::string_view source) {
    PlainLines lines;
    std::string line;
    bool open = false; // a line has begun and not yet ended
    for (std::size_t i = 0; i < source.size(); ++i) {
        if (source[i] == '\r') {
            lines.text += line + "\r\n";
            ++lines.count;
            line.clear();
            open = false;
            if (i + 1 < source.size() && source[i + 1] == '\n')
                ++i;
        } else {
            line += source[i];
            open = true;
        }
    }
    if (open) {
        lines.text += line + "\r\n";
        ++lines.count;
    }
    return lines;
}

// What an existing file's end needs so that the next line starts a line of
// its own: nothing after CR LF (or when empty), LF after a lone CR, CR LF
// after anything else.
std::string missingEnd(const std::string& bytes) {
    if (bytes.empty() || (bytes.size() >= 2 && bytes.compare(bytes.size() - 2, 2, "\r\n") == 0))
        return "";
    return bytes.back() == '\r' ? "\n" : "\r\n";
}

struct FileState {
    bool exists = false;
    std::string bytes;
};

FileState stateOf(const std::string& name) {
    FileState state;
    state.bytes = ScratchDir::instance().read(name, state.exists);
    return state;
}

void placeFile(const std::vector<std::string_view>& parts, std::size_t index,
               const std::string& name) {
    if (parts.size() > index)
        ScratchDir::instance().write(name, parts[index]);
}

} // namespace

// Input: control bytes (an odd first byte makes the disk fill up after the
// second byte times 16 bytes), the source, the old work file, the old log;
// separated by the marker, a missing file part is a missing file.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string_view> parts = splitParts(data, size, 4);
    if (parts.size() < 2)
        return 0;
    ScratchDir& dir = ScratchDir::instance();
    dir.clear();
    dir.write("pnqty.dat", parts[1]);
    placeFile(parts, 2, kWorkFileName);
    placeFile(parts, 3, kLogFileName);
    const FileState workBefore = stateOf(kWorkFileName);
    const FileState logBefore = stateOf(kLogFileName);

    const std::string_view control = parts[0];
    const bool diskFills = !control.empty() && (control[0] & 1);
    const long room = control.size() > 1 ? 16L * static_cast<unsigned char>(control[1]) : 0;
    DiskFillsUp fullDisk(room);
    FixedClock clock;
    ImportResult result;
    if (diskFills) {
        ScopedFileOps scoped(fullDisk);
        result = tuodata(dir.path() / "pnqty.dat", dir.dirValue(), clock);
    } else {
        result = tuodata(dir.path() / "pnqty.dat", dir.dirValue(), clock);
    }

    const FileState workAfter = stateOf(kWorkFileName);
    const FileState logAfter = stateOf(kLogFileName);
    expect(stateOf("pnqty.dat").bytes == parts[1], "the source is left as it was");
    expect(!stateOf("orvik_tuonti.jnl").exists, "no journal is left behind");
    if (result.error.failed()) {
        expect(diskFills, "only a full disk makes the import fail");
        expect(workAfter.exists == workBefore.exists && workAfter.bytes == workBefore.bytes,
               "a failed import leaves the work file as it was");
        expect(logAfter.exists == logBefore.exists && logAfter.bytes == logBefore.bytes,
               "a failed import leaves the log as it was");
        return 0;
    }
    const PlainLines lines = plainCrLfLines(parts[1]);
    expect(result.lineCount == lines.count, "the count is the source's lines");
    expect(workAfter.bytes == workBefore.bytes + missingEnd(workBefore.bytes) + lines.text,
           "the work file grows by exactly the source's lines, after its open last line's end");
    expect(logAfter.bytes == logBefore.bytes + missingEnd(logBefore.bytes) +
                                 "08.12.2026 09:05:07\r\n" + lines.text,
           "the log grows by a header and the source's lines");
    return 0;
}

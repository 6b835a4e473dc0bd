#include "journal/journalfile.h"

#include <charconv>

namespace orvik {

namespace {

constexpr std::string_view kMagic = "orvik-journal 1";

// Texts are written as their length, a line end and the bytes, so a path
// may hold any byte.
void putText(std::string& out, std::string_view text) {
    out += std::to_string(text.size());
    out += '\n';
    out += text;
    out += '\n';
}

// A path's bytes: as they are on POSIX, UTF-8 on Windows.
std::string pathBytes(const std::filesystem::path& path) {
    const std::u8string bytes = path.u8string();
    return std::string(bytes.begin(), bytes.end());
}

void putPath(std::string& out, std::string_view tag, const std::filesystem::path& path) {
    out += tag;
    out += ' ';
    putText(out, pathBytes(path));
}

class Reader {
public:
    explicit Reader(std::string_view bytes) : rest_(bytes) {}

    bool word(std::string& word) {
        const std::size_t end = rest_.find_first_of(" \n");
        if (end == std::string_view::npos)
            return false;
        word.assign(rest_.substr(0, end));
        rest_.remove_prefix(end + 1);
        return true;
    }
    bool number(long long& value) {
        std::string digits;
        if (!word(digits))
            return false;
        const auto [end, error] =
            std::from_chars(digits.data(), digits.data() + digits.size(), value);
        return error == std::errc() && end == digits.data() + digits.size();
    }
    bool text(std::string& text) {
        long long length = 0;
        if (!number(length) || length < 0 ||
            static_cast<unsigned long long>(length) >= rest_.size())
            return false;
        const auto size = static_cast<std::size_t>(length);
        if (rest_[size] != '\n')
            return false;
        text.assign(rest_.substr(0, size));
        rest_.remove_prefix(size + 1);
        return true;
    }
    bool path(std::filesystem::path& path) {
        std::string native;
        if (!text(native))
            return false;
        path = std::u8string(native.begin(), native.end());
        return true;
    }
    std::string_view rest() const { return rest_; }

private:
    std::string_view rest_;
};

bool readEntry(Reader& in, const std::string& tag, JournalRecord& record) {
    if (tag == "kind") {
        long long kind = 0;
        if (!in.number(kind) || kind < 0 || kind > static_cast<long long>(StepKind::ZeroRows))
            return false;
        record.kind = static_cast<StepKind>(kind);
        return true;
    }
    if (tag == "started")
        return in.text(record.startedAt);
    if (tag == "target") {
        JournalRecord::Target target;
        if (!in.number(target.oldLength) || target.oldLength < -1 || !in.path(target.path))
            return false;
        record.targets.push_back(std::move(target));
        return true;
    }
    if (tag == "remove") {
        std::filesystem::path path;
        if (!in.path(path))
            return false;
        record.end.remove.push_back(std::move(path));
        return true;
    }
    if (tag == "replace") {
        FileContent file;
        if (!in.path(file.path) || !in.text(file.bytes))
            return false;
        record.end.replace.push_back(std::move(file));
        return true;
    }
    if (tag == "move") {
        StepEnd::Move move;
        if (!in.path(move.from) || !in.path(move.to))
            return false;
        record.end.moves.push_back(std::move(move));
        return true;
    }
    return false;
}

// What follows the end line: nothing, the whole mark, or a mark cut short
// by a crash while it was being written (not complete: the step is rolled
// back, its source being still in place). Anything longer is not ours.
std::optional<JournalRecord> readMark(std::string_view rest, JournalRecord& record) {
    if (rest == kJournalCompleteMark)
        record.complete = true;
    else if (rest.size() > kJournalCompleteMark.size())
        return std::nullopt;
    return record;
}

} // namespace

std::string encodeJournal(const JournalRecord& record) {
    std::string out(kMagic);
    out += "\nkind " + std::to_string(static_cast<int>(record.kind)) + "\n";
    out += "started ";
    putText(out, record.startedAt);
    for (const JournalRecord::Target& target : record.targets)
        putPath(out, "target " + std::to_string(target.oldLength), target.path);
    for (const std::filesystem::path& path : record.end.remove)
        putPath(out, "remove", path);
    for (const FileContent& file : record.end.replace) {
        putPath(out, "replace", file.path);
        putText(out, file.bytes);
    }
    for (const StepEnd::Move& move : record.end.moves) {
        putPath(out, "move", move.from);
        putText(out, pathBytes(move.to));
    }
    out += "end\n";
    if (record.complete)
        out += kJournalCompleteMark;
    return out;
}

std::optional<JournalRecord> decodeJournal(std::string_view bytes) {
    Reader in(bytes);
    std::string tag;
    if (!in.word(tag) || !in.word(tag) || bytes.substr(0, kMagic.size() + 1) != "orvik-journal 1\n")
        return std::nullopt;
    JournalRecord record;
    while (in.word(tag)) {
        if (tag == "end")
            return readMark(in.rest(), record);
        if (tag == "complete") // where journals before the in-place mark had it
            record.complete = true;
        else if (!readEntry(in, tag, record))
            return std::nullopt;
    }
    return std::nullopt;
}

} // namespace orvik

#include "support/powercutreplay.h"

#include <algorithm>
#include <cstdlib>
#include <fcntl.h>
#include <optional>
#include <set>
#include <system_error>
#include <utility>

#include "files/fileops.h"
#include "support/files.h"

namespace orvik::test {

namespace {

namespace fs = std::filesystem;

constexpr int kNone = -1; // a name that is not there

struct Inode {
    std::string durable; // as of the last fsync
    std::string current;
};

// One change to a directory's entries: the names it sets (kNone: removes).
struct EntryChange {
    fs::path directory;
    std::vector<std::pair<fs::path, int>> names;
    std::string what;
};

struct OpenFile {
    int inode = kNone;
    std::size_t offset = 0;
    bool append = false;
};

struct Limits {
    std::size_t allChangesUpTo;  // open changes combined in every way up to this many
    std::size_t allContentsUpTo; // content combinations taken whole up to this many
    bool manyCuts;               // cut unflushed writes at several points
};

Limits limitsOf(PowerCutReplay::Depth depth) {
    if (depth == PowerCutReplay::Depth::Sweep)
        return {10, 4096, true};
    return {3, 16, false};
}

std::string nameOf(const fs::path& path) {
    return path.filename().string();
}

// The file system as the calls left it, and as much of it as is on disk.
class Machine {
public:
    explicit Machine(const std::map<fs::path, std::string>& files) {
        for (const auto& [path, bytes] : files) {
            inodes_.push_back({bytes, bytes});
            durable_[path] = current_[path] = static_cast<int>(inodes_.size() - 1);
        }
    }

    void apply(const FileCall& call) {
        switch (call.kind) {
        case FileCall::Kind::Open:
            open(call);
            break;
        case FileCall::Kind::Write:
            write(call.fd, call.bytes);
            break;
        case FileCall::Kind::Fsync:
            if (const auto found = fds_.find(call.fd); found != fds_.end())
                inodes_[found->second.inode].durable = inodes_[found->second.inode].current;
            break;
        case FileCall::Kind::Truncate:
            if (const auto found = fds_.find(call.fd); found != fds_.end())
                inodes_[found->second.inode].current.resize(static_cast<std::size_t>(call.length),
                                                            '\0');
            break;
        case FileCall::Kind::Close:
            fds_.erase(call.fd);
            break;
        case FileCall::Kind::Rename:
            rename(call.path, call.to);
            break;
        case FileCall::Kind::Unlink:
            if (current_.erase(call.path))
                pending_.push_back({call.path.parent_path(),
                                    {{call.path, kNone}},
                                    "removal of " + nameOf(call.path)});
            break;
        case FileCall::Kind::SyncDirectory:
            flushDirectory(call.path);
            break;
        case FileCall::Kind::Mark:
            break;
        }
    }

    // Every state a cut now may leave, to `take` with what it kept.
    template <class Take> void cutStates(const Limits& limits, Take take) const {
        for (const std::vector<bool>& kept : changeChoices(limits)) {
            std::map<fs::path, int> names = durable_;
            std::string description;
            for (std::size_t i = 0; i < pending_.size(); ++i) {
                if (kept[i]) {
                    for (const auto& [name, inode] : pending_[i].names)
                        if (inode == kNone)
                            names.erase(name);
                        else
                            names[name] = inode;
                } else {
                    description += "; without the " + pending_[i].what;
                }
            }
            contentStates(names, limits, description, take);
        }
    }

private:
    void open(const FileCall& call) {
        OpenFile file;
        file.append = (call.flags & O_APPEND) != 0;
        if (const auto found = current_.find(call.path); found != current_.end()) {
            file.inode = found->second;
        } else {
            inodes_.push_back({});
            file.inode = static_cast<int>(inodes_.size() - 1);
            if (call.created) {
                current_[call.path] = file.inode;
                pending_.push_back({call.path.parent_path(),
                                    {{call.path, file.inode}},
                                    "new entry of " + nameOf(call.path)});
            }
        }
        if ((call.flags & O_TRUNC) != 0)
            inodes_[file.inode].current.clear();
        fds_[call.fd] = file;
    }

    void write(int fd, const std::string& bytes) {
        const auto found = fds_.find(fd);
        if (found == fds_.end())
            return;
        OpenFile& file = found->second;
        std::string& content = inodes_[file.inode].current;
        if (file.append)
            file.offset = content.size();
        if (content.size() < file.offset + bytes.size())
            content.resize(file.offset + bytes.size(), '\0');
        content.replace(file.offset, bytes.size(), bytes);
        file.offset += bytes.size();
    }

    void rename(const fs::path& from, const fs::path& to) {
        const auto found = current_.find(from);
        if (found == current_.end())
            return;
        const int inode = found->second;
        current_.erase(found);
        current_[to] = inode;
        const std::string what = "rename of " + nameOf(from) + " to " + nameOf(to);
        if (from.parent_path() == to.parent_path()) {
            pending_.push_back({to.parent_path(), {{from, kNone}, {to, inode}}, what});
        } else {
            pending_.push_back({from.parent_path(), {{from, kNone}}, "old half of the " + what});
            pending_.push_back({to.parent_path(), {{to, inode}}, "new half of the " + what});
        }
    }

    void flushDirectory(const fs::path& directory) {
        std::vector<EntryChange> open;
        for (EntryChange& change : pending_) {
            if (change.directory != directory) {
                open.push_back(std::move(change));
                continue;
            }
            for (const auto& [name, inode] : change.names)
                if (inode == kNone)
                    durable_.erase(name);
                else
                    durable_[name] = inode;
        }
        pending_ = std::move(open);
    }

    // Which of the open changes a cut keeps: every combination, or each
    // change alone and all but each one.
    std::vector<std::vector<bool>> changeChoices(const Limits& limits) const {
        const std::size_t n = pending_.size();
        std::vector<std::vector<bool>> choices;
        if (n <= limits.allChangesUpTo) {
            for (std::size_t mask = 0; mask < (std::size_t{1} << n); ++mask) {
                std::vector<bool> kept(n);
                for (std::size_t i = 0; i < n; ++i)
                    kept[i] = ((mask >> i) & 1) != 0;
                choices.push_back(kept);
            }
            return choices;
        }
        choices.push_back(std::vector<bool>(n, false));
        choices.push_back(std::vector<bool>(n, true));
        for (std::size_t i = 0; i < n; ++i) {
            std::vector<bool> one(n, false);
            one[i] = true;
            choices.push_back(one);
            std::vector<bool> allBut(n, true);
            allBut[i] = false;
            choices.push_back(allBut);
        }
        return choices;
    }

    // What an inode may hold after the cut, with a word for each.
    std::vector<std::pair<std::string, std::string>> variants(const Inode& inode,
                                                              const Limits& limits) const {
        std::vector<std::pair<std::string, std::string>> found{{inode.durable, "as flushed"},
                                                               {inode.current, "as written"}};
        const std::string& durable = inode.durable;
        const std::string& current = inode.current;
        if (current.size() > durable.size() && current.compare(0, durable.size(), durable) == 0) {
            const std::size_t added = current.size() - durable.size();
            std::set<std::size_t> cuts{added / 2};
            if (limits.manyCuts) {
                cuts.insert(1);
                cuts.insert(added - 1);
                for (std::size_t at = durable.size(); at < current.size(); ++at)
                    if (current[at] == '\n')
                        cuts.insert(at - durable.size() + 1);
            }
            for (std::size_t cut : cuts)
                if (cut > 0 && cut < added)
                    found.push_back({current.substr(0, durable.size() + cut),
                                     "cut after " + std::to_string(cut) + " new bytes"});
            found.push_back({durable + std::string(added, '\0'), "new bytes as zeros"});
        }
        return found;
    }

    template <class Take>
    void contentStates(const std::map<fs::path, int>& names, const Limits& limits,
                       const std::string& entries, Take take) const {
        // The inodes still named whose content is not all on disk.
        std::vector<int> open;
        for (const auto& [name, inode] : names)
            if (inodes_[inode].durable != inodes_[inode].current &&
                std::find(open.begin(), open.end(), inode) == open.end())
                open.push_back(inode);
        std::vector<std::vector<std::pair<std::string, std::string>>> each;
        std::size_t product = 1;
        for (int inode : open) {
            each.push_back(variants(inodes_[inode], limits));
            product *= each.back().size();
        }
        auto emit = [&](const std::vector<std::size_t>& chosen) {
            std::map<fs::path, std::string> files;
            std::string description = entries;
            for (const auto& [name, inode] : names) {
                const auto at = std::find(open.begin(), open.end(), inode);
                if (at == open.end()) {
                    files[name] = inodes_[inode].current;
                    continue;
                }
                const auto& variant = each[at - open.begin()][chosen[at - open.begin()]];
                files[name] = variant.first;
                description += "; " + nameOf(name) + " " + variant.second;
            }
            take(std::move(files), description);
        };
        std::vector<std::size_t> chosen(open.size(), 0);
        if (product <= limits.allContentsUpTo) {
            for (std::size_t n = 0; n < product; ++n) {
                std::size_t rest = n;
                for (std::size_t i = 0; i < each.size(); ++i) {
                    chosen[i] = rest % each[i].size();
                    rest /= each[i].size();
                }
                emit(chosen);
            }
            return;
        }
        // Too many together: all flushed, all written, and each file's
        // every variant with the others as written.
        emit(chosen);
        for (std::size_t i = 0; i < each.size(); ++i) {
            std::vector<std::size_t> written(open.size(), 1);
            for (std::size_t v = 0; v < each[i].size(); ++v) {
                written[i] = v;
                emit(written);
            }
        }
    }

    std::vector<Inode> inodes_;
    std::map<fs::path, int> durable_; // the entries as of each directory's last flush
    std::map<fs::path, int> current_;
    std::vector<EntryChange> pending_; // unflushed, in the order made
    std::map<int, OpenFile> fds_;
};

std::string describe(const FileCall& call) {
    switch (call.kind) {
    case FileCall::Kind::Open:
        return "open " + nameOf(call.path);
    case FileCall::Kind::Write:
        return "write of " + std::to_string(call.bytes.size()) + " bytes";
    case FileCall::Kind::Fsync:
        return "fsync";
    case FileCall::Kind::Truncate:
        return "truncate to " + std::to_string(call.length);
    case FileCall::Kind::Close:
        return "close";
    case FileCall::Kind::Rename:
        return "rename " + nameOf(call.path) + " to " + nameOf(call.to);
    case FileCall::Kind::Unlink:
        return "unlink " + nameOf(call.path);
    case FileCall::Kind::SyncDirectory:
        return "flush of directory " + call.path.string();
    case FileCall::Kind::Mark:
        return "mark " + call.bytes;
    }
    return "?";
}

fs::path normalDirectory(const fs::path& directory) {
    fs::path normal = fs::absolute(directory).lexically_normal();
    if (!normal.has_filename() && normal.has_relative_path())
        normal = normal.parent_path();
    return normal;
}

} // namespace

PowerCutReplay::Depth PowerCutReplay::depthFromEnvironment() {
    const char* sweep = std::getenv("ORVIK_POWERCUT_SWEEP");
    return sweep && *sweep && std::string(sweep) != "0" ? Depth::Sweep : Depth::Quick;
}

PowerCutReplay::PowerCutReplay(std::vector<fs::path> directories) {
    for (const fs::path& directory : directories) {
        const fs::path normal = normalDirectory(directory);
        if (std::find(directories_.begin(), directories_.end(), normal) == directories_.end())
            directories_.push_back(normal);
    }
    for (const fs::path& directory : directories_)
        for (const fs::directory_entry& entry : fs::directory_iterator(directory))
            if (entry.is_regular_file())
                initial_[entry.path().lexically_normal()] = readFile(entry.path());
}

std::vector<PowerCutState> PowerCutReplay::states(const std::vector<FileCall>& calls,
                                                  Depth depth) const {
    const Limits limits = limitsOf(depth);
    Machine machine(initial_);
    std::vector<PowerCutState> states;
    std::set<std::pair<std::map<fs::path, std::string>, std::vector<std::string>>> seen;
    std::vector<std::string> marks;
    auto takeAll = [&](std::size_t afterCalls, const std::string& where) {
        machine.cutStates(limits,
                          [&](std::map<fs::path, std::string> files, const std::string& kept) {
                              for (auto it = files.begin(); it != files.end();)
                                  it = std::find(directories_.begin(), directories_.end(),
                                                 it->first.parent_path()) == directories_.end()
                                           ? files.erase(it)
                                           : std::next(it);
                              if (!seen.insert({files, marks}).second)
                                  return;
                              states.push_back({afterCalls, std::move(files), marks, where + kept});
                          });
    };
    takeAll(0, "before the first call");
    for (std::size_t i = 0; i < calls.size(); ++i) {
        machine.apply(calls[i]);
        if (calls[i].kind == FileCall::Kind::Mark)
            marks.push_back(calls[i].bytes);
        takeAll(i + 1, "after call " + std::to_string(i + 1) + " (" + describe(calls[i]) + ")");
    }
    return states;
}

void PowerCutReplay::materialise(const PowerCutState& state) const {
    for (const fs::path& directory : directories_) {
        std::vector<fs::path> files;
        for (const fs::directory_entry& entry : fs::directory_iterator(directory))
            if (entry.is_regular_file())
                files.push_back(entry.path());
        for (const fs::path& file : files)
            fs::remove(file);
    }
    for (const auto& [path, bytes] : state.files)
        writeFile(path, bytes);
}

PowerCutReport checkEveryState(const PowerCutReplay& replay, const std::vector<FileCall>& calls,
                               PowerCutReplay::Depth depth,
                               const std::function<std::string(const PowerCutState&)>& check) {
    constexpr std::size_t kFailuresTold = 5;
    PowerCutReport report;
    NoFlushFileOps noFlush;
    for (const PowerCutState& state : replay.states(calls, depth)) {
        replay.materialise(state);
        ++report.states;
        std::string why;
        {
            ScopedFileOps fast(noFlush);
            why = check(state);
        }
        if (why.empty())
            continue;
        if (++report.failed <= kFailuresTold)
            report.failures.push_back(state.description + ": " + why);
    }
    return report;
}

std::string leftBehindIn(const fs::path& directory) {
    std::string left;
    for (const std::string& name : namesIn(directory))
        if (name.ends_with(".jnl") || name.find(".tmp-") != std::string::npos)
            left += " " + name;
    return left;
}

} // namespace orvik::test

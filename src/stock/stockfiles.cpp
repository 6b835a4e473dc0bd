#include "stock/stockfiles.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "files/fileops.h"

namespace orvik {

namespace {

// Reads as much of [offset, offset + size) as the file holds; the rest of
// the buffer is left as it was. False only on a read error.
bool preadUpTo(int fd, char* buffer, std::size_t size, std::int64_t offset) {
    std::size_t done = 0;
    while (done < size) {
        const long got = fileOps().readAt(fd, buffer + done, size - done,
                                          offset + static_cast<std::int64_t>(done));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (got == 0)
            break; // end of file: the caller's zero padding stays
        done += static_cast<std::size_t>(got);
    }
    return true;
}

} // namespace

std::int64_t recordCountFor(std::uint64_t fileLength, std::size_t recordLength) {
    if (recordLength == 0)
        return 0;
    std::uint64_t whole = fileLength / recordLength;
    std::uint64_t twiceRest = 2 * (fileLength % recordLength);
    if (twiceRest > recordLength || (twiceRest == recordLength && whole % 2 == 1))
        ++whole;
    return static_cast<std::int64_t>(whole);
}

RecordFile::RecordFile(RecordFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), length_(std::exchange(other.length_, 0)),
      count_(std::exchange(other.count_, 0)) {}

RecordFile& RecordFile::operator=(RecordFile&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0)
            fileOps().close(fd_);
        fd_ = std::exchange(other.fd_, -1);
        length_ = std::exchange(other.length_, 0);
        count_ = std::exchange(other.count_, 0);
    }
    return *this;
}

RecordFile::~RecordFile() {
    if (fd_ >= 0)
        fileOps().close(fd_);
}

RecordFile RecordFile::open(const std::filesystem::path& path, std::size_t recordLength,
                            FileError& error) {
    error = {};
    RecordFile file;
    // No lock, and shared for writing (and on Windows for removing): the
    // cash-register system may write the file while we read it.
    int fd = fileOps().open(path.c_str(), O_RDONLY | O_CLOEXEC, 0);
    if (fd < 0) {
        error = lastFileError();
        return file;
    }
    systemfile::Status info;
    if (fileOps().status(fd, info) != 0) {
        error = lastFileError();
        fileOps().close(fd);
        return file;
    }
    if (!info.regular) {
        // A directory opens fine for reading but has no records.
        error = FileError::fromErrno(info.directory ? EISDIR : EINVAL);
        fileOps().close(fd);
        return file;
    }
    file.fd_ = fd;
    file.length_ = recordLength;
    file.count_ = recordCountFor(static_cast<std::uint64_t>(info.size), recordLength);
    return file;
}

bool RecordFile::read(std::int64_t n, std::string& record) const {
    if (fd_ < 0 || n < 1 || n > count_)
        return false;
    record.assign(length_, '\0');
    const std::int64_t offset = (n - 1) * static_cast<std::int64_t>(length_);
    return preadUpTo(fd_, record.data(), length_, offset);
}

bool RecordFile::readAll(std::string& records) const {
    if (fd_ < 0)
        return false;
    records.assign(static_cast<std::size_t>(count_) * length_, '\0');
    return preadUpTo(fd_, records.data(), records.size(), 0);
}

bool RecordFile::readRange(std::int64_t first, std::int64_t count, std::string& records) const {
    records.clear();
    if (fd_ < 0 || first < 1 || count < 0)
        return false;
    const std::int64_t last = std::min(count_, first + count - 1);
    if (last < first)
        return true;
    records.assign(static_cast<std::size_t>(last - first + 1) * length_, '\0');
    const std::int64_t offset = (first - 1) * static_cast<std::int64_t>(length_);
    return preadUpTo(fd_, records.data(), records.size(), offset);
}

namespace {

// Field access that never reads past the record: missing bytes count as zero.
class FieldReader {
public:
    FieldReader(std::string_view record, std::size_t recordLength) : bytes_(record) {
        if (bytes_.size() < recordLength) {
            padded_.assign(record);
            padded_.resize(recordLength, '\0');
            bytes_ = padded_;
        }
    }

    std::string text(std::size_t offset, std::size_t width) const {
        return std::string(bytes_.substr(offset, width));
    }
    char byte(std::size_t offset) const { return bytes_[offset]; }

    std::int32_t int32(std::size_t offset) const {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(little(offset, 4)));
    }
    std::int64_t int64(std::size_t offset) const {
        return static_cast<std::int64_t>(little(offset, 8));
    }
    double float64(std::size_t offset) const {
        std::uint64_t bits = little(offset, 8);
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

private:
    std::uint64_t little(std::size_t offset, std::size_t width) const {
        std::uint64_t value = 0;
        for (std::size_t i = width; i-- > 0;)
            value = (value << 8) | static_cast<unsigned char>(bytes_[offset + i]);
        return value;
    }

    std::string_view bytes_;
    std::string padded_;
};

} // namespace

ProductRecord decodeProduct(std::string_view record) {
    FieldReader f(record, kProductRecordLength);
    ProductRecord p;
    p.code = f.text(0, 13);
    p.name = f.text(13, 25);
    p.group = f.int32(41);
    p.productClass = f.int32(45);
    p.salesPrice.scaled = f.int64(53);
    p.stock.scaled = f.int64(63);
    p.purchasePrice.scaled = f.int64(71);
    p.marker = f.byte(79);
    p.supplier = f.int32(80);
    p.lastCount = f.float64(84);
    p.newestEvent = f.int32(113);
    return p;
}

EventRecord decodeEvent(std::string_view record) {
    FieldReader f(record, kEventRecordLength);
    EventRecord e;
    e.kind = f.byte(0);
    e.date = f.float64(10);
    e.olderEvent = f.int32(84);
    return e;
}

NameRecord decodeName(std::string_view record) {
    FieldReader f(record, kNameRecordLength);
    NameRecord n;
    n.kind = f.byte(4);
    n.name = f.text(5, 25);
    n.flag = f.byte(30);
    return n;
}

IndexRecord decodeIndex(std::string_view record) {
    FieldReader f(record, kIndexRecordLength);
    IndexRecord i;
    i.code = f.text(0, 13);
    i.productRecord = f.int32(13);
    return i;
}

} // namespace orvik

#include "standinreader.h"

#include <system_error>

#include "files/dirvalue.h"
#include "readermemory.h"
#include "resultcodes.h"
#include "safefile.h"

namespace standin {

namespace {

constexpr int32_t kFirstPort = 1;
constexpr int32_t kLastPort = 4;
constexpr uint8_t kReaderDrive = 'A';
// Save mode 2 keeps a file the PC already holds under the fetched name.
constexpr int32_t kKeepExistingMode = 2;

bool fileExists(const std::filesystem::path& file) {
    std::error_code error;
    return std::filesystem::exists(file, error);
}

} // namespace

StandInReader& theReader() {
    static StandInReader reader;
    return reader;
}

bool StandInReader::openPort(int32_t port) {
    transfer_.reset();
    openPort_ = (port >= kFirstPort && port <= kLastPort) ? port : 0;
    return openPort_ != 0;
}

int32_t StandInReader::closePort(int32_t port) {
    if (openPort_ == 0 || port != openPort_)
        return kPortNotOpen;
    // Closing the port breaks off a transfer that hasn't finished.
    transfer_.reset();
    openPort_ = 0;
    return kOk;
}

int32_t StandInReader::setSaveMode(int32_t mode) {
    saveMode_ = mode;
    return kOk;
}

int32_t StandInReader::refusal(int32_t port, uint8_t selector, const std::string& name,
                               const std::string& name2) const {
    if (openPort_ == 0 || port != openPort_)
        return kPortNotOpen;
    if (selector != kReaderDrive || !isPlainFileName(name) || !isPlainFileName(name2))
        return kBadArgument;
    if (!readerDirectory())
        return kNoReader;
    return kOk;
}

int32_t StandInReader::startUpload(int32_t port, uint8_t selector, const std::string& readerName,
                                   const std::string& pcName) {
    transfer_.reset();
    if (int32_t code = refusal(port, selector, readerName, pcName))
        return code;
    const std::filesystem::path source = *readerDirectory() / orvik::fsPath(readerName);
    const std::filesystem::path destination = orvik::fsPath(pcName);
    if (!fileExists(source))
        return kNoSuchFile;
    const bool replace = saveMode_ != kKeepExistingMode;
    if (!replace && fileExists(destination))
        return kPcFileExists;
    std::string content;
    if (!readWholeFile(source, content) || content.size() > INT32_MAX)
        return kIoFailure;
    transfer_.emplace(FileTransfer::Direction::Upload, std::move(content), destination, replace);
    lastNameLength_ = static_cast<int32_t>(pcName.size());
    return kOk;
}

int32_t StandInReader::startDownload(int32_t port, uint8_t selector, const std::string& pcName,
                                     const std::string& readerName) {
    transfer_.reset();
    if (int32_t code = refusal(port, selector, pcName, readerName))
        return code;
    const std::filesystem::path source = orvik::fsPath(pcName);
    if (!fileExists(source))
        return kNoFileToSend;
    std::string content;
    if (!readWholeFile(source, content) || content.size() > INT32_MAX)
        return kIoFailure;
    // A program sent again replaces the one on the reader.
    transfer_.emplace(FileTransfer::Direction::Download, std::move(content),
                      *readerDirectory() / orvik::fsPath(readerName), true);
    lastNameLength_ = static_cast<int32_t>(readerName.size());
    return kOk;
}

int32_t StandInReader::step(FileTransfer::Direction direction, int32_t& bytes) {
    if (!transfer_ || transfer_->direction() != direction)
        return kNoTransfer;
    const int32_t result = transfer_->step(bytes);
    if (result != kRunning)
        transfer_.reset();
    return result;
}

int32_t StandInReader::deleteFile(int32_t port, uint8_t selector, const std::string& readerName) {
    if (int32_t code = refusal(port, selector, readerName, readerName))
        return code;
    const std::filesystem::path file = *readerDirectory() / orvik::fsPath(readerName);
    if (!fileExists(file))
        return kNoSuchFile;
    std::error_code error;
    return std::filesystem::remove(file, error) ? kOk : kIoFailure;
}

} // namespace standin

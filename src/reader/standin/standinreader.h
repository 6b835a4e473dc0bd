#pragma once
// The reader as the stand-in library plays it: the open port, the save mode
// and the transfer under way. The exported entries are thin shims over this.
#include <cstdint>
#include <optional>
#include <string>

#include "filetransfer.h"

namespace standin {

class StandInReader {
public:
    bool openPort(int32_t port);
    int32_t closePort(int32_t port);
    int32_t setSaveMode(int32_t mode);
    int32_t startUpload(int32_t port, uint8_t selector, const std::string& readerName,
                        const std::string& pcName);
    int32_t lastNameLength() const { return lastNameLength_; }
    int32_t startDownload(int32_t port, uint8_t selector, const std::string& pcName,
                          const std::string& readerName);
    int32_t step(FileTransfer::Direction direction, int32_t& bytes);
    int32_t deleteFile(int32_t port, uint8_t selector, const std::string& readerName);
    // Breaks off the transfer under way, if any.
    void abortTransfer() { transfer_.reset(); }

private:
    // 0 when a transfer may use `port` and these names, else the code why not.
    int32_t refusal(int32_t port, uint8_t selector, const std::string& name,
                    const std::string& name2) const;

    int32_t openPort_ = 0; // 0: none open
    int32_t saveMode_ = 2;
    int32_t lastNameLength_ = 0;
    std::optional<FileTransfer> transfer_;
};

// The one reader of the process.
StandInReader& theReader();

} // namespace standin

#include "filetransfer.h"

#include <algorithm>

#include "resultcodes.h"
#include "safefile.h"

namespace standin {

FileTransfer::FileTransfer(Direction direction, std::string content,
                           std::filesystem::path destination, bool replace)
    : direction_(direction), content_(std::move(content)), destination_(std::move(destination)),
      replace_(replace) {}

int32_t FileTransfer::step(int32_t& bytes) {
    moved_ = std::min(moved_ + kStepBytes, content_.size());
    bytes = static_cast<int32_t>(moved_);
    if (moved_ < content_.size())
        return kRunning;
    return writeFileSafely(destination_, content_, replace_) ? kOk : kIoFailure;
}

} // namespace standin

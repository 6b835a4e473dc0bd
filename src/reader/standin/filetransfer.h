#pragma once
// One file on its way between the PC and the reader, a few hundred bytes a
// step. The destination is written only when the last byte has moved.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

namespace standin {

inline constexpr std::size_t kStepBytes = 512;

class FileTransfer {
public:
    enum class Direction { Upload, Download };

    FileTransfer(Direction direction, std::string content, std::filesystem::path destination,
                 bool replace);

    Direction direction() const { return direction_; }

    // Moves the next step and leaves the running total in `bytes`; answers
    // kRunning while bytes remain, then kOk once the destination is written
    // (or kIoFailure when it can't be).
    int32_t step(int32_t& bytes);

private:
    Direction direction_;
    std::string content_;
    std::filesystem::path destination_;
    bool replace_;
    std::size_t moved_ = 0;
};

} // namespace standin

#pragma once
// The product index read once for a pass over many codes: each look-up is
// then the same halving search without a read from the file per step.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace orvik {

class ProductIndexSnapshot {
public:
    // Reads the whole index in `datat`. False when it cannot be read, or is
    // too large to hold, and then search() finds nothing.
    bool load(const std::string& datat);

    // The stored record number for the code, found as haetuote's first search
    // would find it in the file as it was read; nothing on a miss.
    std::optional<std::int32_t> search(std::string_view code) const;

private:
    std::string records_;
    std::int64_t count_ = 0;
};

} // namespace orvik

#pragma once
// The reader communication library: the nine entries the program calls, with
// the argument kinds it passes. Texts are handed over as writable copies and
// copied back into the caller's variable.
#include <cstdint>
#include <string>

namespace orvik {

class ReaderLibrary {
public:
    virtual ~ReaderLibrary() = default;
    virtual bool HM_OpenCommPort(int32_t port, int32_t bitRate, int32_t dataBits, int32_t parity,
                                 int32_t stopBits) = 0;
    virtual int32_t HM_CloseCommPort(int32_t port) = 0;
    virtual int32_t HM_set_upload_file_save_mode(int32_t mode) = 0;
    virtual int32_t HM_upload1(int32_t port, uint8_t selector, std::string& name,
                               std::string& name2) = 0;
    virtual int32_t HM_get_return_string_length(int32_t which) = 0;
    virtual int32_t HM_upload2(int32_t& bytes, int32_t& other) = 0;
    virtual int32_t HM_download1(int32_t port, uint8_t selector, std::string& name,
                                 std::string& name2, int32_t& zero) = 0;
    virtual int32_t HM_download2(int32_t& bytes, int32_t& other) = 0;
    virtual int32_t HM_delete(int32_t port, uint8_t selector, std::string& name) = 0;

    // Not an entry: why the entries answer that the library is missing, for
    // the user (code-page bytes): the library that was not found and where
    // it was looked for, or the entry it lacks. Empty while nothing is
    // missing.
    virtual std::string missingText() const { return {}; }
};

} // namespace orvik

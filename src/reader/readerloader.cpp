// Placeholder until the reader link lands: a reader that accepts opening and
// closing a port and does nothing.
#include "reader/readerloader.h"

namespace orvik {
namespace {

class IdleReader : public ReaderLibrary {
public:
    bool HM_OpenCommPort(int32_t, int32_t, int32_t, int32_t, int32_t) override { return true; }
    int32_t HM_CloseCommPort(int32_t) override { return 0; }
    int32_t HM_set_upload_file_save_mode(int32_t) override { return 0; }
    int32_t HM_upload1(int32_t, uint8_t, std::string&, std::string&) override { return 48; }
    int32_t HM_get_return_string_length(int32_t) override { return 0; }
    int32_t HM_upload2(int32_t&, int32_t&) override { return 48; }
    int32_t HM_download1(int32_t, uint8_t, std::string&, std::string&, int32_t&) override {
        return 48;
    }
    int32_t HM_download2(int32_t&, int32_t&) override { return 48; }
    int32_t HM_delete(int32_t, uint8_t, std::string&) override { return 48; }
};

} // namespace

std::unique_ptr<ReaderLibrary> makeReaderLibrary() { return std::make_unique<IdleReader>(); }

} // namespace orvik

// The stand-in reader library: the entries the program calls, exported with
// C linkage. Each one first looks for an injected failure, then hands over
// to the one StandInReader.
#include <cstdint>
#include <string>

#include "faults.h"
#include "reader/readerabi.h"
#include "standinreader.h"

#if defined(_WIN32)
#define STANDIN_EXPORT extern "C" __declspec(dllexport)
#else
#define STANDIN_EXPORT extern "C" __attribute__((visibility("default")))
#endif

using standin::FileTransfer;
using standin::takeFault;
using standin::theReader;

namespace {

std::string text(const char* bytes) {
    return bytes ? std::string(bytes) : std::string();
}

// A step that fails breaks off its transfer, as a lost line would.
int32_t transferStep(const char* entry, FileTransfer::Direction direction, int32_t* bytes,
                     int32_t* other) {
    if (auto fault = takeFault(entry)) {
        theReader().abortTransfer();
        return *fault;
    }
    int32_t moved = bytes ? *bytes : 0;
    const int32_t result = theReader().step(direction, moved);
    if (bytes)
        *bytes = moved;
    if (other)
        *other = 0;
    return result;
}

} // namespace

STANDIN_EXPORT uint8_t ORVIK_READER_CALL HM_OpenCommPort(int32_t port, int32_t, int32_t, int32_t,
                                                         int32_t) {
    if (takeFault("HM_OpenCommPort"))
        return 0;
    return theReader().openPort(port) ? 1 : 0;
}

STANDIN_EXPORT int32_t ORVIK_READER_CALL HM_CloseCommPort(int32_t port) {
    if (auto fault = takeFault("HM_CloseCommPort"))
        return *fault;
    return theReader().closePort(port);
}

STANDIN_EXPORT int32_t ORVIK_READER_CALL HM_set_upload_file_save_mode(int32_t mode) {
    if (auto fault = takeFault("HM_set_upload_file_save_mode"))
        return *fault;
    return theReader().setSaveMode(mode);
}

STANDIN_EXPORT int32_t ORVIK_READER_CALL HM_upload1(int32_t port, uint8_t selector, char* name,
                                                    char* name2) {
    if (auto fault = takeFault("HM_upload1"))
        return *fault;
    return theReader().startUpload(port, selector, text(name), text(name2));
}

STANDIN_EXPORT int32_t ORVIK_READER_CALL HM_get_return_string_length(int32_t) {
    if (auto fault = takeFault("HM_get_return_string_length"))
        return *fault;
    return theReader().lastNameLength();
}

STANDIN_EXPORT int32_t ORVIK_READER_CALL HM_upload2(int32_t* bytes, int32_t* other) {
    return transferStep("HM_upload2", FileTransfer::Direction::Upload, bytes, other);
}

STANDIN_EXPORT int32_t ORVIK_READER_CALL HM_download1(int32_t port, uint8_t selector, char* name,
                                                      char* name2, int32_t*) {
    if (auto fault = takeFault("HM_download1"))
        return *fault;
    return theReader().startDownload(port, selector, text(name), text(name2));
}

STANDIN_EXPORT int32_t ORVIK_READER_CALL HM_download2(int32_t* bytes, int32_t* other) {
    return transferStep("HM_download2", FileTransfer::Direction::Download, bytes, other);
}

STANDIN_EXPORT int32_t ORVIK_READER_CALL HM_delete(int32_t port, uint8_t selector, char* name) {
    if (auto fault = takeFault("HM_delete"))
        return *fault;
    return theReader().deleteFile(port, selector, text(name));
}

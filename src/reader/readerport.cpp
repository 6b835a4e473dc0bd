#include "reader/readerport.h"

#include "reader/readerlink.h"

namespace orvik {

void openPort(ReaderLibrary& reader, int32_t port) {
    reader.HM_OpenCommPort(port, kBitRate, kDataBits, kParity, kStopBits);
}

void closePort(ReaderLibrary& reader, int32_t port) {
    reader.HM_CloseCommPort(port);
}

void kokeileportti(ReaderLibrary& reader, int32_t port) {
    openPort(reader, port);
    closePort(reader, port);
}

} // namespace orvik

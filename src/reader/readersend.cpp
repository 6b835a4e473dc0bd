// Sending the counting program to the reader.
#include "reader/readersend.h"
#include "reader/readerport.h"
#include "reader/readertransfer.h"

namespace orvik {

namespace {

int32_t sendProgram(const ReaderLink& link) {
    std::string name = kReaderProgramFile;
    std::string name2 = kReaderProgramFile;
    int32_t zero = 0;
    int32_t result = link.reader.HM_download1(link.port, kSelector, name, name2, zero);
    if (result != kReaderOk)
        return result;
    return runTransfer(link.view, link.platform.clock, [&link](int32_t& bytes, int32_t& other) {
        return link.reader.HM_download2(bytes, other);
    });
}

} // namespace

int32_t vieohjelma(const ReaderLink& link) {
    link.view.lockForTransfer();
    openPort(link.reader, link.port);
    const int32_t tulos = sendProgram(link);
    closePort(link.reader, link.port);
    link.view.hideMainWindow();
    // 48 means nothing special here: any non-zero code is a failed send.
    if (tulos == kReaderOk)
        link.platform.messages.notice(" Ohjelma on siirretty lukijaan. ");
    else
        reportTransferFailure(link.platform.messages, tulos, link.reader);
    link.platform.programEnd.endNow();
    return tulos;
}

} // namespace orvik

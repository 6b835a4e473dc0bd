// Sending the counting program to the reader.
#include "reader/readerlink.h"
#include "reader/readerport.h"
#include "reader/readertransfer.h"

namespace orvik {

namespace {

int32_t sendProgram(ReaderLink& link) {
    std::string name = kReaderProgramFile;
    std::string name2 = kReaderProgramFile;
    int32_t zero = 0;
    int32_t result = link.reader.HM_download1(link.porttinro, kSelector, name, name2, zero);
    if (result != kReaderOk)
        return result;
    return runTransfer(link.view, [&link](int32_t& bytes, int32_t& other) {
        return link.reader.HM_download2(bytes, other);
    });
}

} // namespace

void vieohjelma(ReaderLink& link) {
    link.view.lockForTransfer();
    openPort(link.reader, link.porttinro);
    link.tulos = sendProgram(link);
    closePort(link.reader, link.porttinro);
    link.view.hideMainWindow();
    // 48 means nothing special here: any non-zero code is a failed send.
    if (link.tulos == kReaderOk)
        link.platform.messages.notice(" Ohjelma on siirretty lukijaan. ");
    else
        reportTransferFailure(link.platform.messages, link.tulos);
    link.platform.programEnd.endNow();
}

} // namespace orvik

// Clearing the reader: deleting its data file.
#include "common/codepage.h"
#include "reader/readerlink.h"
#include "reader/readerport.h"
#include "reader/readertransfer.h"

namespace orvik {

using namespace orvik::literals;

void tyhjenna(ReaderLink& link) {
    openPort(link.reader, link.porttinro);
    std::string name = kReaderDataFile;
    link.tulos = link.reader.HM_delete(link.porttinro, kSelector, name);
    closePort(link.reader, link.porttinro);
}

void reportClearing(MessageBoxes& messages, int32_t tulos) {
    // A reader without a data file is as empty as a cleared one.
    if (tulos == kReaderOk || tulos == kReaderNoSuchFile)
        messages.notice(" Lukijan data on tyhjennetty. ");
    else
        messages.show(" Lukijan tyhjennys epäonnistui. "_cp, readerErrorTitle(tulos),
                      MsgIcon::Exclamation, MsgButtons::Ok);
}

void clearReaderAndReport(ReaderLink& link) {
    tyhjenna(link);
    link.view.hideMainWindow();
    reportClearing(link.platform.messages, link.tulos);
    link.view.showMainWindow();
}

} // namespace orvik

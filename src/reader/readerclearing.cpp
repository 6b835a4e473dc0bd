// Clearing the reader: deleting its data file.
#include "reader/readerclearing.h"
#include "reader/readerport.h"
#include "reader/readertransfer.h"
#include "text/codepage.h"

namespace orvik {

using namespace orvik::literals;

int32_t tyhjenna(const ReaderLink& link) {
    openPort(link.reader, link.port);
    std::string name = kReaderDataFile;
    const int32_t tulos = link.reader.HM_delete(link.port, kSelector, name);
    closePort(link.reader, link.port);
    return tulos;
}

void reportClearing(MessageBoxes& messages, int32_t tulos, const ReaderLibrary& reader) {
    // A reader without a data file is as empty as a cleared one.
    if (tulos == kReaderOk || tulos == kReaderNoSuchFile)
        messages.notice(" Lukijan data on tyhjennetty. ");
    else
        messages.show(readerFailureText(" Lukijan tyhjennys epäonnistui. "_cp, tulos, reader),
                      readerErrorTitle(tulos), MsgIcon::Exclamation, MsgButtons::Ok);
}

int32_t clearReaderAndReport(const ReaderLink& link) {
    const int32_t tulos = tyhjenna(link);
    link.view.hideMainWindow();
    reportClearing(link.platform.messages, tulos, link.reader);
    link.view.showMainWindow();
    return tulos;
}

} // namespace orvik

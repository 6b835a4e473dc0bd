#include "reader/readertransfer.h"

#include "common/codepage.h"
#include "reader/readerlink.h"

namespace orvik {

using namespace orvik::literals;

int32_t runTransfer(ReaderView& view, const TransferStep& step) {
    int32_t bytes = 0;
    int32_t other = 0;
    int32_t result = kReaderRunning;
    while (result == kReaderRunning) {
        result = step(bytes, other);
        view.setProgressCaption(progressCaption(bytes));
    }
    return result;
}

std::string progressCaption(int32_t bytes) {
    return " Siirretty " + std::to_string(bytes) + " tavua ";
}

std::string readerErrorTitle(int32_t code) {
    return " Virhe nro " + std::to_string(code);
}

void reportTransferFailure(MessageBoxes& messages, int32_t code) {
    messages.show(" Siirto epäonnistui. "_cp, readerErrorTitle(code), MsgIcon::Exclamation,
                  MsgButtons::Ok);
}

} // namespace orvik

#include "reader/readertransfer.h"

#include "common/codepage.h"
#include "reader/readerlink.h"

namespace orvik {

using namespace orvik::literals;

int32_t runTransfer(ReaderView& view, Clock& clock, const TransferStep& step) {
    int32_t bytes = 0;
    int32_t other = 0;
    int32_t result = kReaderRunning;
    int32_t highest = 0;
    std::chrono::nanoseconds lastGrowth = clock.elapsed();
    while (result == kReaderRunning) {
        result = step(bytes, other);
        view.setProgressCaption(progressCaption(bytes));
        const std::chrono::nanoseconds now = clock.elapsed();
        if (bytes > highest) {
            highest = bytes;
            lastGrowth = now;
        } else if (result == kReaderRunning && now - lastGrowth >= kTransferStallLimit) {
            return kReaderTransferStalled;
        }
    }
    return result;
}

std::string progressCaption(int32_t bytes) {
    return " Siirretty " + std::to_string(bytes) + " tavua ";
}

std::string readerErrorTitle(int32_t code) {
    return std::string(kErrorTitle) + " nro " + std::to_string(code);
}

void reportTransferFailure(MessageBoxes& messages, int32_t code) {
    const std::string text = code == kReaderTransferStalled
                                 ? " Siirto ei edennyt, joten se keskeytettiin. "_cp
                                 : " Siirto epäonnistui. "_cp;
    messages.show(text, readerErrorTitle(code), MsgIcon::Exclamation, MsgButtons::Ok);
}

} // namespace orvik

#include "reader/readertransfer.h"

#include "reader/readerlink.h"
#include "reader/readerloader.h"
#include "text/codepage.h"

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

std::string readerFailureText(std::string text, int32_t code, const ReaderLibrary& reader) {
    const std::string why = code == kReaderLibraryMissing ? reader.missingText() : "";
    // Both texts stand between blanks; one blank between them is enough.
    if (!why.empty())
        text += text.ends_with(' ') && why.starts_with(' ') ? why.substr(1) : why;
    return text;
}

void reportTransferFailure(MessageBoxes& messages, int32_t code, const ReaderLibrary& reader) {
    const std::string text = code == kReaderTransferStalled
                                 ? " Siirto ei edennyt, joten se keskeytettiin. "_cp
                                 : " Siirto epäonnistui. "_cp;
    messages.show(readerFailureText(text, code, reader), readerErrorTitle(code),
                  MsgIcon::Exclamation, MsgButtons::Ok);
}

} // namespace orvik

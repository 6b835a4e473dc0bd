#include "zeroinv/nollainventointi.h"

#include "common/codepage.h"
#include "common/safewrite.h"
#include "zeroinv/zerorows.h"

namespace orvik {

using namespace orvik::literals;

namespace {

void reportWriteFailure(const std::string& path, const FileError& error, MessageBoxes& messages) {
    messages.show(" Tiedostoon " + path + " ei voi kirjoittaa: " + error.message() + " ",
                  " Ilmoitus", MsgIcon::Exclamation, MsgButtons::Ok);
}

} // namespace

bool nollainventointi(const Directories& directories, const std::vector<std::int32_t>& groups,
                      double cutOff, MessageBoxes& messages) {
    const ZeroRowsResult zero = collectZeroRows(directories.datat, groups, cutOff);
    if (zero.failure) {
        messages.show(stockFailureText(*zero.failure), " Ilmoitus", MsgIcon::Exclamation,
                      MsgButtons::Ok);
        return false;
    }
    // One append of all rows, even none, so the file exists for the review.
    const std::string path = inDir(directories.datPolku, kZeroRowFileName);
    const FileError error = appendAllOrNothing({{fsPath(path), zero.rows}});
    if (error.failed()) {
        reportWriteFailure(path, error, messages);
        return false;
    }
    messages.notice(" Nollainventointirivit on lisätty. "_cp);
    return true;
}

} // namespace orvik

// Fetching the count from the reader and taking it into the work file.
#include "reader/readerfetch.h"
#include "files/filefailure.h"
#include "files/safewrite.h"
#include "journal/stepnotices.h"
#include "reader/readerclearing.h"
#include "reader/readerport.h"
#include "reader/readertransfer.h"
#include "text/codepage.h"
#include "workfile/importer.h"

namespace orvik {

using namespace orvik::literals;

namespace {

// Steps 2 to 6: the transfer between opening and closing the port.
int32_t fetchFromReader(const ReaderLink& link) {
    openPort(link.reader, link.port);
    link.reader.HM_set_upload_file_save_mode(kUploadSaveMode);
    std::string name2 = kReaderDataFile;
    int32_t result = aloitanouto(link.reader, link.port, kSelector, kReaderDataFile, name2);
    if (result == kReaderOk)
        result =
            runTransfer(link.view, link.platform.clock, [&link](int32_t& bytes, int32_t& other) {
                return link.reader.HM_upload2(bytes, other);
            });
    closePort(link.reader, link.port);
    return result;
}

// The fetched lines go to the work file and the log all at once or not at
// all, and the fetched copy goes with the same journalled step. On failure
// the copy stays on the PC and the count stays on the reader. A copy that
// could not be removed is never taken again; the user is told where it is.
bool importFetchedFile(const ReaderLink& link, std::string& warning) {
    // The library leaves the file unflushed; after a power cut it waits for
    // the next import, which must not find it torn or filled with zeros.
    ImportResult imported;
    imported.error = flushFile(fetchedFilePath());
    if (!imported.error.failed())
        imported = tuodata(fetchedFilePath(), link.datPolku, link.platform.clock,
                           StepEnd{{std::filesystem::absolute(fetchedFilePath())}, {}, {}});
    if (imported.error.failed()) {
        std::string text = imported.blockedBy.empty()
                               ? fileFailureText(imported.error)
                               : unsettledStepText(imported.blockedBy.front());
        // The user set that directory and can mend it; the file that failed
        // in it follows for the support person.
        if (const std::string missing = workDirMissingText(link.datPolku); !missing.empty())
            text = missing + text.substr(text.starts_with(' ') ? 1 : 0);
        link.platform.messages.show(text + "Tietoja ei tuotu. "_cp, kDefaultMessageTitle,
                                    MsgIcon::None, MsgButtons::Ok);
        return false;
    }
    if (imported.endError.failed())
        warning = takenSourceLeftText(imported.endError);
    return true;
}

// The count is in the work file; a reader that still holds it would give
// it again at the next fetch.
void tellUncleared(const ReaderLink& link, int32_t tulos) {
    link.platform.messages.show(
        readerFailureText(" Lukijaa ei voitu tyhjentää. Tyhjennä lukija ennen seuraavaa noutoa, "
                          "ettei samoja tietoja tuoda kahdesti. "_cp,
                          tulos, link.reader),
        readerErrorTitle(tulos), MsgIcon::Exclamation, MsgButtons::Ok);
}

} // namespace

std::filesystem::path fetchedFilePath() {
    return std::filesystem::path(kReaderDataFile);
}

int32_t aloitanouto(ReaderLibrary& reader, int32_t port, uint8_t selector, std::string name,
                    std::string& name2) {
    const int32_t started = reader.HM_upload1(port, selector, name, name2);
    reader.HM_get_return_string_length(0);
    return started;
}

FetchOutcome noudatiedot(const ReaderLink& link) {
    link.view.lockForTransfer();
    FetchOutcome outcome;
    outcome.tulos = fetchFromReader(link);
    link.view.hideMainWindow();
    if (outcome.tulos == kReaderNoSuchFile) {
        link.platform.messages.notice(" Lukijassa ei ole tapahtumia. ");
        link.platform.programEnd.endNow();
        return outcome;
    }
    if (outcome.tulos != kReaderOk) {
        reportTransferFailure(link.platform.messages, outcome.tulos, link.reader);
        link.platform.programEnd.endNow();
        return outcome;
    }
    std::string warning;
    if (!importFetchedFile(link, warning)) {
        // The window's buttons are gone by now, so there is nothing to go
        // back to: end as the other failures do.
        link.platform.programEnd.endNow();
        return outcome;
    }
    outcome.imported = true;
    outcome.tulos = tyhjenna(link);
    link.platform.messages.notice(" Tiedot on noudettu lukijasta ", kFetchNoticeTitle);
    if (!warning.empty())
        link.platform.messages.warning(warning);
    if (outcome.tulos != kReaderOk && outcome.tulos != kReaderNoSuchFile)
        tellUncleared(link, outcome.tulos);
    link.view.hideMainWindow();
    link.view.showReview();
    return outcome;
}

} // namespace orvik

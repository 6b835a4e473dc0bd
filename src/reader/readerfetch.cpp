// Fetching the count from the reader and taking it into the work file.
#include "common/safewrite.h"
#include "reader/readerlink.h"
#include "reader/readerport.h"
#include "reader/readertransfer.h"
#include "workfile/importer.h"

namespace orvik {

namespace {

// Steps 2 to 6: the transfer between opening and closing the port.
int32_t fetchFromReader(ReaderLink& link) {
    openPort(link.reader, link.porttinro);
    link.reader.HM_set_upload_file_save_mode(kUploadSaveMode);
    std::string name2 = kReaderDataFile;
    int32_t result = aloitanouto(link.reader, link.porttinro, kSelector, kReaderDataFile, name2);
    if (result == kReaderOk)
        result = runTransfer(link.view, [&link](int32_t& bytes, int32_t& other) {
            return link.reader.HM_upload2(bytes, other);
        });
    closePort(link.reader, link.porttinro);
    return result;
}

// The fetched lines go to the work file and the log all at once or not at
// all. Only a complete import lets the fetched copy go; on failure the copy
// stays on the PC and the count stays on the reader.
bool importFetchedFile(ReaderLink& link) {
    const ImportResult imported = tuodata(fetchedFilePath(), link.datPolku, link.platform.clock);
    if (imported.error.failed()) {
        link.platform.messages.show(imported.error.message(), kDefaultMessageTitle, MsgIcon::None,
                                    MsgButtons::Ok);
        return false;
    }
    removeFile(fetchedFilePath());
    return true;
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

bool noudatiedot(ReaderLink& link) {
    link.view.lockForTransfer();
    link.tulos = fetchFromReader(link);
    link.view.hideMainWindow();
    if (link.tulos == kReaderNoSuchFile) {
        link.platform.messages.notice(" Lukijassa ei ole tapahtumia. ");
        link.platform.programEnd.endNow();
        return false;
    }
    if (link.tulos != kReaderOk) {
        reportTransferFailure(link.platform.messages, link.tulos);
        link.platform.programEnd.endNow();
        return false;
    }
    if (!importFetchedFile(link)) {
        // The window's buttons are gone by now, so there is nothing to go
        // back to: end as the other failures do.
        link.platform.programEnd.endNow();
        return false;
    }
    // Whether the clearing worked is not looked at: the count is safe in the
    // work file either way.
    tyhjenna(link);
    link.platform.messages.notice(" Tiedot on noudettu lukijasta ", " Ilmoitus ");
    link.view.hideMainWindow();
    link.view.showReview();
    return true;
}

} // namespace orvik

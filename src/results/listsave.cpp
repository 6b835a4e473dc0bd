#include "results/listsave.h"
#include "files/ownfiles.h"

#include "files/dirvalue.h"
#include "files/safewrite.h"
#include "results/listfiles.h"
#include "text/codepage.h"
#include "text/fixedfield.h"
#include "workfile/importer.h"

namespace orvik {

namespace {

using namespace orvik::literals;

std::string savedNotice() {
    return " Tapahtumat on tallennettu työtiedostoon. "_cp;
}

std::string unsaveableCountText(const ReviewRow& row) {
    return " Tuotteen " + std::string(trimBlanks(row[colTuote])) + " määrää "_cp +
           std::string(trimBlanks(row[colLukija])) +
           " ei voi tallentaa työtiedostoon. Tapahtumia ei tallennettu. "_cp;
}

std::string writeFailureText(const FileError& error) {
    return " Tapahtumia ei voitu tallentaa: " + error.message() + ". Työtiedosto on ennallaan. "_cp;
}

} // namespace

bool saveListAndEnd(const ReviewList& list, const std::string& datPolku, Platform& platform,
                    ResultsView& view) {
    const ListFiles files = buildListFiles(list);
    if (files.unsaveableRow) {
        platform.messages.warning(unsaveableCountText(list.rows[*files.unsaveableRow]));
        return false;
    }
    // The work file goes last: should its rename fail after the export's, it
    // is still the old one, which is what the message says.
    const FileError error = replaceFiles({{fsPath(exportFilePath(datPolku)), files.exportFile},
                                          {fsPath(workFilePath(datPolku)), files.workFile}});
    if (error.failed()) {
        platform.messages.warning(writeFailureText(error));
        return false;
    }
    view.hideWindow();
    if (!list.rows.empty())
        platform.messages.notice(savedNotice());
    platform.programEnd.endNow();
    return true;
}

} // namespace orvik

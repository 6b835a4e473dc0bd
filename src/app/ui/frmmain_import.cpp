// "Hae tiedot" and "Näytä rivit": importing the reader software's count and
// opening the review window.
#include "app/ui/frmmain.h"

#include <QLabel>
#include <QLineEdit>

#include "files/dirvalue.h"
#include "files/ownfiles.h"
#include "platform/qt/qtext.h"
#include "review/ui/frmrepo.h"
#include "workfile/readerimport.h"

namespace orvik {

void frmMain::Command3_Click() {
    // Text1 as it reads now: an edit there counts at once, completed as the
    // other directories are at start-up.
    const ReaderSoftwareImport result = importReaderSoftwareCount(
        completedDirValue(fromQString(Text1->text()), kReaderSoftwareDirFileNames), dirs_.datPolku,
        platform_.clock);
    if (result.outcome != ReaderSoftwareImport::Outcome::Imported) {
        platform_.messages.show(result.message, kDefaultMessageTitle, MsgIcon::None,
                                MsgButtons::Ok);
        return;
    }
    Label3->setText(toQString(importedCountCaption(result.lineCount)));
    if (!result.warning.empty())
        platform_.messages.warning(result.warning, kDefaultMessageTitle);
    Command4_Click();
}

void frmMain::Command4_Click() {
    hide();
    showReview();
}

void frmMain::Command6_Click() {
    Command4_Click();
}

void frmMain::showReview() {
    auto* review = new frmRepo(platform_, dirs_);
    review->setAttribute(Qt::WA_DeleteOnClose);
    review->Show();
}

} // namespace orvik

#include "zeroinv/zeroinventory.h"
#include "files/ownfiles.h"

#include "files/filefailure.h"
#include "files/safewrite.h"
#include "journal/stepjournal.h"
#include "journal/stepnotices.h"
#include "text/codepage.h"
#include "zeroinv/zerorows.h"

namespace orvik {

using namespace orvik::literals;

namespace {

void reportWriteFailure(const std::string& path, const StepOutcome& outcome,
                        MessageBoxes& messages) {
    const FileError& error = outcome.error;
    std::string text;
    if (!outcome.blockedBy.empty())
        text = unsettledStepText(outcome.blockedBy.front());
    else if (error.path != path || isFileInUse(error))
        text = fileFailureText(error);
    else
        text = " Tiedostoon " + path + " ei voi kirjoittaa: " + error.message() + " ";
    messages.show(text, kNoticeTitle, MsgIcon::Exclamation, MsgButtons::Ok);
}

} // namespace

bool nollainventointi(const Directories& directories, const std::vector<std::int32_t>& groups,
                      double cutOff, MessageBoxes& messages, Clock& clock) {
    const ZeroRowsResult zero = collectZeroRows(directories.datat, groups, cutOff);
    if (zero.failure) {
        messages.show(stockFailureText(*zero.failure), kNoticeTitle, MsgIcon::Exclamation,
                      MsgButtons::Ok);
        return false;
    }
    // One append of all rows, even none, so the file exists for the review.
    const std::string path = zeroRowFilePath(directories.datPolku);
    StepPlan plan;
    plan.kind = StepKind::ZeroRows;
    plan.startedAt = clockStamp(clock);
    plan.targets = {fsPath(path)};
    plan.write = [&zero](AppendSession& file) { return file.append(0, zero.rows); };
    const StepOutcome outcome = runJournalledStep(directories.datPolku, plan);
    if (outcome.error.failed()) {
        reportWriteFailure(path, outcome, messages);
        return false;
    }
    messages.notice(" Nollainventointirivit on lisätty. "_cp);
    return true;
}

} // namespace orvik

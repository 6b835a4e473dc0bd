#include "results/handover.h"
#include "files/ownfiles.h"

#include "files/filefailure.h"
#include "files/safewrite.h"
#include "journal/stepnotices.h"
#include "text/codepage.h"
#include "workfile/countline.h"
#include "workfile/importer.h"

namespace orvik {

namespace {

using namespace orvik::literals;

std::string nothingNotice() {
    return " Siirrettäviä tapahtumia ei ole  "_cp;
}

std::string confirmQuestion() {
    return " Oletko varma että haluat siirtää tapahtumat Myrviniin?  "_cp;
}

std::string transferFailureText(const std::string& path, const StepOutcome& outcome) {
    const FileError& error = outcome.error;
    if (!outcome.blockedBy.empty())
        return unsettledStepText(outcome.blockedBy.front()) + "Tapahtumia ei siirretty. ";
    if (error.path != path) // the journal beside the work file, say
        return fileFailureText(error) + "Tapahtumia ei siirretty. ";
    // The cash-register system may be reading it: the user can try again.
    if (isFileInUse(error))
        return " Siirtotiedosto " + path +
               " on toisen ohjelman käytössä, joten tapahtumia ei siirretty. "
               "Yritä hetken kuluttua uudelleen. "_cp;
    return " Siirtotiedostoon " + path + " ei voitu kirjoittaa: " + error.message() +
           ". Tapahtumia ei siirretty. ";
}

// The transfer is done and must not be repeated from the same work file.
std::string workFileFailureText(const std::string& path, bool rewriting, const FileError& error) {
    const std::string failedStep =
        rewriting ? " ei voitu kirjoittaa uudelleen: " : " ei voitu poistaa: ";
    return " Tapahtumat on siirretty, mutta työtiedostoa "_cp + path + failedStep +
           error.message() + ". Tiedoston tapahtumia ei saa siirtää uudelleen. "_cp;
}

std::string acceptedNotice(std::size_t unreadCount) {
    std::string text = " Tapahtumat on hyväksytty jatkokäsittelyyn. "_cp;
    if (unreadCount == 1)
        text += "Työtiedostoon jätettiin 1 rivi, jota ei voitu lukea. "_cp;
    else if (unreadCount > 1)
        text += "Työtiedostoon jätettiin "_cp + std::to_string(unreadCount) +
                " riviä, joita ei voitu lukea. "_cp;
    return text;
}

// The work file after a hand-over: gone, or holding only the lines the review
// could not read, so that they are not lost with it.
StepEnd workFileRetirement(const ReviewList& list, const std::string& workFilePath) {
    StepEnd end;
    if (list.unreadLines.empty()) {
        end.remove.push_back(fsPath(workFilePath));
        return end;
    }
    std::string kept;
    for (const UnreadLine& unread : list.unreadLines)
        kept += unread.text + "\r\n";
    end.replace.push_back({fsPath(workFilePath), kept});
    return end;
}

// The transfer lines go to the transfer file and the work file is retired
// as one journalled step: a crash at any moment hands every row over once.
StepOutcome appendTransfer(const ReviewList& list, const Directories& dirs, Clock& clock,
                           const std::string& transferPath, const std::string& workFilePath) {
    StepPlan plan;
    plan.kind = StepKind::HandOver;
    plan.startedAt = clockStamp(clock);
    plan.targets = {fsPath(transferPath)};
    plan.write = [&list](AppendSession& files) { return files.append(0, transferLines(list)); };
    plan.end = workFileRetirement(list, workFilePath);
    return runJournalledStep(dirs.datPolku, plan);
}

} // namespace

std::string transferLine(const ReviewRow& row) {
    return countCodeField(row[colTuote]) + " " + row[colLukija] + "\r\n";
}

std::string transferLines(const ReviewList& list) {
    std::string lines;
    for (const ReviewRow& row : list.rows)
        lines += transferLine(row);
    return lines;
}

HandOverResult handOver(const ReviewList& list, const Directories& dirs, Platform& platform,
                        ResultsView& view) {
    if (list.rows.empty()) {
        platform.messages.notice(nothingNotice());
        return HandOverResult::NothingToHandOver;
    }
    if (!platform.messages.confirms(confirmQuestion()))
        return HandOverResult::Declined;

    const std::string transferPath = transferFilePath(dirs.invPolku);
    const std::string workFile = workFilePath(dirs.datPolku);
    const StepOutcome outcome = appendTransfer(list, dirs, platform.clock, transferPath, workFile);
    if (outcome.error.failed()) {
        platform.messages.warning(transferFailureText(transferPath, outcome));
        return HandOverResult::TransferFailed;
    }

    view.hideWindow();
    HandOverResult result = HandOverResult::Done;
    if (outcome.endError.failed()) {
        const FileError& error = outcome.endError;
        platform.messages.warning(
            error.path == workFile ? workFileFailureText(workFile, !list.unreadLines.empty(), error)
                                   : " Tapahtumat on siirretty." + fileFailureText(error) +
                                         "Niitä ei saa siirtää uudelleen. "_cp);
        result = HandOverResult::DoneWorkFileLeft;
    } else {
        platform.messages.notice(acceptedNotice(list.unreadLines.size()));
    }
    platform.programEnd.endNow();
    return result;
}

} // namespace orvik

#include "journal/stepnotices.h"

#include "files/filefailure.h"
#include "text/codepage.h"

namespace orvik {

using namespace orvik::literals;

namespace {

// "the import of 13.11.2012 08:15:02" in the form the sentences need.
std::string stepName(StepKind kind) {
    switch (kind) {
    case StepKind::Import:
        return "tuonti";
    case StepKind::HandOver:
        return "siirto kassajärjestelmään"_cp;
    case StepKind::ZeroRows:
        return "nollainventointi";
    }
    return {};
}

std::string stepNameOfWhich(StepKind kind) {
    switch (kind) {
    case StepKind::Import:
        return "tuonnin";
    case StepKind::HandOver:
        return "siirron kassajärjestelmään"_cp;
    case StepKind::ZeroRows:
        return "nollainventoinnin";
    }
    return {};
}

std::string when(const RecoveredStep& step) {
    return step.startedAt.empty() ? std::string() : " (" + step.startedAt + ")";
}

std::string rolledBackText(const RecoveredStep& step) {
    std::string text = " Keskeytynyt " + stepName(step.kind) + when(step) + " peruttiin. ";
    switch (step.kind) {
    case StepKind::Import:
        return text + "Tiedot otetaan työtiedostoon seuraavalla Hae tiedot -painalluksella. "_cp;
    case StepKind::HandOver:
        return text + "Työtiedosto on ennallaan; siirrä tapahtumat uudelleen. "_cp;
    case StepKind::ZeroRows:
        return text + "Tee nollainventointi uudelleen. ";
    }
    return text;
}

std::string finishedText(const RecoveredStep& step) {
    std::string text = " Keskeytynyt " + stepName(step.kind) + when(step) + " on viety loppuun. ";
    switch (step.kind) {
    case StepKind::Import:
        return text + "Tiedot ovat työtiedostossa. Jos ne noudettiin lukijasta, tyhjennä "
                      "lukija ennen seuraavaa noutoa. "_cp;
    case StepKind::HandOver:
        return text + "Tapahtumat ovat siirtotiedostossa; niitä ei saa siirtää uudelleen. "_cp;
    case StepKind::ZeroRows:
        return text;
    }
    return text;
}

std::string changedFileText(const RecoveredStep& step, const std::string& path) {
    std::string text = " Tiedosto " + path + " on muuttunut keskeytyneen " +
                       stepNameOfWhich(step.kind) + when(step) +
                       " jälkeen, eikä sitä palautettu ennalleen. "_cp;
    if (step.kind == StepKind::HandOver)
        return text + "Tarkista siirto kassajärjestelmässä. "_cp;
    return text + "Tarkista tiedoston rivit. ";
}

} // namespace

std::string unsettledStepText(const RecoveredStep& pending) {
    if (pending.complete && pending.kind == StepKind::Import &&
        pending.error.operation == FileOperation::Remove)
        return takenSourceLeftText(pending.error);
    std::string text = " Keskeytyneen " + stepNameOfWhich(pending.kind) + when(pending) +
                       " jälkiä ei saatu korjattua:"_cp + fileFailureText(pending.error);
    if (pending.kind == StepKind::HandOver && pending.complete)
        text += "Tapahtumat on jo siirretty; niitä ei saa siirtää uudelleen. "_cp;
    return text;
}

std::string takenSourceLeftText(const FileError& removal) {
    return " Tiedoston " + removal.path +
           " tiedot on otettu työtiedostoon, mutta tiedostoa ei voitu poistaa: "_cp +
           removal.message() + ". Sitä ei tuoda uudelleen; poista se ennen seuraavaa tuontia. "_cp;
}

std::vector<StepNotice> recoveryNotices(const std::vector<RecoveredStep>& recovered) {
    std::vector<StepNotice> notices;
    for (const RecoveredStep& step : recovered) {
        switch (step.outcome) {
        case RecoveredStep::Outcome::RolledBack:
            notices.push_back({rolledBackText(step), false});
            break;
        case RecoveredStep::Outcome::Finished:
            notices.push_back({finishedText(step), false});
            break;
        case RecoveredStep::Outcome::Unsettled:
            notices.push_back({unsettledStepText(step), true});
            break;
        }
        for (const std::string& path : step.changedFiles)
            notices.push_back({changedFileText(step, path), true});
    }
    return notices;
}

} // namespace orvik

#include "app/help.h"

#include "files/filestatus.h"
#include "files/ownfiles.h"
#include "platform/desktoplinks.h"
#include "platform/messagebox.h"
#include "text/codepage.h"

namespace orvik {
namespace {

namespace fs = std::filesystem;
using namespace orvik::literals;

// An empty directory value is the current directory; the box says so.
std::string shownDir(const std::string& value) {
    return value.empty() ? "nykyinen hakemisto"_cp : value;
}

} // namespace

std::vector<fs::path> guideCandidates(const fs::path& programDir) {
    return {
        (programDir / "guide" / kGuideFileName).lexically_normal(),
        (programDir / ORVIK_GUIDE_FROM_PROGRAM / kGuideFileName).lexically_normal(),
        (programDir / ".." / "guide" / kGuideFileName).lexically_normal(),
    };
}

std::optional<fs::path> findGuide(const fs::path& programDir) {
    for (const fs::path& candidate : guideCandidates(programDir))
        if (isRegularFile(candidate))
            return candidate;
    return std::nullopt;
}

void openGuide(const fs::path& programDir, DesktopLinks& links, MessageBoxes& messages) {
    const std::optional<fs::path> guide = findGuide(programDir);
    if (!guide) {
        std::string text = " Käyttöohjetta ei löytynyt. Sitä etsittiin näistä paikoista:"_cp;
        for (const fs::path& candidate : guideCandidates(programDir))
            text += "\n " + cpPath(candidate);
        messages.warning(text + " ", kDefaultMessageTitle);
        return;
    }
    if (!links.openFile(*guide))
        messages.warning(" Käyttöohjetta "_cp + cpPath(*guide) +
                             " ei voitu avata selaimeen. Avaa tiedosto selaimella. ",
                         kDefaultMessageTitle);
}

std::string aboutText(const AboutFacts& facts) {
    const Directories& dirs = facts.directories;
    std::string text = "Orvik " ORVIK_VERSION "\n"
                       "Kaupan inventaario: viivakoodilukijan laskenta, erot varastoon, "
                       "raportit ja siirto kassajärjestelmään.\n"
                       "Lisenssi: MIT\n\n"_cp;
    text += "Asetukset: " + facts.settingsPlace + "\n";
    text += "Vorda -hakemisto: " + shownDir(facts.readerDir) + "\n   lukijaohjelman tiedosto " +
            kReaderSoftwareFileName + "\n";
    text += "Dat-hakemisto: " + shownDir(dirs.datPolku) + "\n   työtiedosto "_cp + kWorkFileName +
            ", loki " + kLogFileName + ", nollarivit " + kZeroRowFileName + ", lista " +
            kExportFileName + "\n";
    text += "Dataset -hakemisto: " + shownDir(dirs.datat) + "\n   varastotiedostot " +
            kIndexFileName + ", " + kProductFileName + ", " + kEventFileName + ", " +
            kNameFileName + "\n";
    text += "Inv -hakemisto: " + shownDir(dirs.invPolku) + "\n   siirtotiedosto " +
            kTransferFileName + "\n";
    text += "Nykyinen hakemisto: " + facts.currentDir + "\n   tulossa oleva laskenta " +
            kPendingCountName + ", arkistokopiot orvik_*.dat\n";
    text +=
        "Käyttöohje (F1): "_cp + (facts.guide.empty() ? "ei löytynyt"_cp : facts.guide) + "\n\n";
    text += "Qt " + facts.qtVersion;
    return text;
}

} // namespace orvik

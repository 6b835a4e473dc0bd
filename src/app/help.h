#pragma once
// The user guide (F1) and the About box (Shift+F1): where the guide is
// looked for, and what the About box says about the program and its files.
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "files/dirvalue.h"

namespace orvik {

class DesktopLinks;
class MessageBoxes;

inline constexpr const char* kGuideFileName = "kayttoohje.html";
inline constexpr const char* kAboutTitle = "Tietoja Orvikista";

// The guide's front page, in the order it is looked for: beside the program
// (a program kept in one folder with its guide), where the install puts it
// (bin/ -> share/orvik/guide/), and in the build tree (bin/ -> guide/).
std::vector<std::filesystem::path> guideCandidates(const std::filesystem::path& programDir);

// The first candidate that is a file.
std::optional<std::filesystem::path> findGuide(const std::filesystem::path& programDir);

// Opens the guide in the desktop's browser; when it is nowhere, or the
// desktop cannot open it, the user is told where it was looked for.
void openGuide(const std::filesystem::path& programDir, DesktopLinks& links,
               MessageBoxes& messages);

// What the About box tells, as code-page texts.
struct AboutFacts {
    std::string settingsPlace; // the settings file (or registry key)
    std::string readerDir;     // "MyDocuments", as the main window holds it now
    Directories directories;   // as read at start-up
    std::string currentDir;    // with its separator
    std::string guide;         // the guide found, or empty
    std::string qtVersion;
};

std::string aboutText(const AboutFacts& facts);

} // namespace orvik

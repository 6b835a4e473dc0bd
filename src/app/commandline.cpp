#include "app/commandline.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace orvik {
namespace {

#ifdef _WIN32
constexpr std::string_view kSettingsPlace =
    "Asetukset ovat rekisterissä, avaimessa\n"
    "  HKEY_CURRENT_USER\\Software\\VB and VBA Program Settings\\Norvala Oy\\Orvik\n";
#else
constexpr std::string_view kSettingsPlace =
    "Asetukset ovat tiedostossa $XDG_CONFIG_HOME/Norvala Oy.ini, tavallisesti\n"
    "~/.config/Norvala Oy.ini, osiossa [Orvik].\n";
#endif

std::string usageText() {
    std::string text =
        "Orvik " ORVIK_VERSION " – kaupan inventaario-ohjelma: viivakoodilukijan laskenta\n"
        "työtiedostoon, erot varastoon, raportit ja siirto kassajärjestelmään.\n"
        "\n"
        "Käyttö: orvik [PÄIVÄT]\n"
        "        orvik --asetukset\n"
        "        orvik --help | --version\n"
        "\n"
        "  PÄIVÄT       nollainventoinnin rajahetki siirtyy tämän päivän klo 00.00:sta\n"
        "               näin monta päivää taaksepäin; desimaalierottimena piste\n"
        "               (1.5 = toissapäivänä klo 12.00). Ilman lukua raja on tänään\n"
        "               klo 00.00.\n"
        "  --asetukset  avaa asetusikkunan: hakemistot ja lukijan portti tarkistetaan\n"
        "               ennen tallennusta (ei Orvikin ollessa käynnissä)\n"
        "  -h, --help   näyttää tämän ohjeen\n"
        "  --version    näyttää ohjelman version\n"
        "\n";
    text += kSettingsPlace;
    return text;
}

// The program's own options, and those the window toolkit takes from the
// command line itself, which it also accepts with two dashes.
constexpr std::array<std::string_view, 17> kKnownOptions = {
    "--help",          "--version", "--asetukset",       "--platform",    "--platformpluginpath",
    "--platformtheme", "--plugin",  "--qwindowgeometry", "--qwindowicon", "--qwindowtitle",
    "--reverse",       "--session", "--style",           "--stylesheet",  "--widgetcount",
    "--display",       "--geometry"};

bool isKnownOption(std::string_view argument) {
    return std::find(kKnownOptions.begin(), kKnownOptions.end(), argument) != kKnownOptions.end();
}

} // namespace

std::optional<std::string> commandLineUsageError(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument.starts_with("--") && !isKnownOption(argument))
            return "orvik: tuntematon valitsin " + std::string(argument) +
                   "\n"
                   "Käyttö: orvik [PÄIVÄT] | --asetukset | --help | --version\n";
    }
    return std::nullopt;
}

bool asksForSettingsDialog(int argc, const char* const* argv) {
    return argc >= 2 && std::string_view(argv[1]) == "--asetukset";
}

std::optional<std::string> commandLineAnswer(int argc, const char* const* argv) {
    if (argc < 2)
        return std::nullopt;
    const std::string_view first = argv[1];
    if (first == "--help" || first == "-h")
        return usageText();
    if (first == "--version")
        return std::string("orvik " ORVIK_VERSION "\n");
    return std::nullopt;
}

} // namespace orvik

#include "app/commandline.h"

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
        "        orvik --help | --version\n"
        "\n"
        "  PÄIVÄT     nollainventoinnin rajahetki siirtyy tämän päivän klo 00.00:sta\n"
        "             näin monta päivää taaksepäin; desimaalierottimena piste\n"
        "             (1.5 = toissapäivänä klo 12.00). Ilman lukua raja on tänään\n"
        "             klo 00.00.\n"
        "  -h, --help näyttää tämän ohjeen\n"
        "  --version  näyttää ohjelman version\n"
        "\n";
    text += kSettingsPlace;
    return text;
}

} // namespace

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

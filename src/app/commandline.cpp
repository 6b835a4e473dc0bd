#include "app/commandline.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <string_view>

#ifdef _WIN32
#include <windows.h>
#endif

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

#ifdef _WIN32
namespace {

// The console of the process that started this one, when it has one.
HANDLE parentConsole() {
    // Already attached is fine: an earlier write did it.
    if (!AttachConsole(ATTACH_PARENT_PROCESS) && GetLastError() != ERROR_ACCESS_DENIED)
        return INVALID_HANDLE_VALUE;
    return CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       nullptr, OPEN_EXISTING, 0, nullptr);
}

bool writeToConsole(HANDLE console, const std::string& text) {
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                        length);
    for (std::size_t done = 0; done < wide.size();) {
        DWORD written = 0;
        if (!WriteConsoleW(console, wide.data() + done, static_cast<DWORD>(wide.size() - done),
                           &written, nullptr) ||
            written == 0)
            return false;
        done += written;
    }
    return true;
}

// A windowed program started from a console has no standard handles of its
// own; the text then goes to the console of the program that started it.
bool writeStandard(DWORD which, const std::string& text) {
    HANDLE out = GetStdHandle(which);
    if (out == nullptr || out == INVALID_HANDLE_VALUE)
        out = parentConsole();
    if (out == INVALID_HANDLE_VALUE)
        return false;
    DWORD mode = 0;
    if (GetConsoleMode(out, &mode))
        return writeToConsole(out, text);
    // A file or a pipe: the bytes as they are.
    for (std::size_t done = 0; done < text.size();) {
        DWORD written = 0;
        if (!WriteFile(out, text.data() + done, static_cast<DWORD>(text.size() - done), &written,
                       nullptr) ||
            written == 0)
            return false;
        done += written;
    }
    return true;
}

} // namespace

bool writeCommandLineAnswer(const std::string& text) {
    return writeStandard(STD_OUTPUT_HANDLE, text);
}

bool writeCommandLineError(const std::string& text) {
    return writeStandard(STD_ERROR_HANDLE, text);
}
#else
namespace {

bool writeAll(std::FILE* stream, const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), stream) == text.size() &&
           std::fflush(stream) == 0;
}

} // namespace

bool writeCommandLineAnswer(const std::string& text) {
    return writeAll(stdout, text);
}

bool writeCommandLineError(const std::string& text) {
    return writeAll(stderr, text);
}
#endif

} // namespace orvik

#include "app/commandline.h"

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

#ifdef _WIN32
namespace {

// The console of the process that started this one, when it has one.
HANDLE parentConsole() {
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
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

} // namespace

bool writeCommandLineAnswer(const std::string& text) {
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
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
#else
bool writeCommandLineAnswer(const std::string& text) {
    return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() &&
           std::fflush(stdout) == 0;
}
#endif

} // namespace orvik

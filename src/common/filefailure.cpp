#include "common/filefailure.h"

#include "common/codepage.h"

namespace orvik {

using namespace orvik::literals;

std::string fileFailureText(const FileError& error) {
    if (error.path.empty())
        return " " + error.message() + ". ";
    const std::string& path = error.path;
    switch (error.operation) {
    case FileOperation::Read:
        return " Tiedostoa " + path + " ei voitu lukea: " + error.message() + ". ";
    case FileOperation::Write:
        return " Tiedostoon " + path + " ei voitu kirjoittaa: " + error.message() + ". ";
    case FileOperation::Remove:
        return " Tiedostoa " + path + " ei voitu poistaa: " + error.message() + ". ";
    case FileOperation::Move:
        return " Tiedostoa " + path + " ei voitu siirtää: "_cp + error.message() + ". ";
    case FileOperation::Unknown:
        break;
    }
    return " Tiedosto " + path + ": " + error.message() + ". ";
}

} // namespace orvik

#include "files/filefailure.h"

#include "files/systemfile.h"
#include "text/codepage.h"

namespace orvik {

using namespace orvik::literals;

std::string fileFailureText(const FileError& error) {
    if (error.path.empty())
        return " " + error.message() + ". ";
    const std::string& path = error.path;
    // The system's words for a lock would puzzle the user; what counts is
    // who has the file.
    if (isFileInUse(error))
        return " Tiedosto " + path + " on toisen ohjelman käytössä. "_cp;
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

bool isFileInUse(const FileError& error) {
    return systemfile::isLockHeld(error);
}

} // namespace orvik

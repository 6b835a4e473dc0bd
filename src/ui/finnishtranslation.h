#pragma once
// Qt's own texts (standard buttons of the message boxes, print and file
// dialogs) in Finnish, from the translation Qt installs beside itself.
class QCoreApplication;

namespace orvik {

// Loads and installs Qt's Finnish translation for the rest of the run; false
// when it is not installed, and Qt's texts stay in English.
bool installQtFinnish(QCoreApplication& application);

} // namespace orvik

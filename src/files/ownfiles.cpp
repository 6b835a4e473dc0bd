#include "files/ownfiles.h"

#include "files/dirvalue.h"

namespace orvik {

std::string workFilePath(std::string_view datPolku) {
    return inDir(datPolku, kWorkFileName);
}

std::string logFilePath(std::string_view datPolku) {
    return inDir(datPolku, kLogFileName);
}

std::string zeroRowFilePath(std::string_view datPolku) {
    return inDir(datPolku, kZeroRowFileName);
}

std::string exportFilePath(std::string_view datPolku) {
    return inDir(datPolku, kExportFileName);
}

std::string transferFilePath(std::string_view invPolku) {
    return inDir(invPolku, kTransferFileName);
}

std::string readerSoftwareFilePath(std::string_view readerSoftwareDir) {
    return inDir(readerSoftwareDir, kReaderSoftwareFileName);
}

std::string archiveName(const CalendarDate& date, const TimeOfDay& time) {
    return "orvik_" + formatDate(date, "yyyymmdd") + "_" + formatTime(time, "hhmmss") + ".dat";
}

} // namespace orvik

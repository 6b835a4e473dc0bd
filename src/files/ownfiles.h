#pragma once
// Every file the program reads or writes, and where it lives. A directory
// value is a prefix: the name goes directly behind it, and an empty value is
// the current directory.
//
//   file                       directory          what it holds
//   orvik.dat                  reader software's  a count waiting to be imported
//   pnqty.dat                  current            a count on its way in
//   orvik.dat                  DatPolku           the work file: every count line
//   orvik.log                  DatPolku           the import log, never shortened
//   nulli.dat                  DatPolku           the zero rows of groups not counted
//   orvik.txt                  DatPolku           the saved list, for the shop's tools
//   orvik_*.jnl                DatPolku           the journal of a step under way
//   orvik.inv                  InvPolku           the transfer file to the cash register
//   orvik_yyyymmdd_hhmmss.dat  current            an archive copy of a local orvik.dat
//   CASSA.001 ... CASSA.005    Datat              the stock files (read only, stock/)
#include <array>
#include <string>
#include <string_view>

#include "text/daydate.h"

namespace orvik {

inline constexpr const char* kWorkFileName = "orvik.dat";
inline constexpr const char* kLogFileName = "orvik.log";
inline constexpr const char* kZeroRowFileName = "nulli.dat";
inline constexpr const char* kExportFileName = "orvik.txt";
inline constexpr const char* kTransferFileName = "orvik.inv";
// The reader software leaves its count under the work file's name, in its
// own directory.
inline constexpr const char* kReaderSoftwareFileName = "orvik.dat";
// The count on its way in, in the current directory; the reader holds its
// data under the same name. One left behind by a failed import is taken in
// first by the next import, so no count is ever stranded there.
inline constexpr const char* kPendingCountName = "pnqty.dat";
inline constexpr const char* kImportJournalName = "orvik_tuonti.jnl";
inline constexpr const char* kHandOverJournalName = "orvik_siirto.jnl";
inline constexpr const char* kZeroRowJournalName = "orvik_nollat.jnl";
// The cash-register system's stock files (read by stock/).
inline constexpr const char* kIndexFileName = "CASSA.001";
inline constexpr const char* kProductFileName = "CASSA.002";
inline constexpr const char* kEventFileName = "CASSA.004";
inline constexpr const char* kNameFileName = "CASSA.005";

// The files that live under each directory value, as in the table above.
inline constexpr std::array<const char*, 7> kWorkDirFileNames = {
    kWorkFileName,      kLogFileName,         kZeroRowFileName,   kExportFileName,
    kImportJournalName, kHandOverJournalName, kZeroRowJournalName};
inline constexpr std::array<const char*, 4> kStockDirFileNames = {kIndexFileName, kProductFileName,
                                                                  kEventFileName, kNameFileName};
inline constexpr std::array<const char*, 1> kTransferDirFileNames = {kTransferFileName};
inline constexpr std::array<const char*, 1> kReaderSoftwareDirFileNames = {kReaderSoftwareFileName};

// The paths, as code-page bytes, from the directory values.
std::string workFilePath(std::string_view datPolku);
std::string logFilePath(std::string_view datPolku);
std::string zeroRowFilePath(std::string_view datPolku);
std::string exportFilePath(std::string_view datPolku);
std::string transferFilePath(std::string_view invPolku);
std::string readerSoftwareFilePath(std::string_view readerSoftwareDir);

// The archive copy's name for a copy made at this date and time.
std::string archiveName(const CalendarDate& date, const TimeOfDay& time);

} // namespace orvik

#include "app/startuprecovery.h"
#include "files/ownfiles.h"

#include <filesystem>
#include <system_error>

#include "files/dirvalue.h"
#include "files/safewrite.h"
#include "journal/stepjournal.h"

namespace orvik {

namespace {

namespace fs = std::filesystem;

constexpr const char* kOwnFileNames[] = {
    kWorkFileName,      kExportFileName,      kZeroRowFileName,    kPendingCountName,
    kImportJournalName, kHandOverJournalName, kZeroRowJournalName,
};

// An archive copy: "orvik_" + date + "_" + time + ".dat".
bool isArchiveName(std::string_view name) {
    return name.size() == 25 && name.substr(0, 6) == "orvik_" && name.substr(21) == ".dat";
}

void removeLeftoverTemporaries(const fs::path& directory) {
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(directory, error)) {
        if (isLeftoverTemporary(cpPath(entry.path().filename())) && entry.is_regular_file(error))
            removeFile(entry.path());
    }
}

} // namespace

bool isLeftoverTemporary(const std::string& fileName) {
    const std::size_t tmp = fileName.find(".tmp-");
    if (fileName.empty() || fileName[0] != '.' || tmp == std::string::npos)
        return false;
    const std::string_view name = std::string_view(fileName).substr(1, tmp - 1);
    for (const char* own : kOwnFileNames)
        if (name == own)
            return true;
    return isArchiveName(name);
}

std::vector<StepNotice> recoverAtStartUp(const std::string& datPolku) {
    const std::vector<StepNotice> notices = recoveryNotices(recoverSteps(datPolku));
    const fs::path workDirectory = fsPath(workFilePath(datPolku)).parent_path();
    removeLeftoverTemporaries(workDirectory.empty() ? fs::path(".") : workDirectory);
    removeLeftoverTemporaries(".");
    return notices;
}

} // namespace orvik

#include "app/settingsform.h"

#include "app/settingskeys.h"
#include "app/startupsettings.h"
#include "files/dircheck.h"
#include "files/dirvalue.h"
#include "files/ownfiles.h"
#include "text/codepage.h"

namespace orvik {
namespace {

using namespace settingskeys;
using namespace literals;

std::string readOwn(SettingsStore& store, const char* key) {
    return store.read(kApplication, kOwnSection, key, "");
}

// The captions all end in "hakemisto", so the partitive and the illative
// are made by adding their ending.
std::string problemText(const std::string& caption, const std::string& value,
                        const DirCheck& check) {
    switch (check.problem) {
    case DirProblem::Missing:
        return " " + caption + "a " + value + " ei ole. ";
    case DirProblem::NotADirectory:
        return " " + caption + "ksi annettu " + value + " ei ole hakemisto. ";
    case DirProblem::NotWritable:
        return " " + caption + "on " + value + " ei voi kirjoittaa: " + check.error.message() +
               ". ";
    case DirProblem::None:
        break;
    }
    return {};
}

} // namespace

const std::array<SettingsDirectory, kSettingsDirectoryCount>& settingsDirectories() {
    static const std::array<SettingsDirectory, kSettingsDirectoryCount> directories = {{
        {kReaderDir, "Vorda -hakemisto", kReaderSoftwareDirFileNames, true, false},
        {kStockDir, "Dataset -hakemisto", kStockDirFileNames, false, true},
        {kTransferDir, "Inv -hakemisto", kTransferDirFileNames, true, true},
        {kWorkDir, "Dat-hakemisto", kWorkDirFileNames, true, false},
    }};
    return directories;
}

SettingsFormValues loadSettingsForm(SettingsStore& store) {
    SettingsFormValues values;
    for (std::size_t i = 0; i < kSettingsDirectoryCount; ++i) {
        const SettingsDirectory& directory = settingsDirectories()[i];
        values.directories[i] = readOwn(store, directory.key);
        if (values.directories[i].empty() && directory.hasFallback)
            values.directories[i] = store.read(kApplication, kFallbackSection, directory.key, "");
    }
    values.portIndex =
        portEntryIndex(store.read(kApplication, kOwnSection, kPort, kPortEntries[0]));
    return values;
}

SettingsFormCheck checkSettingsForm(const SettingsFormValues& typed) {
    SettingsFormCheck check;
    check.completed = typed;
    for (std::size_t i = 0; i < kSettingsDirectoryCount; ++i) {
        const SettingsDirectory& directory = settingsDirectories()[i];
        std::string& value = check.completed.directories[i];
        value = completedDirValue(value, directory.ownFileNames);
        const DirCheck found = checkDirValue(value, directory.ownFileNames, directory.writtenTo);
        if (found.problem != DirProblem::None) {
            check.failedDirectory = static_cast<int>(i);
            check.problem = problemText(cp1252::fromUtf8(directory.caption), value, found);
            return check;
        }
    }
    return check;
}

void saveSettingsForm(SettingsStore& store, const SettingsFormValues& completed) {
    for (std::size_t i = 0; i < kSettingsDirectoryCount; ++i)
        store.write(kApplication, kOwnSection, settingsDirectories()[i].key,
                    completed.directories[i]);
    savePortChoice(store, kPortEntries.at(static_cast<std::size_t>(completed.portIndex)));
}

std::string chosenFolderValue(const std::string& folder) {
    if (folder.empty() || endsWithDirSeparator(folder))
        return folder;
    return completedDirValue(folder, {});
}

} // namespace orvik

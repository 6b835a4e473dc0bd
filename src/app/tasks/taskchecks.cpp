#include "app/tasks/taskchecks.h"

#include <filesystem>
#include <system_error>

#include "common/codepage.h"

namespace orvik {

using namespace orvik::literals;

bool workFileHoldsRows(const Directories& directories) {
    const std::filesystem::path path = fsPath(inDir(directories.datPolku, "orvik.dat"));
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return false;
    const auto length = std::filesystem::file_size(path, error);
    return !error && length > 0;
}

TaskMessage clearingReport(std::int32_t tulos) {
    if (tulos == 0 || tulos == 48)
        return {" Lukijan data on tyhjennetty. ", " Ilmoitus", MsgIcon::Information};
    return {" Lukijan tyhjennys epäonnistui. "_cp, " Virhe nro " + std::to_string(tulos),
            MsgIcon::Exclamation};
}

} // namespace orvik

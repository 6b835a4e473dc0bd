#include "app/tasks/tasktable.h"

#include "text/codepage.h"

namespace orvik {

using namespace orvik::literals;

std::optional<Task> taskAt(int index) {
    if (index < static_cast<int>(Task::FetchFromReader) ||
        index > static_cast<int>(Task::ZeroInventory))
        return std::nullopt;
    return static_cast<Task>(index);
}

std::vector<std::string> taskNames() {
    return {"Nouda lukijasta", "Tyhjennä lukija"_cp, "Ohjelma lukijaan", "Näytä rivit"_cp,
            "Nollainventointi"};
}

} // namespace orvik

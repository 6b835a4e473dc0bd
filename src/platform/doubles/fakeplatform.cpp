#include "platform/doubles/fakeplatform.h"

namespace orvik {

std::string FakeSettingsStore::read(const std::string& application, const std::string& section,
                                    const std::string& key, const std::string& defaultValue) {
    auto found = values.find({application, section, key});
    return found == values.end() ? defaultValue : found->second;
}

void FakeSettingsStore::write(const std::string& application, const std::string& section,
                              const std::string& key, const std::string& value) {
    values[{application, section, key}] = value;
    writes.push_back({{application, section, key}, value});
}

std::string FakeSettingsStore::value(const std::string& section, const std::string& key,
                                     const std::string& application) const {
    auto found = values.find({application, section, key});
    return found == values.end() ? "<absent>" : found->second;
}

void FakeSettingsStore::set(const std::string& section, const std::string& key,
                            const std::string& value, const std::string& application) {
    values[{application, section, key}] = value;
}

bool FakeSingleCopyLock::acquire() {
    ++acquireCalls;
    return !anotherCopyRuns;
}

std::optional<std::string> FakeFolderPicker::chooseFolder(const std::string& title,
                                                          const std::string& start) {
    calls.push_back({title, start});
    if (answers.empty())
        return std::nullopt;
    std::optional<std::string> answer = answers.front();
    answers.pop_front();
    return answer;
}

MsgAnswer FakeMessageBoxes::show(const std::string& text, const std::string& title, MsgIcon icon,
                                 MsgButtons buttons) {
    shown.push_back({text, title, icon, buttons});
    if (onShow)
        onShow(shown.back());
    if (buttons == MsgButtons::Ok)
        return MsgAnswer::Ok;
    if (!answers.empty()) {
        MsgAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    return buttons == MsgButtons::YesNoDefaultYes ? MsgAnswer::Yes : MsgAnswer::No;
}

void FakePrintingService::beginDocument(const std::string& documentName) {
    calls.push_back({PrintCall::Begin, documentName, 0});
}

void FakePrintingService::setOrientation(PageOrientation orientation) {
    calls.push_back({PrintCall::Orientation, {}, static_cast<int>(orientation)});
}

void FakePrintingService::setFont(const std::string& face, int points) {
    calls.push_back({PrintCall::Font, face, points});
}

void FakePrintingService::printLine(const std::string& line) {
    calls.push_back({PrintCall::Line, line, 0});
}

PrintOutcome FakePrintingService::endDocument() {
    calls.push_back({PrintCall::End, {}, 0});
    return outcome;
}

std::vector<std::string> FakePrintingService::lines() const {
    std::vector<std::string> printed;
    for (const PrintCall& call : calls)
        if (call.kind == PrintCall::Line)
            printed.push_back(call.text);
    return printed;
}

void FakeEventPump::runPendingOnce() {
    ++runs;
    if (onRun)
        onRun();
}

} // namespace orvik

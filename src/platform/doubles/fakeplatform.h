#pragma once
// Test doubles of the platform interfaces: each records what it was asked and
// plays back scripted answers, so tests never block on a dialog or a printer.
#include "platform/desktoplinks.h"
#include "platform/folderpicker.h"
#include "platform/platform.h"

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

namespace orvik {

class FakeSettingsStore : public SettingsStore {
public:
    using Key = std::tuple<std::string, std::string, std::string>; // app, section, key
    std::map<Key, std::string> values;
    std::vector<std::pair<Key, std::string>> writes; // in call order

    std::string read(const std::string& application, const std::string& section,
                     const std::string& key, const std::string& defaultValue) override;
    void write(const std::string& application, const std::string& section, const std::string& key,
               const std::string& value) override;

    // The stored value, or "<absent>" when none.
    std::string value(const std::string& section, const std::string& key,
                      const std::string& application = "Norvala Oy") const;
    void set(const std::string& section, const std::string& key, const std::string& value,
             const std::string& application = "Norvala Oy");
};

class FakeSingleCopyLock : public SingleCopyLock {
public:
    bool anotherCopyRuns = false;
    int acquireCalls = 0;
    bool acquire() override;
};

struct ShownMessage {
    std::string text;
    std::string title;
    MsgIcon icon;
    MsgButtons buttons;
};

class FakeMessageBoxes : public MessageBoxes {
public:
    std::vector<ShownMessage> shown;
    // Answers for Yes/No questions, taken in order; when none is left the
    // preselected button is the answer.
    std::deque<MsgAnswer> answers;
    // Runs while a message is "on screen" (for example to look at the windows).
    std::function<void(const ShownMessage&)> onShow;

    MsgAnswer show(const std::string& text, const std::string& title, MsgIcon icon,
                   MsgButtons buttons) override;
};

struct PrintCall {
    enum Kind { Begin, Orientation, Font, Line, End } kind;
    std::string text; // document name, font face or line
    int number = 0;   // font size, or the orientation
};

class FakePrintingService : public PrintingService {
public:
    std::vector<PrintCall> calls;
    PrintOutcome outcome; // what endDocument answers
    std::string pdfDirectory;

    void setPdfDirectory(const std::string& directoryValue) override {
        pdfDirectory = directoryValue;
    }

    void beginDocument(const std::string& documentName) override;
    void setOrientation(PageOrientation orientation) override;
    void setFont(const std::string& face, int points) override;
    void printLine(const std::string& line) override;
    PrintOutcome endDocument() override;

    // The printed lines of all documents, in order.
    std::vector<std::string> lines() const;
};

class FakeProgramEnd : public ProgramEnd {
public:
    int endCalls = 0;
    void endNow() override { ++endCalls; }
    bool ended() const override { return endCalls > 0; }
};

class FakeEventPump : public EventPump {
public:
    int runs = 0;
    std::function<void()> onRun;
    void runPendingOnce() override;
};

class FakeClock : public Clock {
public:
    CalendarDate date{2012, 11, 13};
    TimeOfDay time{8, 15, 2};
    // The elapsed time: it moves only when a test moves it.
    std::chrono::nanoseconds passed{0};
    int dateReads = 0;
    int timeReads = 0;
    CalendarDate today() override {
        ++dateReads;
        return date;
    }
    TimeOfDay now() override {
        ++timeReads;
        return time;
    }
    std::chrono::nanoseconds elapsed() override { return passed; }
};

// Records the files it was asked to open; the desktop's answer is scripted.
class FakeDesktopLinks : public DesktopLinks {
public:
    std::vector<std::filesystem::path> opened;
    bool opens = true;
    bool openFile(const std::filesystem::path& file) override {
        opened.push_back(file);
        return opens;
    }
};

// Not part of Platform: only the settings dialog chooses folders.
class FakeFolderPicker : public FolderPicker {
public:
    struct Call {
        std::string title;
        std::string start;
    };
    std::vector<Call> calls;
    // Answers taken in order; when none is left the user cancels.
    std::deque<std::optional<std::string>> answers;
    std::optional<std::string> chooseFolder(const std::string& title,
                                            const std::string& start) override;
};

// All doubles together, with the Platform that hands them out.
struct FakePlatform {
    FakeSettingsStore settings;
    FakeSingleCopyLock singleCopy;
    FakeMessageBoxes messages;
    FakePrintingService printer;
    FakeProgramEnd programEnd;
    FakeEventPump events;
    FakeClock clock;
    Platform platform{settings, singleCopy, messages, printer, programEnd, events, clock};
};

} // namespace orvik

#pragma once
// A reader library for tests: records every call with its arguments and
// plays back scripted results.
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "reader/readerlibrary.h"

namespace orvik {

class ScriptedReader : public ReaderLibrary {
public:
    // One answer of HM_upload2 or HM_download2: its result and the running
    // byte count it leaves in `bytes`.
    struct Step {
        int32_t result;
        int32_t bytes;
    };

    // Every call in order, written as "HM_upload1(1, 65, pnqty.dat, pnqty.dat)";
    // by-reference integers appear with the value they held on the way in.
    std::vector<std::string> calls;

    // Results per entry name, taken in order; an entry with none left answers
    // 0 (HM_OpenCommPort: true).
    std::map<std::string, std::deque<int32_t>> results;

    // Steps of the two transfers; with none left a step answers 0 and leaves
    // the byte count as it is, so a loop always ends.
    std::deque<Step> uploadSteps;
    std::deque<Step> downloadSteps;

    // Runs when HM_upload2 answers 0: the moment the fetched file is complete
    // (tests write it here).
    std::function<void()> onUploadFinished;

    // The calls of one entry only.
    std::vector<std::string> callsOf(const std::string& entry) const;

    bool HM_OpenCommPort(int32_t port, int32_t bitRate, int32_t dataBits, int32_t parity,
                         int32_t stopBits) override;
    int32_t HM_CloseCommPort(int32_t port) override;
    int32_t HM_set_upload_file_save_mode(int32_t mode) override;
    int32_t HM_upload1(int32_t port, uint8_t selector, std::string& name,
                       std::string& name2) override;
    int32_t HM_get_return_string_length(int32_t which) override;
    int32_t HM_upload2(int32_t& bytes, int32_t& other) override;
    int32_t HM_download1(int32_t port, uint8_t selector, std::string& name, std::string& name2,
                         int32_t& zero) override;
    int32_t HM_download2(int32_t& bytes, int32_t& other) override;
    int32_t HM_delete(int32_t port, uint8_t selector, std::string& name) override;

private:
    void record(const std::string& entry, const std::vector<std::string>& arguments);
    int32_t next(const std::string& entry);
    int32_t step(std::deque<Step>& steps, int32_t& bytes);
};

} // namespace orvik

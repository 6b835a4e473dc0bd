#include "reader/doubles/scriptedreader.h"

namespace orvik {

namespace {

std::string number(int64_t value) {
    return std::to_string(value);
}

} // namespace

void ScriptedReader::record(const std::string& entry, const std::vector<std::string>& arguments) {
    std::string call = entry + "(";
    for (std::size_t i = 0; i < arguments.size(); ++i)
        call += (i ? ", " : "") + arguments[i];
    calls.push_back(call + ")");
}

std::vector<std::string> ScriptedReader::callsOf(const std::string& entry) const {
    std::vector<std::string> matching;
    for (const std::string& call : calls)
        if (call.compare(0, entry.size() + 1, entry + "(") == 0)
            matching.push_back(call);
    return matching;
}

int32_t ScriptedReader::next(const std::string& entry) {
    auto queue = results.find(entry);
    if (queue == results.end() || queue->second.empty())
        return 0;
    const int32_t result = queue->second.front();
    queue->second.pop_front();
    return result;
}

int32_t ScriptedReader::step(std::deque<Step>& steps, int32_t& bytes) {
    if (steps.empty())
        return 0;
    const Step answer = steps.front();
    steps.pop_front();
    bytes = answer.bytes;
    return answer.result;
}

bool ScriptedReader::HM_OpenCommPort(int32_t port, int32_t bitRate, int32_t dataBits,
                                     int32_t parity, int32_t stopBits) {
    record("HM_OpenCommPort",
           {number(port), number(bitRate), number(dataBits), number(parity), number(stopBits)});
    auto queue = results.find("HM_OpenCommPort");
    return queue == results.end() || queue->second.empty() ? true : next("HM_OpenCommPort") != 0;
}

int32_t ScriptedReader::HM_CloseCommPort(int32_t port) {
    record("HM_CloseCommPort", {number(port)});
    return next("HM_CloseCommPort");
}

int32_t ScriptedReader::HM_set_upload_file_save_mode(int32_t mode) {
    record("HM_set_upload_file_save_mode", {number(mode)});
    return next("HM_set_upload_file_save_mode");
}

int32_t ScriptedReader::HM_upload1(int32_t port, uint8_t selector, std::string& name,
                                   std::string& name2) {
    record("HM_upload1", {number(port), number(selector), name, name2});
    return next("HM_upload1");
}

int32_t ScriptedReader::HM_get_return_string_length(int32_t which) {
    record("HM_get_return_string_length", {number(which)});
    return next("HM_get_return_string_length");
}

int32_t ScriptedReader::HM_upload2(int32_t& bytes, int32_t& other) {
    record("HM_upload2", {number(bytes), number(other)});
    const int32_t result = step(uploadSteps, bytes);
    if (result == 0 && onUploadFinished)
        onUploadFinished();
    return result;
}

int32_t ScriptedReader::HM_download1(int32_t port, uint8_t selector, std::string& name,
                                     std::string& name2, int32_t& zero) {
    record("HM_download1", {number(port), number(selector), name, name2, number(zero)});
    return next("HM_download1");
}

int32_t ScriptedReader::HM_download2(int32_t& bytes, int32_t& other) {
    record("HM_download2", {number(bytes), number(other)});
    return step(downloadSteps, bytes);
}

int32_t ScriptedReader::HM_delete(int32_t port, uint8_t selector, std::string& name) {
    record("HM_delete", {number(port), number(selector), name});
    return next("HM_delete");
}

} // namespace orvik

// The binding to the reader library. Nothing is loaded until an entry is
// first called; each entry's address is looked up by name at its own first
// call and kept. A library that can't be loaded, or an entry it lacks, turns
// into kReaderLibraryMissing (opening and closing the port: nothing at all),
// so start-up goes on silently and every reader task reports a failure.
#include "reader/readerloader.h"

#include "files/dirvalue.h"
#include "reader/dynamiclibrary.h"
#include "reader/readerabi.h"
#include "reader/textargument.h"
#include "text/codepage.h"

namespace orvik {
namespace {

// One entry: looked up once, by name, on first use.
template <typename Fn> class Entry {
public:
    explicit Entry(const char* name) : name_(name) {}

    // An entry the open library lacks is added to `lacked` at its look-up.
    Fn get(const DynamicLibrary& library, std::string& lacked) {
        if (!looked_) {
            looked_ = true;
            fn_ = reinterpret_cast<Fn>(library.symbol(name_));
            if (!fn_ && library.isOpen())
                lacked += (lacked.empty() ? "" : ", ") + std::string(name_);
        }
        return fn_;
    }

private:
    const char* name_;
    bool looked_ = false;
    Fn fn_ = nullptr;
};

class LoadedReaderLibrary : public ReaderLibrary {
public:
    explicit LoadedReaderLibrary(std::string baseName) : baseName_(std::move(baseName)) {}

    bool HM_OpenCommPort(int32_t port, int32_t bitRate, int32_t dataBits, int32_t parity,
                         int32_t stopBits) override {
        auto fn = bound(open_);
        return fn && fn(port, bitRate, dataBits, parity, stopBits) != 0;
    }

    int32_t HM_CloseCommPort(int32_t port) override {
        auto fn = bound(close_);
        return fn ? fn(port) : 0;
    }

    int32_t HM_set_upload_file_save_mode(int32_t mode) override {
        auto fn = bound(saveMode_);
        return fn ? fn(mode) : kReaderLibraryMissing;
    }

    int32_t HM_upload1(int32_t port, uint8_t selector, std::string& name,
                       std::string& name2) override {
        auto fn = bound(upload1_);
        if (!fn)
            return kReaderLibraryMissing;
        TextArgument nameText(name);
        TextArgument name2Text(name2);
        return fn(port, selector, nameText.data(), name2Text.data());
    }

    int32_t HM_get_return_string_length(int32_t which) override {
        auto fn = bound(stringLength_);
        return fn ? fn(which) : 0;
    }

    int32_t HM_upload2(int32_t& bytes, int32_t& other) override {
        auto fn = bound(upload2_);
        return fn ? fn(&bytes, &other) : kReaderLibraryMissing;
    }

    int32_t HM_download1(int32_t port, uint8_t selector, std::string& name, std::string& name2,
                         int32_t& zero) override {
        auto fn = bound(download1_);
        if (!fn)
            return kReaderLibraryMissing;
        TextArgument nameText(name);
        TextArgument name2Text(name2);
        return fn(port, selector, nameText.data(), name2Text.data(), &zero);
    }

    int32_t HM_download2(int32_t& bytes, int32_t& other) override {
        auto fn = bound(download2_);
        return fn ? fn(&bytes, &other) : kReaderLibraryMissing;
    }

    int32_t HM_delete(int32_t port, uint8_t selector, std::string& name) override {
        auto fn = bound(delete_);
        if (!fn)
            return kReaderLibraryMissing;
        TextArgument nameText(name);
        return fn(port, selector, nameText.data());
    }

    std::string missingText() const override {
        using namespace literals;
        if (!tried_)
            return {};
        if (library_.isOpen()) {
            if (lackedEntries_.empty())
                return {};
            return " Lukijakirjastosta "_cp + baseName_ + " puuttuu: " + lackedEntries_ + ". ";
        }
        const std::string fileName = DynamicLibrary::fileNameFor(baseName_);
        std::string text = " Lukijakirjastoa "_cp + baseName_ + " ei löytynyt. Sitä etsittiin "_cp;
        if (const std::filesystem::path beside = DynamicLibrary::programDirectory();
            !beside.empty())
            text += "ohjelman vierestä ("_cp + cpPath(beside / fileName) + ") ja ";
        return text + "nimellä "_cp + fileName + " järjestelmän kirjastopolulta. "_cp;
    }

private:
    // The library is tried once; a failure is not retried on later calls.
    template <typename Fn> Fn bound(Entry<Fn>& entry) {
        if (!tried_) {
            tried_ = true;
            library_.open(baseName_);
        }
        return entry.get(library_, lackedEntries_);
    }

    std::string baseName_;
    DynamicLibrary library_;
    bool tried_ = false;
    std::string lackedEntries_; // those looked for in vain, in the order of their calls
    Entry<readerabi::OpenCommPortFn> open_{"HM_OpenCommPort"};
    Entry<readerabi::CloseCommPortFn> close_{"HM_CloseCommPort"};
    Entry<readerabi::SetUploadFileSaveModeFn> saveMode_{"HM_set_upload_file_save_mode"};
    Entry<readerabi::Upload1Fn> upload1_{"HM_upload1"};
    Entry<readerabi::GetReturnStringLengthFn> stringLength_{"HM_get_return_string_length"};
    Entry<readerabi::Upload2Fn> upload2_{"HM_upload2"};
    Entry<readerabi::Download1Fn> download1_{"HM_download1"};
    Entry<readerabi::Download2Fn> download2_{"HM_download2"};
    Entry<readerabi::DeleteFn> delete_{"HM_delete"};
};

} // namespace

std::unique_ptr<ReaderLibrary> makeReaderLibrary() {
    return makeReaderLibrary("multidll");
}

std::unique_ptr<ReaderLibrary> makeReaderLibrary(const std::string& baseName) {
    return std::make_unique<LoadedReaderLibrary>(baseName);
}

} // namespace orvik

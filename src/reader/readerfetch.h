#pragma once
// Fetching the count from the reader and taking it into the work file.
#include <cstdint>
#include <filesystem>
#include <string>

#include "reader/readerlink.h"

namespace orvik {

// The fetched file on the PC: the library leaves it under the plain name
// "pnqty.dat" in the current directory, so the import reads it from there and
// removes it from there afterwards.
std::filesystem::path fetchedFilePath();

// Starts a fetch: HM_upload1 with these arguments, then
// HM_get_return_string_length(0); answers HM_upload1's result.
int32_t aloitanouto(ReaderLibrary& reader, int32_t port, uint8_t selector, std::string name,
                    std::string& name2);

struct FetchOutcome {
    int32_t tulos = 0;     // the last result code: the fetch's, then the clearing's
    bool imported = false; // the fetch and the import succeeded
};

// Fetches the count, takes it into the work file, clears the reader and
// opens the review window. Ends the program on failure.
FetchOutcome noudatiedot(const ReaderLink& link);

} // namespace orvik

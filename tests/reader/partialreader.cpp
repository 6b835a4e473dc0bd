// A reader library with only three of the entries, for the binding's tests:
// the port opening, a deletion that writes the name back in capitals, and a
// send that writes back texts as long as the buffers hold.
#include <cctype>
#include <cstdint>
#include <cstring>

#include "reader/readerabi.h"

#if defined(_WIN32)
#define PARTIAL_EXPORT extern "C" __declspec(dllexport)
#else
#define PARTIAL_EXPORT extern "C" __attribute__((visibility("default")))
#endif

PARTIAL_EXPORT uint8_t ORVIK_READER_CALL HM_OpenCommPort(int32_t port, int32_t, int32_t, int32_t,
                                                         int32_t) {
    return port == 2 ? 1 : 0;
}

PARTIAL_EXPORT int32_t ORVIK_READER_CALL HM_delete(int32_t port, uint8_t selector, char* name) {
    int32_t length = 0;
    for (char* c = name; *c; ++c, ++length)
        *c = static_cast<char>(std::toupper(static_cast<unsigned char>(*c)));
    return port * 1000 + selector + length;
}

// The first name filled to the last byte of its buffer with no NUL, the
// second replaced by a path far longer than any name it was given.
PARTIAL_EXPORT int32_t ORVIK_READER_CALL HM_download1(int32_t, uint8_t, char* name, char* name2,
                                                      int32_t*) {
    std::memset(name, 'N', orvik::readerabi::kTextRoom);
    std::memset(name2, 'p', 1000);
    name2[1000] = '\0';
    return 0;
}

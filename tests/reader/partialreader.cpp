// A reader library with only two of the entries, for the binding's tests:
// the port opening, and a deletion that writes the name back in capitals.
#include <cctype>
#include <cstdint>

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

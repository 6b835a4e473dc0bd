#pragma once
// The reader library's calling interface as it crosses the library boundary:
// C linkage, 32-bit integers by value or by pointer, one-byte values, and
// texts as writable NUL-terminated 8-bit buffers. Both the binding and the
// stand-in library we ship are written against these declarations.
#include <cstdint>

#if defined(_WIN32) && !defined(_WIN64)
#define ORVIK_READER_CALL __stdcall
#else
#define ORVIK_READER_CALL
#endif

namespace orvik::readerabi {

// HM_OpenCommPort answers true (non-zero) or false; every other entry answers
// a 32-bit result code.
using OpenCommPortFn = uint8_t(ORVIK_READER_CALL*)(int32_t port, int32_t bitRate, int32_t dataBits,
                                                   int32_t parity, int32_t stopBits);
using CloseCommPortFn = int32_t(ORVIK_READER_CALL*)(int32_t port);
using SetUploadFileSaveModeFn = int32_t(ORVIK_READER_CALL*)(int32_t mode);
using Upload1Fn = int32_t(ORVIK_READER_CALL*)(int32_t port, uint8_t selector, char* name,
                                              char* name2);
using GetReturnStringLengthFn = int32_t(ORVIK_READER_CALL*)(int32_t which);
using Upload2Fn = int32_t(ORVIK_READER_CALL*)(int32_t* bytes, int32_t* other);
using Download1Fn = int32_t(ORVIK_READER_CALL*)(int32_t port, uint8_t selector, char* name,
                                                char* name2, int32_t* zero);
using Download2Fn = int32_t(ORVIK_READER_CALL*)(int32_t* bytes, int32_t* other);
using DeleteFn = int32_t(ORVIK_READER_CALL*)(int32_t port, uint8_t selector, char* name);

// A text buffer handed to the library holds at least this many bytes, so the
// library may write a longer text back (a path, say) than it was given:
// ample room, far beyond the longest path the platforms allow.
inline constexpr int kTextRoom = 4096;

} // namespace orvik::readerabi

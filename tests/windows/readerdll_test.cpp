// The reader library on Windows: "multidll.dll", loaded beside the program
// first, its nine entries found by their plain names.
#include <gtest/gtest.h>

#include <windows.h>

#include "reader/dynamiclibrary.h"

namespace orvik {
namespace {

TEST(ReaderDll, TheStandInLoadsFromBesideTheProgramWithItsNineEntries) {
    EXPECT_EQ(DynamicLibrary::fileNameFor("multidll"), "multidll.dll");
    wchar_t program[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, program, MAX_PATH), 0u);
    const std::filesystem::path beside = std::filesystem::path(program).parent_path();
    EXPECT_EQ(DynamicLibrary::programDirectory(), beside);

    DynamicLibrary library;
    ASSERT_TRUE(library.open("multidll"));
    for (const char* entry :
         {"HM_OpenCommPort", "HM_CloseCommPort", "HM_set_upload_file_save_mode", "HM_upload1",
          "HM_get_return_string_length", "HM_upload2", "HM_download1", "HM_download2", "HM_delete"})
        EXPECT_NE(library.symbol(entry), nullptr) << entry;

    HMODULE module = nullptr;
    ASSERT_TRUE(GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                       GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                   static_cast<LPCWSTR>(library.symbol("HM_delete")), &module));
    wchar_t loaded[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(module, loaded, MAX_PATH), 0u);
    EXPECT_TRUE(std::filesystem::equivalent(loaded, beside / "multidll.dll"));
}

} // namespace
} // namespace orvik

// LoadLibrary by full path only, with '/' or '\' separators.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "platform/dynamic_library.h"
#include "platform/windows/win32.h"
#include "tests/support/scratch_folder.h"

namespace tv {
namespace {

using AnswerFunction = int (*)();

// The test DLL lies beside the test program, which runs from the build folder as a Windows path.
std::string LoadablePath() {
    wchar_t program[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring folder(program, length);
    folder.erase(folder.find_last_of(L'\\') + 1);
    std::string path(folder.begin(), folder.end());  // the build folder's path is ASCII
    std::replace(path.begin(), path.end(), '\\', '/');
    return path + TV_TEST_LOADABLE_NAME;
}

TEST(DynamicLibraryWin32, LoadsByFullPathWithEitherSeparator) {
    std::string backslashed = LoadablePath();
    std::replace(backslashed.begin(), backslashed.end(), '/', '\\');
    for (const std::string& path : {LoadablePath(), backslashed}) {
        DynamicLibrary library;
        ASSERT_TRUE(library.Load(path)) << path;
        auto answer = reinterpret_cast<AnswerFunction>(library.Symbol("TvLoadableAnswer"));
        ASSERT_NE(answer, nullptr) << path;
        EXPECT_EQ(answer(), 42);
        EXPECT_EQ(library.Symbol("NoSuchExport"), nullptr);
    }
}

TEST(DynamicLibraryWin32, RefusesWhatIsNotALibraryOrNoFullPath) {
    test::ScratchFolder folder;
    const std::string notALibrary = folder.path() + "/idletime.dll";
    std::ofstream(notALibrary) << "not a PE file";
    const std::string failing[] = {
        folder.path() + "/missing.dll",
        notALibrary,
        "",
        // A bare or relative name would let the loader search its own folders, where this one
        // exists.
        "kernel32.dll",
        "./idletime.dll",
        "C:kernel32.dll",
    };
    for (const std::string& path : failing) {
        DynamicLibrary library;
        EXPECT_FALSE(library.Load(path)) << path;
        EXPECT_FALSE(library.IsLoaded()) << path;
    }
}

}  // namespace
}  // namespace tv

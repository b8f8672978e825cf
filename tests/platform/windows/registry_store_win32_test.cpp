// The registry store in the registry itself: what one process writes, with its names, types and
// numbers, another reads with the registry calls alone (tv_registry_probe), and the other way.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

#include "platform/registry_store.h"

namespace tv {
namespace {

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

std::wstring BesideTheProgram(const std::string& name) {
    wchar_t program[MAX_PATH];
    std::wstring folder(program, GetModuleFileNameW(nullptr, program, MAX_PATH));
    folder.erase(folder.find_last_of(L'\\') + 1);
    return folder + Wide(name);
}

class RegistryStoreWin32 : public testing::Test {
  protected:
    // A key and an output file of this test's own: tests run side by side.
    RegistryStoreWin32() {
        const std::string test = testing::UnitTest::GetInstance()->current_test_info()->name();
        const std::string unique = std::to_string(GetCurrentProcessId()) + "-" + test;
        key_ = "Software\\OstrelSystem\\TessaravineNextTests\\" + unique;
        wchar_t temporary[MAX_PATH];
        output_ = std::wstring(temporary, GetTempPathW(MAX_PATH, temporary)) +
                  Wide("registry-" + unique + ".txt");
    }
    ~RegistryStoreWin32() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, Wide(key_).c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, Wide(key_).c_str());
        DeleteFileW(output_.c_str());
    }

    // Runs the probe with these arguments after its mode and the key; its exit code.
    DWORD RunProbe(const std::wstring& mode, const std::wstring& more = L"") {
        std::wstring command = L"\"" + BesideTheProgram(TV_REGISTRY_PROBE_NAME) + L"\" " + mode +
                               L" \"" + Wide(key_) + L"\"" + more;
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        PROCESS_INFORMATION process{};
        if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &process)) {
            ADD_FAILURE() << "the probe did not start: " << GetLastError();
            return ~0u;
        }
        WaitForSingleObject(process.hProcess, INFINITE);
        DWORD code = ~0u;
        GetExitCodeProcess(process.hProcess, &code);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        return code;
    }

    // The key as the probe lists it; "(no key)" when it cannot open it.
    std::string DumpedByAnotherProcess() {
        if (RunProbe(L"dump", L" \"" + output_ + L"\"") != 0) return "(no key)";
        std::ifstream in(output_.c_str(), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

    std::string key_;
    std::wstring output_;
};

TEST_F(RegistryStoreWin32, EveryTypeWrittenIsReadByAnotherProcess) {
    RegistryStore store(key_);
    ASSERT_TRUE(store.Load());
    ASSERT_TRUE(store.WriteDword("Directory", "ValidDrive", 0x0300001D));
    ASSERT_TRUE(store.WriteDword("Mirroring", "MirrorInterval", 0xFFFFFFC3));
    ASSERT_TRUE(store.WriteString("Directory", "A", "ドライブ A"));
    ASSERT_TRUE(store.WriteString("Mirroring", "Directry2", ""));
    ASSERT_TRUE(store.WriteString("Mirroring", "", "unnamed"));
    ASSERT_TRUE(store.WriteBinary("Network", "Pass2", std::string("\x88\xd1\x00\x02", 4)));
    ASSERT_TRUE(store.WriteBinary("Network", "User2", ""));
    ASSERT_TRUE(store.WriteDword("Network", "Gone", 1));
    ASSERT_TRUE(store.DeleteValue("Network", "Gone"));
    uint32_t absent = 0;
    EXPECT_FALSE(store.ReadDword("Sound", "Sound", &absent));  // makes the section's key

    EXPECT_EQ(DumpedByAnotherProcess(),
              "Directory\n"
              "Directory\tA\tREG_SZ\tドライブ A\\0\n"
              "Directory\tValidDrive\tREG_DWORD\t0300001d\n"
              "Mirroring\n"
              "Mirroring\t\tREG_SZ\tunnamed\\0\n"
              "Mirroring\tDirectry2\tREG_SZ\t\\0\n"
              "Mirroring\tMirrorInterval\tREG_DWORD\tffffffc3\n"
              "Network\n"
              "Network\tPass2\tREG_BINARY\t88,d1,00,02\n"
              "Network\tUser2\tREG_BINARY\t\n"
              "Sound\n");
}

TEST_F(RegistryStoreWin32, ABatchReachesTheRegistryWhenItEnds) {
    RegistryStore store(key_);
    {
        RegistryStore::Batch batch(store);
        ASSERT_TRUE(store.WriteDword("Mirroring", "SyncInterval", 90));
        ASSERT_TRUE(store.WriteString("Mirroring", "SynchroDirectory", "C:/同期先"));
        EXPECT_TRUE(store.HasUnsavedChanges());
        EXPECT_EQ(DumpedByAnotherProcess(), "(no key)");
    }
    EXPECT_FALSE(store.HasUnsavedChanges());
    EXPECT_EQ(DumpedByAnotherProcess(),
              "Mirroring\n"
              "Mirroring\tSyncInterval\tREG_DWORD\t0000005a\n"
              "Mirroring\tSynchroDirectory\tREG_SZ\tC:/同期先\\0\n");
}

// Values of other types, or a REG_DWORD of another size, are not the store's: passed over on
// reading and left in the registry.
TEST_F(RegistryStoreWin32, ReadsWhatAnotherProcessWroteAndPassesOverOtherTypes) {
    ASSERT_EQ(RunProbe(L"write"), 0u);
    RegistryStore store(key_);
    ASSERT_TRUE(store.Load());

    RegistryValue interval, folder, unterminated, pass;
    interval.type = RegistryValue::Type::Dword;
    interval.dword = 1439;
    folder.text = "C:\\同期先";
    unterminated.text = "ab";
    pass.type = RegistryValue::Type::Binary;
    pass.text = std::string("\x88\xd1\x00\x02", 4);
    const RegistrySections expected = {{"Mirroring",
                                        {{"MirrorInterval", interval},
                                         {"SynchroDirectory", folder},
                                         {"Unterminated", unterminated},
                                         {"Pass2", pass}}}};
    EXPECT_EQ(RegistryStore::Serialize(expected), store.Serialize());

    ASSERT_TRUE(store.WriteDword("Mirroring", "MirrorInterval", 60));
    const std::string dumped = DumpedByAnotherProcess();
    EXPECT_NE(dumped.find("Mirroring\tExpandable\ttype 2\n"), std::string::npos) << dumped;
    EXPECT_NE(dumped.find("Mirroring\tWide\ttype 11\n"), std::string::npos) << dumped;
    EXPECT_NE(dumped.find("Mirroring\tMirrorInterval\tREG_DWORD\t0000003c\n"), std::string::npos)
        << dumped;
}

// A key that lives only until the session ends takes no lasting key below it, so the section
// cannot be made. The value is held all the same and the store says the registry lacks it.
TEST_F(RegistryStoreWin32, AKeyThatCannotBeMadeFailsTheWriteAndKeepsTheValue) {
    // The keys above are made lasting first: a key made volatile makes the missing ones above it
    // volatile too, which would leave every other test without its keys.
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, Wide(key_).c_str(), 0, nullptr,
                              REG_OPTION_NON_VOLATILE, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    HKEY volatileKey = nullptr;
    ASSERT_EQ(RegCreateKeyExW(key, L"session", 0, nullptr, REG_OPTION_VOLATILE, KEY_WRITE, nullptr,
                              &volatileKey, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(volatileKey);
    RegCloseKey(key);
    RegistryStore store(key_ + "\\session");
    EXPECT_FALSE(store.WriteDword("Mirroring", "SyncInterval", 90));
    EXPECT_TRUE(store.HasUnsavedChanges());
    uint32_t held = 0;
    EXPECT_TRUE(store.ReadDword("Mirroring", "SyncInterval", &held));
    EXPECT_EQ(held, 90u);
}

TEST(RegistryStoreWin32Location, TheProgramsKeyIsItsOwnBelowTheUsersSoftware) {
    EXPECT_EQ(DefaultRegistryLocation("C:/ignored"), "Software\\OstrelSystem\\TessaravineNext");
}

}  // namespace
}  // namespace tv

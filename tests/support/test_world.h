// One test's own world: a temporary program directory, HOME (with its trash), config folder,
// documents folder and a pinned-only drive table with the letters the test asks for. The
// environment variables HOME, XDG_CONFIG_HOME, XDG_DATA_HOME, XDG_CACHE_HOME and XDG_RUNTIME_DIR
// (and APPDATA on Windows) point into it while it lives; everything is removed when it goes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/drive_table.h"
#include "platform/locations.h"
#include "tests/support/tree.h"

namespace tv::test {

class TestWorld {
  public:
    TestWorld();
    ~TestWorld();
    TestWorld(const TestWorld&) = delete;
    TestWorld& operator=(const TestWorld&) = delete;

    const std::string& base() const { return base_; }  // the temporary folder holding it all
    const Locations& locations() const { return locations_; }
    const std::string& programDir() const { return locations_.programDir; }
    const std::string& configDir() const { return locations_.configDir; }
    const std::string& home() const { return home_; }
    DriveTable& drives() { return drives_; }

    // Pins letter to a new folder base()/drive_<letter> and returns its root (with separator).
    std::string AddDrive(char letter, int type, std::optional<uint32_t> serial = std::nullopt,
                         const std::string& label = "",
                         std::optional<uint64_t> freeBytes = std::nullopt);
    std::string root(char letter) const { return drives_.RootOf(letter); }
    // A new empty folder base()/name.
    std::string MakeFolder(const std::string& name);

    void Write(const std::string& folder, const Tree& tree) { WriteTree(folder, tree); }
    Tree Read(const std::string& folder) const { return ReadTree(folder); }
    // The freedesktop.org home trash of this world: its files and info folders.
    std::string TrashFiles() const;
    std::string TrashInfo() const;

  private:
    std::string base_;
    std::string home_;
    Locations locations_;
    DriveTable drives_;
#ifdef _WIN32
    static constexpr int kVariables = 6;  // and APPDATA, the config folder's parent there
#else
    static constexpr int kVariables = 5;
#endif
    std::string savedEnv_[kVariables];
    bool hadEnv_[kVariables] = {};
};

}  // namespace tv::test

// A temporary folder for one CardProbe test: a config folder that XDG_CONFIG_HOME (APPDATA on
// Windows) points at, so the library finds the drive table written here, drive folders, and fake
// sysfs trees.
// Everything goes, and the variable is restored, when it goes.
#pragma once

#include <string>

namespace tv::test {

class ScratchWorld {
  public:
    ScratchWorld();
    ~ScratchWorld();
    ScratchWorld(const ScratchWorld&) = delete;
    ScratchWorld& operator=(const ScratchWorld&) = delete;

    const std::string& base() const { return base_; }
    std::string DriveFilePath() const;

    // Appends one line (given without its line end) to drives.tsv, ending it in CR LF.
    void AddDriveLine(const std::string& line);
    // Makes base()/drive_<letter>, adds its line as a pinned drive and returns the root
    // (with its separator).
    std::string AddDrive(char letter, int type, const std::string& device = "");

    // Makes base()/name (and its parents) and returns it.
    std::string MakeFolder(const std::string& name) const;

  private:
    std::string base_;
    std::string savedConfigHome_;
    bool hadConfigHome_ = false;
};

}  // namespace tv::test

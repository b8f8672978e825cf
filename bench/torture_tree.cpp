// Makes, changes and checks the trees over which bench/crash-torture kills the copy engine. A
// record beside the trees (ROOT/record) keeps, for every file, the checksum of every version it
// has had and what the destination held at the last look, so that a check after a kill tells
// the destination's old version, the source's new one and anything else apart.
//
//   torture_tree make ROOT SEED             ROOT/source, and ROOT/destination holding an older
//                                           version of most of its files plus files it lacks
//   torture_tree change ROOT SEED PERCENT   rewrites that share of the source files with newer
//                                           bytes and times, adds a few files, removes a few
//   torture_tree check ROOT TRASH           after a killed run: "damaged D lost L wrong_times W"
//   torture_tree final ROOT TRASH           after a complete run: "leftovers L mismatches M"
//
// TRASH is the trash folder (holding files/ and info/) that the engine's deletions go to. Every
// fault found is described on standard error.
#include <fcntl.h>
#include <nettle/sha2.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int64_t kDay = 24 * 60 * 60;
// The engine dates a new copy 1970-01-01 until its data is known to be on disk.
constexpr int64_t kMarkerSeconds = 0;
constexpr const char* kTemporaryPrefix = ".tvpart-";

struct FileRecord {
    bool inSource = false;
    std::string held;      // checksum the destination held at the last look; empty = nothing
    int64_t heldTime = 0;  // its modification time then, in seconds
    std::vector<std::string> versions;  // every version's checksum, the source's current last
};

// By path below the two roots.
using Record = std::map<std::string, FileRecord>;

struct Trees {
    explicit Trees(const std::string& root)
        : root(root),
          source(root + "/source"),
          destination(root + "/destination"),
          record(root + "/record") {}
    std::string root, source, destination, record;
};

[[noreturn]] void Fail(const std::string& what, const std::string& path) {
    throw std::runtime_error(what + " " + path + ": " + std::strerror(errno));
}

std::string Hex(const uint8_t* bytes, size_t size) {
    static const char kDigits[] = "0123456789abcdef";
    std::string text;
    for (size_t i = 0; i < size; ++i) {
        text += kDigits[bytes[i] >> 4];
        text += kDigits[bytes[i] & 15];
    }
    return text;
}

std::string DigestOf(sha256_ctx& context) {
    uint8_t digest[SHA256_DIGEST_SIZE];
    sha256_digest(&context, sizeof digest, digest);
    return Hex(digest, sizeof digest);
}

std::string ChecksumOf(const std::string& bytes) {
    sha256_ctx context;
    sha256_init(&context);
    sha256_update(&context, bytes.size(), reinterpret_cast<const uint8_t*>(bytes.data()));
    return DigestOf(context);
}

std::string ChecksumOfFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) Fail("cannot read", path);
    sha256_ctx context;
    sha256_init(&context);
    std::vector<char> buffer(1 << 20);
    while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount()) {
        sha256_update(&context, static_cast<size_t>(in.gcount()),
                      reinterpret_cast<const uint8_t*>(buffer.data()));
    }
    return DigestOf(context);
}

bool Stat(const std::string& path, struct stat* status) { return lstat(path.c_str(), status) == 0; }

struct stat StatOrFail(const std::string& path) {
    struct stat status {};
    if (!Stat(path, &status)) Fail("cannot look at", path);
    return status;
}

// ---- the record ----

Record ReadRecord(const std::string& path) {
    std::ifstream in(path);
    if (!in) Fail("cannot read", path);
    Record record;
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string name, inSource, held, heldTime, versions;
        std::getline(fields, name, '\t');
        std::getline(fields, inSource, '\t');
        std::getline(fields, held, '\t');
        std::getline(fields, heldTime, '\t');
        std::getline(fields, versions);
        FileRecord& file = record[name];
        file.inSource = inSource == "1";
        file.held = held == "-" ? "" : held;
        file.heldTime = std::stoll(heldTime);
        std::istringstream list(versions);
        for (std::string version; std::getline(list, version, ',');) {
            file.versions.push_back(version);
        }
    }
    return record;
}

void WriteRecord(const std::string& path, const Record& record) {
    std::ofstream out(path, std::ios::trunc);
    for (const auto& [name, file] : record) {
        out << name << '\t' << (file.inSource ? 1 : 0) << '\t'
            << (file.held.empty() ? "-" : file.held) << '\t' << file.heldTime << '\t';
        for (size_t i = 0; i < file.versions.size(); ++i) {
            out << (i ? "," : "") << file.versions[i];
        }
        out << '\n';
    }
    if (!out.flush()) Fail("cannot write", path);
}

// ---- making and changing files ----

struct Stamp {
    int64_t seconds = 0;
    long nanoseconds = 0;
};

// Replaces the file (a read-only one too) with these bytes, mode and times.
void WriteFile(const std::string& path, const std::string& bytes, mode_t mode, Stamp when) {
    unlink(path.c_str());
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) Fail("cannot create", path);
    const struct timespec times[2] = {{static_cast<time_t>(when.seconds), when.nanoseconds},
                                      {static_cast<time_t>(when.seconds), when.nanoseconds}};
    const bool written =
        write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    const bool finished = written && fchmod(fd, mode) == 0 && futimens(fd, times) == 0;
    close(fd);
    if (!finished) Fail("cannot write", path);
}

void MakeFolder(const std::string& path, mode_t mode) {
    if (mkdir(path.c_str(), mode) != 0 || chmod(path.c_str(), mode) != 0) {
        Fail("cannot make", path);
    }
}

class Randomness {
  public:
    explicit Randomness(uint64_t seed) : generator_(seed) {}
    // Uniform in [low, high].
    uint64_t Between(uint64_t low, uint64_t high) { return low + generator_() % (high - low + 1); }
    bool OneIn(uint64_t n) { return generator_() % n == 0; }
    bool Percent(uint64_t percent) { return generator_() % 100 < percent; }
    std::string Bytes(size_t size) {
        std::string bytes(size, '\0');
        for (size_t i = 0; i < size; i += 8) {
            const uint64_t value = generator_();
            std::memcpy(&bytes[i], &value, std::min<size_t>(8, size - i));
        }
        return bytes;
    }

  private:
    std::mt19937_64 generator_;
};

enum class SizeClass { Empty, Tiny, Small, Large };

SizeClass ClassOfSize(uint64_t size) {
    if (size == 0) return SizeClass::Empty;
    if (size <= 100) return SizeClass::Tiny;
    if (size <= 32 * 1024) return SizeClass::Small;
    return SizeClass::Large;
}

size_t SizeIn(SizeClass sizeClass, Randomness& random) {
    switch (sizeClass) {
        case SizeClass::Empty:
            return 0;
        case SizeClass::Tiny:
            return random.Between(1, 100);
        case SizeClass::Small:
            return random.Between(101, 32 * 1024);
        case SizeClass::Large:
            break;
    }
    return random.Between(1 << 20, 4 << 20);
}

// A few large files, then empty, tiny and small ones mixed.
SizeClass ClassOfNewFile(size_t index, Randomness& random) {
    if (index < 8) return SizeClass::Large;
    const uint64_t draw = random.Between(0, 99);
    if (draw < 5) return SizeClass::Empty;
    return draw < 30 ? SizeClass::Tiny : SizeClass::Small;
}

mode_t ModeOfNewFile(Randomness& random) {
    const uint64_t draw = random.Between(0, 99);
    if (draw < 3) return 0600;
    if (draw < 6) return 0755;
    if (draw < 8) return 0640;
    return draw < 9 ? 0444 : 0644;
}

// Bytes of about that size that none of the file's versions had, so that the checksum tells
// every version apart (the version after an empty one has a byte or more).
std::string NewVersion(size_t size, FileRecord& file, Randomness& random) {
    for (;; ++size) {
        std::string bytes = random.Bytes(size);
        const std::string checksum = ChecksumOf(bytes);
        if (std::find(file.versions.begin(), file.versions.end(), checksum) ==
            file.versions.end()) {
            file.versions.push_back(checksum);
            return bytes;
        }
    }
}

Stamp RandomStampAround(int64_t seconds, Randomness& random) {
    return {seconds, static_cast<long>(random.Between(0, 999999999))};
}

std::vector<std::string> FoldersBelow(const std::string& root) {
    std::vector<std::string> folders{""};
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (entry.is_directory()) folders.push_back(fs::relative(entry.path(), root).string());
    }
    std::sort(folders.begin(), folders.end());
    return folders;
}

std::string Join(const std::string& folder, const std::string& name) {
    return folder.empty() ? name : folder + "/" + name;
}

std::string NewFileName(size_t index, Randomness& random) {
    static const char* const kExtensions[] = {".txt", ".dat", ".bin", ""};
    const std::string hidden = random.OneIn(100) ? "." : "";
    return hidden + "file" + std::to_string(index) + kExtensions[random.Between(0, 3)];
}

// ---- making the trees ----

class TreeMaker {
  public:
    TreeMaker(const Trees& trees, Randomness& random)
        : trees_(trees), random_(random), now_(std::time(nullptr)) {}

    void Make() {
        MakeFolder(trees_.root, 0755);
        MakeFolder(trees_.source, 0755);
        MakeFolder(trees_.destination, 0755);
        const std::vector<std::string> folders = MakeNestedFolders();
        for (size_t i = 0; i < 3000; ++i) {
            const std::string& folder = folders[random_.Between(0, folders.size() - 1)];
            MakeSourceFile(Join(folder, NewFileName(i, random_)), ClassOfNewFile(i, random_),
                           !random_.OneIn(10));
        }
        MakePrivateFolder();
        MakeFilesTheSourceNoLongerHas(folders);
        WriteRecord(trees_.record, record_);
    }

  private:
    // Three levels below the root, in the source and the destination alike.
    std::vector<std::string> MakeNestedFolders() {
        std::vector<std::string> folders{""};
        for (int a = 0; a < 6; ++a) {
            const std::string top = "d" + std::to_string(a);
            MakeBothFolders(top, folders);
            for (int b = 0; b < 4; ++b) {
                const std::string middle = top + "/e" + std::to_string(b);
                MakeBothFolders(middle, folders);
                for (int c = 0; c < 2; ++c)
                    MakeBothFolders(middle + "/f" + std::to_string(c), folders);
            }
        }
        return folders;
    }

    void MakeBothFolders(const std::string& folder, std::vector<std::string>& folders) {
        MakeFolder(Join(trees_.source, folder), 0755);
        MakeFolder(Join(trees_.destination, folder), 0755);
        folders.push_back(folder);
    }

    // A file of the source, dated some days ago; with an older version in the destination (a
    // plain copy of an earlier run: other bytes, mode 0644, days older) when withCopy.
    void MakeSourceFile(const std::string& name, SizeClass sizeClass, bool withCopy) {
        FileRecord& file = record_[name];
        const Stamp written = RandomStampAround(
            now_ - 10 * kDay + static_cast<int64_t>(random_.Between(0, 5 * kDay)), random_);
        if (withCopy) {
            const std::string old = NewVersion(SizeIn(sizeClass, random_), file, random_);
            const Stamp older = RandomStampAround(
                written.seconds - static_cast<int64_t>(random_.Between(kDay, 30 * kDay)), random_);
            WriteFile(Join(trees_.destination, name), old, 0644, older);
            file.held = file.versions.back();
            file.heldTime = older.seconds;
        }
        const std::string bytes = NewVersion(SizeIn(sizeClass, random_), file, random_);
        WriteFile(Join(trees_.source, name), bytes, ModeOfNewFile(random_), written);
        file.inSource = true;
    }

    // A folder only its owner may enter, which the destination does not have yet.
    void MakePrivateFolder() {
        MakeFolder(Join(trees_.source, "private"), 0700);
        for (size_t i = 0; i < 20; ++i) {
            MakeSourceFile(Join("private", NewFileName(i, random_)), SizeClass::Small, false);
        }
    }

    // Extras for the mirror deletion: a folder tree of them and loose ones at the top, which it
    // removes, and loose ones in folders both sides have, which it keeps.
    void MakeFilesTheSourceNoLongerHas(const std::vector<std::string>& folders) {
        MakeFolder(Join(trees_.destination, "gone"), 0755);
        MakeFolder(Join(trees_.destination, "gone/sub"), 0755);
        for (size_t i = 0; i < 100; ++i) {
            std::string folder = folders[random_.Between(0, folders.size() - 1)];
            if (i < 20) folder = i % 2 ? "gone" : "gone/sub";
            if (i >= 20 && i < 60) folder = "";
            MakeDestinationOnlyFile(Join(folder, "old" + std::to_string(i) + ".dat"));
        }
    }

    void MakeDestinationOnlyFile(const std::string& name) {
        FileRecord& file = record_[name];
        const std::string bytes = NewVersion(SizeIn(SizeClass::Small, random_), file, random_);
        const Stamp when = RandomStampAround(now_ - 20 * kDay, random_);
        WriteFile(Join(trees_.destination, name), bytes, 0644, when);
        file.held = file.versions.back();
        file.heldTime = when.seconds;
    }

    const Trees& trees_;
    Randomness& random_;
    const int64_t now_;
    Record record_;
};

// ---- changing the source ----

class SourceChanger {
  public:
    SourceChanger(const Trees& trees, Randomness& random)
        : trees_(trees), random_(random), record_(ReadRecord(trees.record)) {}

    void Change(uint64_t percent, const std::string& round) {
        std::vector<std::string> present;
        for (auto& [name, file] : record_) {
            if (!file.inSource) continue;
            present.push_back(name);
            if (random_.Percent(percent)) Rewrite(name, file);
        }
        AddFiles(present.size() / 200 + 1, round);
        RemoveTopFile(present);
        RemoveFiles(present, present.size() / 300);
        WriteRecord(trees_.record, record_);
    }

  private:
    // New bytes of the same kind of size, dated now but always past what the engine's time
    // tolerance (2 seconds) takes for the same time.
    void Rewrite(const std::string& name, FileRecord& file) {
        const std::string path = Join(trees_.source, name);
        const struct stat status = StatOrFail(path);
        const std::string bytes =
            NewVersion(SizeIn(ClassOfSize(status.st_size), random_), file, random_);
        const int64_t now = std::time(nullptr);
        const int64_t seconds = std::max<int64_t>(now - 1, status.st_mtim.tv_sec + 3);
        WriteFile(path, bytes, status.st_mode & 07777, RandomStampAround(seconds, random_));
    }

    // A third of them in a new folder of the round, the rest in folders that exist.
    void AddFiles(size_t count, const std::string& round) {
        std::vector<std::string> folders = FoldersBelow(trees_.source);
        const std::string fresh =
            Join(folders[random_.Between(0, folders.size() - 1)], "new-" + round);
        MakeFolder(Join(trees_.source, fresh), 0755);
        for (size_t i = 0; i < count; ++i) {
            const std::string folder =
                i % 3 == 0 ? fresh : folders[random_.Between(0, folders.size() - 1)];
            AddFile(Join(folder, "round" + round + "-" + NewFileName(i, random_)));
        }
    }

    void AddFile(const std::string& name) {
        FileRecord& file = record_[name];
        const SizeClass sizeClass = ClassOfNewFile(8 + random_.Between(0, 99), random_);
        const std::string bytes = NewVersion(SizeIn(sizeClass, random_), file, random_);
        WriteFile(Join(trees_.source, name), bytes, ModeOfNewFile(random_),
                  RandomStampAround(std::time(nullptr) - 1, random_));
        file.inSource = true;
    }

    // One at the top of the tree, which the mirror deletion removes from the destination.
    void RemoveTopFile(const std::vector<std::string>& present) {
        std::vector<std::string> top;
        std::copy_if(present.begin(), present.end(), std::back_inserter(top),
                     [](const std::string& name) { return name.find('/') == std::string::npos; });
        if (!top.empty()) RemoveFile(top[random_.Between(0, top.size() - 1)]);
    }

    void RemoveFiles(const std::vector<std::string>& present, size_t count) {
        for (size_t i = 0; i < count; ++i) {
            RemoveFile(present[random_.Between(0, present.size() - 1)]);
        }
    }

    void RemoveFile(const std::string& name) {
        FileRecord& file = record_[name];
        if (!file.inSource) return;
        const std::string path = Join(trees_.source, name);
        if (unlink(path.c_str()) != 0) Fail("cannot remove", path);
        file.inSource = false;
    }

    const Trees& trees_;
    Randomness& random_;
    Record record_;
};

// ---- looking at the results ----

std::string PercentDecoded(const std::string& text) {
    std::string decoded;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            decoded += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            decoded += text[i];
        }
    }
    return decoded;
}

// What the trash holds, by the path each entry had before it was trashed.
class Trash {
  public:
    explicit Trash(const std::string& folder) : files_(folder + "/files") {
        std::error_code error;
        for (const auto& entry : fs::directory_iterator(folder + "/info", error)) {
            if (entry.path().extension() == ".trashinfo") ReadInfo(entry.path());
        }
    }

    bool Holds(const std::string& path, const std::string& checksum) const {
        const auto [first, last] = names_.equal_range(path);
        for (auto it = first; it != last; ++it) {
            const std::string held = Join(files_, it->second);
            struct stat status {};
            if (Stat(held, &status) && S_ISREG(status.st_mode) &&
                ChecksumOfFile(held) == checksum) {
                return true;
            }
        }
        return false;
    }

  private:
    void ReadInfo(const fs::path& info) {
        std::ifstream in(info);
        for (std::string line; std::getline(in, line);) {
            if (line.compare(0, 5, "Path=") == 0) {
                names_.emplace(PercentDecoded(line.substr(5)), info.stem().string());
            }
        }
    }

    std::string files_;
    std::multimap<std::string, std::string> names_;
};

void Report(const char* fault, const std::string& name, const std::string& detail) {
    std::cerr << fault << ": " << name << ": " << detail << '\n';
}

std::string VersionName(const FileRecord& file, const std::string& checksum) {
    const auto found = std::find(file.versions.begin(), file.versions.end(), checksum);
    if (found == file.versions.end()) return "bytes the file never had";
    return "its version " + std::to_string(found - file.versions.begin() + 1) + " of " +
           std::to_string(file.versions.size());
}

struct Look {
    bool exists = false;
    std::string checksum;
    int64_t seconds = 0;
};

Look LookAt(const std::string& path) {
    struct stat status {};
    if (!Stat(path, &status)) return {};
    return {true, S_ISREG(status.st_mode) ? ChecksumOfFile(path) : "", status.st_mtim.tv_sec};
}

// Whether a mirror run removes a destination file whose source is gone: its deletion looks at the
// top of the destination and into folders the source lacks, never into folders both sides have.
bool MirrorRemoves(const Trees& trees, const std::string& name) {
    const size_t slash = name.find('/');
    struct stat status {};
    return slash == std::string::npos || !Stat(Join(trees.source, name.substr(0, slash)), &status);
}

// After a killed run every destination file holds what it held before the run, or the source's
// current version; the first with its times untouched, the second with the source's time or,
// while its copy waits for the sync, the marker. What is gone must have had no source, lain
// where the mirror deletion looks, and be in the trash.
class KillCheck {
  public:
    KillCheck(const Trees& trees, const std::string& trash)
        : trees_(trees), trash_(trash), record_(ReadRecord(trees.record)) {}

    void Run() {
        for (auto& [name, file] : record_) CheckFile(name, file);
        WriteRecord(trees_.record, record_);
        std::cout << "damaged " << damaged_ << " lost " << lost_ << " wrong_times " << wrongTimes_
                  << '\n';
    }

  private:
    void CheckFile(const std::string& name, FileRecord& file) {
        const std::string path = Join(trees_.destination, name);
        const Look look = LookAt(path);
        if (!look.exists) {
            CheckGone(name, path, file);
        } else {
            CheckHeld(name, file, look);
        }
        file.held = look.checksum;
        file.heldTime = look.seconds;
    }

    void CheckGone(const std::string& name, const std::string& path, const FileRecord& file) {
        if (file.held.empty()) return;
        if (file.inSource) {
            ++lost_;
            Report("lost", name, "its source is still there");
        } else if (!MirrorRemoves(trees_, name)) {
            ++lost_;
            Report("lost", name, "gone from a folder both sides have, which the mirror keeps");
        } else if (!trash_.Holds(path, file.held)) {
            ++lost_;
            Report("lost", name, "deleted, but the trash does not hold it");
        }
    }

    void CheckHeld(const std::string& name, const FileRecord& file, const Look& look) {
        const bool isOld = look.checksum == file.held;
        const bool isNew = file.inSource && look.checksum == file.versions.back();
        if (!isOld && !isNew) {
            ++damaged_;
            Report("damaged", name, "holds " + VersionName(file, look.checksum));
            return;
        }
        const int64_t sourceTime =
            isNew ? StatOrFail(Join(trees_.source, name)).st_mtim.tv_sec : -1;
        const bool newTimeRight =
            isNew && (look.seconds == sourceTime || look.seconds == kMarkerSeconds);
        const bool oldTimeRight = isOld && look.seconds == file.heldTime;
        if (!newTimeRight && !oldTimeRight) {
            ++wrongTimes_;
            Report("wrong time", name,
                   "dated " + std::to_string(look.seconds) + ", holding " +
                       VersionName(file, look.checksum) + (isNew ? ", source dated " : ", was ") +
                       std::to_string(isNew ? sourceTime : file.heldTime));
        }
    }

    const Trees& trees_;
    const Trash trash_;
    Record record_;
    long damaged_ = 0, lost_ = 0, wrongTimes_ = 0;
};

struct Entry {
    bool folder = false;
    mode_t mode = 0;
    int64_t seconds = 0;
    std::string checksum;
};

std::map<std::string, Entry> EntriesBelow(const std::string& root) {
    std::map<std::string, Entry> entries;
    for (const auto& item : fs::recursive_directory_iterator(root)) {
        const std::string path = item.path().string();
        const struct stat status = StatOrFail(path);
        Entry& entry = entries[fs::relative(item.path(), root).string()];
        entry.folder = S_ISDIR(status.st_mode);
        entry.mode = status.st_mode & 07777;
        entry.seconds = status.st_mtim.tv_sec;
        if (!entry.folder) entry.checksum = ChecksumOfFile(path);
    }
    return entries;
}

bool IsTemporary(const std::string& name) {
    return fs::path(name).filename().string().compare(0, std::strlen(kTemporaryPrefix),
                                                      kTemporaryPrefix) == 0;
}

std::string ModeText(mode_t mode) {
    char text[8];
    std::snprintf(text, sizeof text, "%04o", static_cast<unsigned>(mode));
    return text;
}

// How a destination entry differs from its source entry; empty when it does not.
std::string DifferenceOf(const Entry& source, const Entry& copy) {
    if (source.folder != copy.folder) return " is a folder on one side only";
    std::string difference;
    if (source.checksum != copy.checksum) difference += " bytes differ;";
    if (!source.folder && source.seconds != copy.seconds) {
        difference += " dated " + std::to_string(copy.seconds) + ", source " +
                      std::to_string(source.seconds) + ";";
    }
    if (source.mode != copy.mode) {
        difference += " mode " + ModeText(copy.mode) + ", source " + ModeText(source.mode) + ";";
    }
    return difference;
}

// After a complete run the destination is the source: the same files and folders, bytes,
// modification times of files to the second and modes. Of what the source no longer has, what
// the mirror deletion removes is in the trash, and what it keeps (in folders both sides have)
// is as it was. No temporary file is left.
class FinalCheck {
  public:
    FinalCheck(const Trees& trees, const std::string& trash)
        : trees_(trees), trash_(trash), record_(ReadRecord(trees.record)) {}

    void Run() {
        const std::map<std::string, Entry> source = EntriesBelow(trees_.source);
        const std::map<std::string, Entry> copy = EntriesBelow(trees_.destination);
        for (const auto& [name, entry] : source) CheckCopy(name, entry, copy);
        for (const auto& [name, entry] : copy) {
            if (source.count(name) == 0) CheckExtra(name, entry);
        }
        for (const auto& [name, file] : record_) CheckTrashed(name, file);
        std::cout << "leftovers " << leftovers_ << " mismatches " << mismatches_ << '\n';
    }

  private:
    void CheckCopy(const std::string& name, const Entry& entry,
                   const std::map<std::string, Entry>& copy) {
        const auto found = copy.find(name);
        const std::string difference =
            found == copy.end() ? " missing" : DifferenceOf(entry, found->second);
        if (difference.empty()) return;
        ++mismatches_;
        Report("mismatch", name, difference.substr(1));
    }

    void CheckExtra(const std::string& name, const Entry& entry) {
        if (IsTemporary(name)) {
            ++leftovers_;
            Report("leftover", name, "temporary file of an unfinished copy");
        } else if (MirrorRemoves(trees_, name)) {
            ++mismatches_;
            Report("mismatch", name, "the source does not have it");
        } else if (!IsKeptAsItWas(name, entry)) {
            ++mismatches_;
            Report("mismatch", name, "kept in a folder both sides have, but not as it was");
        }
    }

    bool IsKeptAsItWas(const std::string& name, const Entry& entry) const {
        const auto found = record_.find(name);
        return entry.folder || (found != record_.end() && found->second.held == entry.checksum);
    }

    // A file the source no longer has, which the destination held at the last look and the
    // mirror deletion removes.
    void CheckTrashed(const std::string& name, const FileRecord& file) {
        if (file.inSource || file.held.empty() || !MirrorRemoves(trees_, name)) return;
        if (trash_.Holds(Join(trees_.destination, name), file.held)) return;
        ++mismatches_;
        Report("mismatch", name, "deleted, but the trash does not hold it");
    }

    const Trees& trees_;
    const Trash trash_;
    Record record_;
    long leftovers_ = 0, mismatches_ = 0;
};

int Usage() {
    std::cerr << "usage: torture_tree make ROOT SEED | change ROOT SEED PERCENT | "
                 "check ROOT TRASH | final ROOT TRASH\n";
    return 2;
}

int Dispatch(const std::vector<std::string>& args) {
    if (args.size() < 3) return Usage();
    const Trees trees(args[1]);
    if (args[0] == "make" && args.size() == 3) {
        Randomness random(std::stoull(args[2]));
        TreeMaker(trees, random).Make();
    } else if (args[0] == "change" && args.size() == 4) {
        Randomness random(std::stoull(args[2]));
        SourceChanger(trees, random).Change(std::stoull(args[3]), args[2]);
    } else if (args[0] == "check" && args.size() == 3) {
        KillCheck(trees, args[2]).Run();
    } else if (args[0] == "final" && args.size() == 3) {
        FinalCheck(trees, args[2]).Run();
    } else {
        return Usage();
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return Dispatch(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& error) {
        std::cerr << "torture_tree: " << error.what() << '\n';
        return 1;
    }
}

// File status, attributes, time stamps and the small file operations the program needs, in
// the shape of the Windows calls the rest of the code expects.
//
// Attributes: on vfat the real DOS attributes (FAT ioctls). Elsewhere read-only is the owner
// write bit (setting or clearing it toggles all write bits) and hidden is a leading '.' in the
// name (setting or clearing hidden succeeds and changes nothing); system and archive are never
// set. A read-only file is never opened for writing nor deleted, even by root, as on Windows.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/node_identity.h"

namespace tv {

namespace detail {
class UniqueFd;
}  // namespace detail

class OpenFolder;
struct NameRefusals;

struct FileTime {
    int64_t seconds = 0;      // since 1970-01-01 UTC
    int32_t nanoseconds = 0;  // 0..999999999
    bool operator==(const FileTime& o) const {
        return seconds == o.seconds && nanoseconds == o.nanoseconds;
    }
    bool operator!=(const FileTime& o) const { return !(*this == o); }
};

// What kind of entry a folder walk met.
enum class EntryKind : uint8_t {
    File,        // a regular file
    Folder,      // a folder on the walked folder's own file system
    Link,        // a symbolic link, reported as itself and never followed
    Special,     // a pipe, a socket or a device: nothing to copy
    OtherMount,  // the root of another mount (a folder, or a file mounted onto a file)
    Unreadable,  // an entry whose status could not be read; only its name is known
};

// What FindFirstFile/FindNextFile and GetFileAttributesEx report of one entry.
struct FileStatus {
    std::string name;         // the entry's name (no folder)
    uint32_t attributes = 0;  // kAttr* bits; kAttrDirectory for folders
    FileTime creation;        // statx birth time when the file system has one, else the change time
    FileTime lastAccess;
    FileTime lastWrite;
    uint64_t size = 0;  // 0 for folders
    EntryKind kind = EntryKind::File;
    NodeIdentity node;  // which node the entry was when it was read (a folder walk fills it)
    bool IsDirectory() const;
};

// Who a file is and the state it is in, as the kernel tells it: two readings of one file that
// differ here mean it was changed or put in another file's place in between.
struct FileIdentity {
    uint64_t device = 0;
    uint64_t inode = 0;
    uint32_t mode = 0;  // the system's type and permission bits, read only by the backend
    uint32_t owner = 0;
    uint32_t group = 0;
    uint64_t size = 0;
    uint64_t allocated = 0;  // bytes the file system holds for it: fewer than size means holes
    FileTime lastAccess;
    FileTime lastWrite;
    FileTime change;  // the status change time, which every write and every rename moves on
    bool IsRegularFile() const;
    bool IsFolder() const;
    bool IsLink() const;
    // The owner may write to it: off is the read-only attribute where the file system keeps no
    // attributes of its own.
    bool IsOwnerWritable() const;
    // The file is this process's user's: what it left behind is its own to clear away. Windows
    // keeps the owner in the access list, not here; there the system's checks of the removal
    // decide.
    bool IsOwnedByThisUser() const;
    // The permissions a copy of this file is made with: its own, with writing allowed to the
    // owner, so that the copy can be finished and later replaced.
    uint32_t CopyPermissions() const;
    // The same node of the same type.
    bool IsSameFile(const FileIdentity& other) const;
    // The same file, with the same size, last write and change time.
    bool IsUnchanged(const FileIdentity& later) const;
};

// The entry itself: a symbolic link is reported as a link. False when it does not exist.
bool GetEntryIdentity(const std::string& path, FileIdentity* identity);
// What a symbolic link points at; false when path is no link.
bool ReadLinkTarget(const std::string& path, std::string* target);
// Makes a new symbolic link at path (nothing may have the name) with the given times of its own.
// False when it could not be made, as on a file system that holds no links.
bool CreateSymbolicLink(const std::string& target, const std::string& path,
                        const FileTime& lastAccess, const FileTime& lastWrite);
// True when path, or a folder on the way to it below root, is a symbolic link. Only the
// levels after root are looked at (root is the folder the user chose); a path outside root
// has only its own last level looked at.
bool HasLinkBelow(const std::string& root, const std::string& path);
// The absolute path of what path leads to, every symbolic link on the way followed (so that a
// rewrite replaces the file a link names and the link stays); path itself when it cannot be
// followed to an existing entry.
std::string ResolvedPath(const std::string& path);

// Status of one path; false when it does not exist or cannot be read. A path named here is
// looked at through a symbolic link, as opening it would.
bool GetFileStatus(const std::string& path, FileStatus* status);
// GetFileAttributes: kInvalidAttributes when the path does not exist.
uint32_t GetFileAttributes(const std::string& path);
// SetFileAttributes with the Windows bits (only read-only and hidden mean anything off vfat).
bool SetFileAttributes(const std::string& path, uint32_t attributes);
bool PathExists(const std::string& path);
bool IsDirectory(const std::string& path);
// Sets access and modification times (nanoseconds kept); creation time cannot be set here.
bool SetFileTimes(const std::string& path, const FileTime& lastAccess, const FileTime& lastWrite);
// SetFileTimes of the entry itself: a symbolic link in its place takes them, not what it
// points at.
bool SetEntryTimes(const std::string& path, const FileTime& lastAccess, const FileTime& lastWrite);

// Creates one folder level (the parent must exist). False when it fails or already exists.
bool CreateFolder(const std::string& path);
// CreateFolder, then the new folder takes the permission bits of model (a folder, not followed
// when it is a link), and its owner and group when the process may give folders away. The owner
// keeps full access, so that what belongs inside can still be written. False only when the
// folder could not be created; a file system that keeps no permissions keeps its own.
bool CreateFolderLike(const std::string& path, const std::string& model);
// Deletes a file; refuses a read-only file.
bool DeleteFile(const std::string& path);
// Removes an empty folder.
bool RemoveFolder(const std::string& path);
// What CopyFile does with overwriting allowed: the whole file with its times and attributes;
// refuses a read-only destination. Written beside the destination and renamed over it, so a
// failure never leaves a truncated destination.
bool CopyFile(const std::string& source, const std::string& destination);
// Renames within one file system, replacing an existing destination file.
bool MoveFile(const std::string& source, const std::string& destination);
// MoveFile that never replaces: false, with LastFileError Exists, when anything has the
// destination's name.
bool MoveFileIfFree(const std::string& source, const std::string& destination);
// Writes out everything the file system holding path still keeps in memory (data and
// metadata of every file), and waits for it. False when it cannot be opened or a write failed.
bool SyncFileSystemOf(const std::string& path);
// Writes out a folder's own entries (what was created in it, renamed into or out of it, removed
// from it) and waits for it. False when it cannot be opened or the write failed.
bool SyncFolder(const std::string& folder);
// Tells which mounted file system holds path (the same number for every path on it), so that
// paths that share one can share its sync. False when path cannot be looked at.
bool FileSystemOf(const std::string& path, uint64_t* fileSystem);
// Enumerates one folder in file-system order, as FindFirstFile/FindNextFile: "." and ".." are
// not reported. Closing is done by the destructor. Only folders and regular files are
// reported: symbolic links, entries that are the root of another mount, pipes, sockets and
// devices are passed over, so a walk built on it never loops and never leaves its volume.
class DirectoryEnumerator {
  public:
    DirectoryEnumerator() = default;
    ~DirectoryEnumerator();
    DirectoryEnumerator(const DirectoryEnumerator&) = delete;
    DirectoryEnumerator& operator=(const DirectoryEnumerator&) = delete;

    // Which entries Next reports: the folders and regular files of the folder's own file system,
    // every entry with its kind, or every entry by its name alone (no status is read: the
    // entry's other fields are left empty).
    enum class Entries { Walkable, Every, Names };

    // False when the folder cannot be enumerated (missing, not a folder, no permission, no
    // descriptor left).
    bool Open(const std::string& folder, Entries entries = Entries::Walkable);
    // Opens the folder name inside the folder that parent has open, never through a symbolic
    // link, and only while it is still the node listed there: a link or another folder put in
    // its place since is refused, so a walk goes down only where its listing looked.
    bool OpenChild(const DirectoryEnumerator& parent, const std::string& name,
                   const NodeIdentity& listed, Entries entries = Entries::Walkable);
    // Opens the folder above the one child has open, only while it is still the node recorded:
    // a walk that let go of a folder on its way down comes back to it without its path.
    bool OpenParent(const DirectoryEnumerator& child, const NodeIdentity& recorded,
                    Entries entries = Entries::Walkable);
    bool IsOpen() const { return dir_ != nullptr; }
    // The open folder itself.
    NodeIdentity identity() const { return NodeIdentity{device_, inode_}; }
    // Open of a folder held open: what it lists is that folder's, whatever its path leads to
    // by now.
    bool OpenIn(const OpenFolder& folder, Entries entries = Entries::Walkable);
    // The next entry; false at the end.
    bool Next(FileStatus* entry);
    void Close();

  private:
    // Enumerates the folder opened as fd (taken over), when it is expected (if given).
    bool Adopt(int fd, const NodeIdentity* expected, Entries entries);
    // The open folder's descriptor, or -1.
    int Fd() const;

    void* dir_ = nullptr;  // DIR*
    uint64_t device_ = 0;  // the folder's device: entries elsewhere are mounts
    uint64_t inode_ = 0;
    bool onFat_ = false;  // entries carry real FAT attributes
    Entries entries_ = Entries::Walkable;
};

// Why a copy between two open files stopped short.
enum class RangeCopyError {
    None,         // the source ended
    Unsupported,  // these two files cannot be copied between inside the kernel: read and write
    Read,         // the source could not be read
    Write,        // the copy could not be written (a full disk among others)
    TooLarge,     // the copy would grow past the largest file its file system or the process allows
};

// An open file. Exclusive opens take an advisory flock on Linux (other programs are not kept
// out); on Windows they let others only read the file meanwhile, so a viewer may still read a
// log being written. Sequential opens tell the system the file is read front to back.
class File;

// A folder held open while files are written into it: they are created, looked at and renamed
// relative to it, so that a link put on the way to it afterwards leads nowhere.
class OpenFolder {
  public:
    OpenFolder() = default;
    ~OpenFolder();
    OpenFolder(const OpenFolder&) = delete;
    OpenFolder& operator=(const OpenFolder&) = delete;

    // Opens folder, as HasLinkBelow sees it: false when a symbolic link lies at a level below
    // root (root itself may be one), or at folder's last level when it lies outside root.
    bool OpenBelow(const std::string& root, const std::string& folder);
    bool IsOpen() const { return fd_ >= 0; }
    const std::string& path() const { return path_; }
    void Close();

    // The folder itself.
    bool Identity(FileIdentity* identity) const;
    // The entry of that name in the folder itself; a symbolic link is reported as a link.
    bool EntryIdentity(const std::string& name, FileIdentity* identity) const;
    // GetFileStatus of the entry of that name: a symbolic link is looked through.
    bool EntryStatus(const std::string& name, FileStatus* status) const;
    // Gives the entry from the name to, which a file of that name gives up.
    bool Rename(const std::string& from, const std::string& to) const;
    // Deletes the entry of that name, a file or a link, whatever its attributes.
    bool RemoveFile(const std::string& name) const;

  private:
    friend class File;
    friend class DirectoryEnumerator;
    friend bool MoveEntryToTrash(const OpenFolder& folder, const std::string& name,
                                 std::string* trashFolder);
    friend NameRefusals FindNameRefusals(const OpenFolder& folder, const std::string& probeName);
    friend bool RemoveNameProbe(const OpenFolder& folder, const std::string& name);
    // What a file created here with the requested permission bits turned out to be (the
    // process's mask, the folder's default entries and its group decide it): the same for
    // every file created alike, so the files after the first need not be looked at.
    struct Made {
        bool known = false;
        uint32_t requested = 0;
        uint32_t mode = 0;
        uint32_t owner = 0;
        uint32_t group = 0;
        uint64_t device = 0;
    };

    int fd_ = -1;
    std::string path_;
    mutable Made made_;
};

class File {
  public:
    File() = default;
    ~File();
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    File(const File&) = delete;
    File& operator=(const File&) = delete;

    // Opens an existing file for reading. Exclusive fails when another holder has the lock (on
    // Windows: when another program has it open for writing, or shares nothing).
    bool OpenForRead(const std::string& path, bool exclusive, bool sequential);
    // OpenForRead that refuses a symbolic link in place of the file; opened, when given, gets
    // the identity of what was opened.
    bool OpenForReadNoFollow(const std::string& path, bool exclusive, bool sequential,
                             FileIdentity* opened = nullptr);
    // OpenForReadNoFollow of the entry name in an open folder.
    bool OpenForReadIn(const OpenFolder& folder, const std::string& name, bool exclusive,
                       bool sequential, FileIdentity* opened = nullptr);
    // Creates or truncates a file for writing; fails on a read-only file.
    bool CreateForWrite(const std::string& path, bool exclusive, bool sequential);
    // Creates a file that does not exist yet for writing, with the permission bits of mode
    // that the process's mask lets through; fails when anything has the name already, a
    // symbolic link included.
    bool CreateNewForWrite(const std::string& path, bool exclusive, bool sequential,
                           uint32_t mode = 0600);
    // CreateNewForWrite of the entry name in an open folder; only the first file made alike
    // there is looked at.
    bool CreateNewIn(const OpenFolder& folder, const std::string& name, bool exclusive,
                     bool sequential, uint32_t mode);
    // Opens for appending, creating the file when missing; fails on a read-only file.
    bool OpenForAppend(const std::string& path, bool exclusive);
    // Opens for reading and appending, creating the file when missing and never cutting it:
    // reads start at the front, every write goes to the end wherever reading stands. Fails on a
    // read-only file.
    bool OpenForReadAppend(const std::string& path, bool exclusive);
    // Creates a new file with a unique hidden name in the folder of path, for writing, with the
    // permission bits of mode that the process's mask lets through, and stores its name in
    // temporaryPath. Renaming it over path later replaces path in one step, so a reader never
    // sees a half-written file.
    bool CreateTemporaryBeside(const std::string& path, std::string* temporaryPath,
                               uint32_t mode = 0600);

    // Bytes read, or -1 on error. The buffer is filled unless the end of the file comes first,
    // so a short count always means the end.
    int64_t Read(void* buffer, size_t size);
    // True when every byte was written.
    bool Write(const void* buffer, size_t size);
    // Whether the last Write or SetSize failed because the file would grow past the largest file
    // its file system or the process allows: the file cannot be stored whole, though other,
    // smaller files still can.
    bool WentPastSizeLimit() const { return pastSizeLimit_; }
    // Writes every byte at the end of the file or, when the write fails part way (a full disk),
    // cuts the file back to its previous size, so a record is on disk whole or not at all and
    // the next one never runs on from half of it.
    bool AppendWhole(const void* buffer, size_t size);
    bool Flush();          // fdatasync
    int64_t Size() const;  // -1 on error
    bool GetIdentity(FileIdentity* identity) const;

    // The next stretch of data at or after offset, up to the next hole or the end, with the
    // read position moved to its start. False when only a hole or nothing follows. A file
    // system that cannot tell holes reports everything from offset on as data.
    bool NextData(int64_t offset, int64_t* dataStart, int64_t* dataEnd);
    // Moves the write or read position; writing past the end leaves a hole where the file
    // system keeps holes.
    bool SeekTo(int64_t offset);
    // Cuts or extends the file (an extension is a hole).
    bool SetSize(int64_t size);
    // Copies up to size bytes of source from sourceOffset into this file at targetOffset inside
    // the kernel, without passing them through the caller and without moving either file's
    // position; a short copy is continued. The bytes copied: fewer than size only when the
    // source ended (error None) or the copy failed (error says why; bytes copied until then
    // are in place).
    int64_t CopyRangeFrom(const File& source, int64_t sourceOffset, int64_t targetOffset,
                          size_t size, RangeCopyError* error);

    // The kAttr* bits that GetFileAttributes reports for the path this file was opened from
    // (whose name is given), from its identity as read when it was opened.
    uint32_t Attributes(const FileIdentity& identity, const std::string& name) const;

    // A copy's look, given through the open file so that no link in its place is followed.
    // What the file already has, as far as this file knows it from its opening and its own
    // changes, is not set again. Owner and group; only root may give a file away.
    bool SetOwner(uint32_t owner, uint32_t group);
    // Whether this process may give files away (it runs as root).
    static bool MayGiveFilesAway();
    // The permission bits (set-id bits never); vfat keeps none, and there this does nothing.
    bool SetPermissions(uint32_t mode);
    bool SetTimes(const FileTime& lastAccess, const FileTime& lastWrite);
    // The kAttr* bits, as SetFileAttributes.
    bool SetAttributes(uint32_t attributes);
    bool IsOpen() const { return fd_ >= 0; }
    void Close();

  private:
    // Whether the file lies on vfat, asked once per volume within a VolumeKindScope.
    bool IsOnFat() const;
    void Know(uint32_t mode, uint32_t owner, uint32_t group);
    bool CreateNewAt(int dirFd, const std::string& path, bool exclusive, bool sequential,
                     uint32_t mode);
    bool OpenForReadNoFollowAt(int dirFd, const std::string& path, bool exclusive, bool sequential,
                               FileIdentity* opened);
    // Takes over an opened descriptor (as the open calls do) and knows its identity.
    bool AdoptKnowing(detail::UniqueFd fd, bool exclusive, bool sequential, FileIdentity* identity);
    // fchmod to bits (07777), unless the file is known to have them.
    bool ChangeMode(uint32_t bits);

    // The file's status as its opening read it and this file's own changes kept it.
    struct KnownStatus {
        bool known = false;
        uint32_t mode = 0;
        uint32_t owner = 0;
        uint32_t group = 0;
    };

    int fd_ = -1;
    uint64_t device_ = 0;  // the file's device when known (an open that looked), else 0
    KnownStatus status_;
    bool pastSizeLimit_ = false;
};

// While one lives, the file calls of its thread ask each volume once whether it is vfat (whose
// attributes come from the FAT ioctls), instead of at every call, and remember the answer by
// device number. A run holds one from its start to its end: a medium put in after it ends, even
// under the same device number, shows its own kind to the next run. Scopes nest; the innermost
// one is asked.
class VolumeKindScope {
  public:
    VolumeKindScope();
    ~VolumeKindScope();
    VolumeKindScope(const VolumeKindScope&) = delete;
    VolumeKindScope& operator=(const VolumeKindScope&) = delete;

    // The scope of this thread, or none.
    static VolumeKindScope* Current();
    // False when the device has not been asked about in this scope.
    bool Find(uint64_t device, bool* fat) const;
    void Remember(uint64_t device, bool fat);

  private:
    VolumeKindScope* outer_;
    std::vector<std::pair<uint64_t, bool>> kinds_;  // a run meets a handful of volumes
};

// Reads a whole file into bytes; false when it cannot be read.
bool ReadWholeFile(const std::string& path, std::string* bytes);
// Who may read and write a file that the program writes whole.
enum class FileAccess : uint8_t {
    AsMask,     // read and write for everyone, less what the process's file mode mask takes away
    OwnerOnly,  // the owner alone, whatever the mask: the file holds secrets
    AsBefore,   // the permissions the file has now; AsMask for a new file
};

// Writes bytes to a temporary file beside path and renames it over path, with the access given.
// The temporary file has its permissions from its creation on, so the data is never readable by
// anyone the finished file keeps out.
bool WriteFileAtomically(const std::string& path, const std::string& bytes,
                         FileAccess access = FileAccess::AsMask);

// Whether name has the exact form of the temporary files CreateTemporaryBeside makes.
bool IsTemporaryBesideName(const std::string& name);
// Removes the temporary files of replacements that never finished (the writer was killed) from
// a folder whose files are written by one process at a time: only regular files of the user's
// own with a name of that exact form, and never anything through a symbolic link.
void RemoveTemporariesBesideIn(const std::string& folder);

}  // namespace tv

#include "engine/copy/destination_layout.h"

#include "engine/listing/selection_rules.h"
#include "platform/date_time.h"
#include "platform/drive_table.h"
#include "platform/name_mapping.h"
#include "platform/paths.h"

namespace tv {

namespace {

// Destination + rest, where rest is what follows a root that ends with a separator.
std::string BelowDestination(const CopyJob& job, const std::string& rest) {
    if (rest.empty()) return job.Destination;
    return JoinPath(job.Destination, rest);
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// Destination + rest, unless a ".." in rest would climb out of the destination: the file then
// goes straight into the destination under its own name, and a name that is no plain name
// either leaves only the destination itself, where no file can be made.
std::string InsideDestination(const CopyJob& job, const std::string& rest,
                              const std::string& source) {
    const std::string destination = BelowDestination(job, rest);
    if (rest.find("..") == std::string::npos || IsSameOrBelow(destination, job.Destination)) {
        return destination;
    }
    const std::string name = AfterLastSeparator(source);
    return IsPlainComponent(name) ? JoinPath(job.Destination, name) : job.Destination;
}

std::string RootOfSource(const CopyJob& job, const DriveTable& drives, const std::string& source) {
    const char letter = drives.DriveOfPath(source);
    const std::string root = letter ? drives.RootOf(letter) : std::string();
    if (!root.empty() && StartsWith(source, root)) return root;
    return WithTrailingSeparator(job.Source);
}

}  // namespace

std::string PlainDestination(const CopyJob& job, const DriveTable& drives,
                             const std::string& source) {
    const std::string root =
        job.IsWholeVolume() ? RootOfSource(job, drives, source) : WithTrailingSeparator(job.Source);
    if (!StartsWith(source, root)) {
        return InsideDestination(job, AfterLastSeparator(source), source);
    }
    return InsideDestination(job, source.substr(root.size()), source);
}

std::string StoredPlainDestination(const CopyJob& job, const DriveTable& drives,
                                   const NameRefusals& refusals, const std::string& source) {
    return StoredPathBelow(job.Destination, PlainDestination(job, drives, source), refusals);
}

std::string DatedFolder(const CopyJob& job, std::time_t lastWrite) {
    return JoinPath(job.Destination, DateTime::FromTimeT(lastWrite).Format("%Y年%m月%d日"));
}

std::string ExtensionFolderKey(const std::string& fileName) {
    const auto dot = fileName.rfind('.');
    if (dot == std::string::npos) return "拡張子なし";
    return UpperAscii(fileName.substr(dot + 1));
}

std::string CurrentGenerationFolder(const CopyJob& job, const std::string& fileName) {
    return JoinPath(job.Destination, ExtensionFolderKey(fileName) + "フォルダ");
}

std::string OlderGenerationFolder(const CopyJob& job, int generation, const std::string& fileName) {
    return JoinPath(job.Destination, std::to_string(generation) + "世代前" +
                                         ExtensionFolderKey(fileName) + "フォルダ");
}

}  // namespace tv

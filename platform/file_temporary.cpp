// The temporary file a replacement is written to before it is renamed over its target.
#include "platform/file_system.h"
#include "platform/network_paths.h"
#include "platform/temporary_names.h"

namespace tv {

bool File::CreateTemporaryBeside(const std::string& target, std::string* temporaryPath,
                                 uint32_t mode) {
    Close();
    // An unreachable network path must not turn into a file in the current folder.
    const std::string path = ToLocalPath(target);
    if (path.empty()) return false;
    // Made by the system as any new file, so that what the folder's inherited access or the
    // process's mask keeps out is kept out of the temporary too.
    const std::string made = CreateTemporaryBesideWith(path, [&](const std::string& name) {
        return CreateNewForWrite(name, /*exclusive=*/false, /*sequential=*/false, mode);
    });
    if (made.empty()) return false;
    *temporaryPath = made;
    return true;
}

}  // namespace tv

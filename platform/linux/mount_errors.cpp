#include "platform/linux/mount_errors.h"

namespace tv {
namespace {

// The SMB client asks for a password again whenever a login is refused, and such a mount ends
// in the refused question (G_IO_ERROR_FAILED_HANDLED). A plain failure without that question
// comes from before any login: a server that refuses the connection, a host name that does not
// resolve or a share the server does not have all arrive as G_IO_ERROR_FAILED, with the reason
// only in the message.
bool MeansUnreachable(int code) {
    switch (code) {
        case G_IO_ERROR_FAILED:
        case G_IO_ERROR_NOT_FOUND:
        case G_IO_ERROR_HOST_NOT_FOUND:
        case G_IO_ERROR_HOST_UNREACHABLE:
        case G_IO_ERROR_NETWORK_UNREACHABLE:
        case G_IO_ERROR_CONNECTION_REFUSED:
        case G_IO_ERROR_TIMED_OUT:
        case G_IO_ERROR_INVALID_ARGUMENT:
            return true;
        default:
            return false;
    }
}

}  // namespace

MountResult MountResultOfError(const GError* error) {
    if (error == nullptr || error->domain != G_IO_ERROR) return MountResult::kRefused;
    if (error->code == G_IO_ERROR_ALREADY_MOUNTED) return MountResult::kAlreadyMounted;
    return MeansUnreachable(error->code) ? MountResult::kUnreachable : MountResult::kRefused;
}

}  // namespace tv

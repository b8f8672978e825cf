// What a failed mount of a share means to the caller: the error GIO reports, put in the terms
// of ShareMounter.
#pragma once

#include <gio/gio.h>

#include "platform/share_mounter.h"

namespace tv {

// A share mounted before is kAlreadyMounted; a server or share that cannot be reached or found
// (and a failure without a refused login) is kUnreachable; everything else (a failed login, an
// aborted password question, a denied share) is kRefused, so that the caller goes on with
// other credentials.
MountResult MountResultOfError(const GError* error);

}  // namespace tv

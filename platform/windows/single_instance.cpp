// One process per user: the named mutex of the program in the user's session, held for the life
// of the owner.
#include "platform/single_instance.h"

#include "platform/windows/wide_text.h"
#include "platform/windows/win32.h"

namespace tv {

SingleInstance::~SingleInstance() { Release(); }

// The lock folder is the POSIX side's: a session's mutex needs none.
InstanceLock SingleInstance::Acquire(const std::string& /*lockFolder*/) {
    if (lock_ != kNoLock) return InstanceLock::Held;
    const HANDLE mutex =
        CreateMutexW(nullptr, FALSE, detail::WideFromUtf8(kInstanceLockName).c_str());
    if (mutex == nullptr) return InstanceLock::NoSafeFolder;
    // Another process of the session made the mutex first: it runs already.
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return InstanceLock::HeldElsewhere;
    }
    lock_ = reinterpret_cast<intptr_t>(mutex);
    return InstanceLock::Held;
}

void SingleInstance::Release() {
    if (lock_ == kNoLock) return;
    CloseHandle(reinterpret_cast<HANDLE>(lock_));
    lock_ = kNoLock;
}

}  // namespace tv

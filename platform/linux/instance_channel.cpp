// The channel is a Unix-domain stream socket named kInstanceChannelName in the lock folder, made
// 0600 before it accepts anyone; both ends check with SO_PEERCRED that the other is this user.
#include "platform/instance_channel.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstddef>
#include <cstring>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "platform/instance_conversation.h"
#include "platform/paths.h"
#include "platform/posix/unique_fd.h"

namespace tv {
namespace {

using detail::kCallerPatience;
using detail::kInstanceAnswer;
using detail::kInstanceRequest;
using detail::kMaxCallers;
using detail::MsUntil;
using detail::SteadyClock;
using detail::UniqueFd;

// Between two tries to reach an instance that does not take calls yet.
constexpr auto kRetryPause = std::chrono::milliseconds(50);

bool ChannelAddress(const std::string& folder, sockaddr_un* address) {
    const std::string path = JoinPath(folder, kInstanceChannelName);
    *address = sockaddr_un{};
    address->sun_family = AF_UNIX;
    if (path.size() >= sizeof address->sun_path) return false;
    std::memcpy(address->sun_path, path.c_str(), path.size() + 1);
    return true;
}

const sockaddr* AsSocketAddress(const sockaddr_un& address) {
    return reinterpret_cast<const sockaddr*>(&address);
}

UniqueFd NewSocket() {
    return UniqueFd(socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
}

bool PeerIsThisUser(int fd) {
    ucred peer{};
    socklen_t size = sizeof peer;
    return getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 && size == sizeof peer &&
           peer.uid == geteuid();
}

bool WaitReady(int fd, short events, SteadyClock::time_point deadline) {
    pollfd ready{fd, events, 0};
    for (;;) {
        const int count = poll(&ready, 1, MsUntil(deadline));
        if (count > 0) return true;
        if (count == 0 || errno != EINTR) return false;
    }
}

bool SendAll(int fd, std::string_view bytes, SteadyClock::time_point deadline) {
    while (!bytes.empty()) {
        const ssize_t sent = send(fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent > 0) {
            bytes.remove_prefix(static_cast<size_t>(sent));
        } else if (sent < 0 && errno == EINTR) {
            continue;
        } else if (sent < 0 && errno == EAGAIN && WaitReady(fd, POLLOUT, deadline)) {
            continue;
        } else {
            return false;
        }
    }
    return true;
}

// What the instance answers, up to the answer's length.
std::string ReceiveAnswer(int fd, SteadyClock::time_point deadline) {
    std::string received;
    char buffer[kInstanceAnswer.size()];
    while (received.size() < kInstanceAnswer.size() && WaitReady(fd, POLLIN, deadline)) {
        const ssize_t got = recv(fd, buffer, kInstanceAnswer.size() - received.size(), 0);
        if (got == 0 || (got < 0 && errno != EINTR && errno != EAGAIN)) break;
        if (got > 0) received.append(buffer, static_cast<size_t>(got));
    }
    return received;
}

enum class Connection { Made, NobodyListens, TryAgain };

// A channel that a killed instance left refuses until the next instance replaces it, and a full
// queue of callers asks to wait: both are tried again.
Connection Connect(const sockaddr_un& address, UniqueFd* fd) {
    *fd = NewSocket();
    if (!fd->valid()) return Connection::NobodyListens;
    if (connect(fd->get(), AsSocketAddress(address), sizeof address) == 0) {
        return Connection::Made;
    }
    return errno == ECONNREFUSED || errno == EAGAIN ? Connection::TryAgain
                                                    : Connection::NobodyListens;
}

// Only a socket is taken for the channel of a killed instance; anything else there, a link
// above all, is left alone and keeps this instance from listening.
void RemoveStaleChannel(const char* path) {
    struct stat st {};
    if (lstat(path, &st) == 0 && S_ISSOCK(st.st_mode)) unlink(path);
}

struct Caller {
    UniqueFd fd;
    std::string said;
    SteadyClock::time_point deadline;
};

}  // namespace

bool AskRunningInstanceToOpenSettings(const std::string& lockFolder, int timeoutMs) {
    sockaddr_un address;
    if (!ChannelAddress(lockFolder, &address)) return false;
    const auto deadline = SteadyClock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        UniqueFd fd;
        switch (Connect(address, &fd)) {
            case Connection::Made:
                return PeerIsThisUser(fd.get()) && SendAll(fd.get(), kInstanceRequest, deadline) &&
                       ReceiveAnswer(fd.get(), deadline) == kInstanceAnswer;
            case Connection::NobodyListens:
                return false;
            case Connection::TryAgain:
                break;
        }
        if (SteadyClock::now() + kRetryPause >= deadline) return false;
        std::this_thread::sleep_for(kRetryPause);
    }
}

struct InstanceListener::Server {
    ~Server() {
        StopServing();
        if (!path.empty()) unlink(path.c_str());
    }

    bool StartServing() {
        int ends[2];
        if (pipe2(ends, O_CLOEXEC) != 0) return false;
        wakeRead = UniqueFd(ends[0]);
        wakeWrite = UniqueFd(ends[1]);
        thread = std::thread([this] { Run(); });
        return true;
    }

    void StopServing() {
        if (!thread.joinable()) return;
        const char wake = 0;
        while (write(wakeWrite.get(), &wake, 1) < 0 && errno == EINTR) {
        }
        thread.join();
        callers.clear();
    }

    void Run() {
        for (;;) {
            std::vector<pollfd> watched{{wakeRead.get(), POLLIN, 0}, {listening.get(), POLLIN, 0}};
            for (const Caller& caller : callers) watched.push_back({caller.fd.get(), POLLIN, 0});
            if (poll(watched.data(), watched.size(), NearestDeadlineMs()) < 0) {
                if (errno == EINTR) continue;
                return;
            }
            if (watched[0].revents != 0) return;
            for (size_t i = callers.size(); i-- > 0;) {
                const bool over = watched[i + 2].revents != 0
                                      ? Hear(callers[i])
                                      : SteadyClock::now() >= callers[i].deadline;
                if (over) callers.erase(callers.begin() + static_cast<std::ptrdiff_t>(i));
            }
            if ((watched[1].revents & POLLIN) != 0) AcceptCallers();
        }
    }

    int NearestDeadlineMs() const {
        if (callers.empty()) return -1;
        SteadyClock::time_point nearest = callers.front().deadline;
        for (const Caller& caller : callers) nearest = std::min(nearest, caller.deadline);
        return MsUntil(nearest);
    }

    void AcceptCallers() {
        for (;;) {
            UniqueFd fd(accept4(listening.get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC));
            // Out of descriptors (a run holds many) the caller stays queued: a pause keeps the
            // still readable listener from spinning the thread.
            if (!fd.valid() && (errno == EMFILE || errno == ENFILE)) {
                std::this_thread::sleep_for(kRetryPause);
            }
            if (!fd.valid()) return;
            if (!PeerIsThisUser(fd.get())) continue;
            if (callers.size() == kMaxCallers) callers.erase(callers.begin());
            callers.push_back({std::move(fd), std::string(), SteadyClock::now() + kCallerPatience});
        }
    }

    // True when the conversation with caller is over: it has been answered, has hung up, or said
    // what is not the request.
    bool Hear(Caller& caller) {
        char buffer[detail::kMostHeard];
        const ssize_t got = recv(caller.fd.get(), buffer, sizeof buffer - caller.said.size(), 0);
        if (got < 0) return errno != EAGAIN && errno != EINTR;
        if (got == 0) return true;
        caller.said.append(buffer, static_cast<size_t>(got));
        const detail::Heard heard = detail::Hear(caller.said);
        if (heard == detail::Heard::Part) return false;
        if (heard == detail::Heard::Other) return true;
        send(caller.fd.get(), kInstanceAnswer.data(), kInstanceAnswer.size(),
             MSG_NOSIGNAL | MSG_DONTWAIT);
        openSettings();
        return true;
    }

    std::string path;  // set once the channel is ours to remove
    UniqueFd listening;
    UniqueFd wakeRead;
    UniqueFd wakeWrite;
    std::function<void()> openSettings;
    std::thread thread;
    std::vector<Caller> callers;  // only the serving thread touches them
};

InstanceListener::InstanceListener() = default;

InstanceListener::~InstanceListener() = default;

bool InstanceListener::Listen(const std::string& lockFolder) {
    server_.reset();
    auto server = std::make_unique<Server>();
    sockaddr_un address;
    if (!ChannelAddress(lockFolder, &address)) return false;
    RemoveStaleChannel(address.sun_path);
    server->listening = NewSocket();
    if (!server->listening.valid() ||
        bind(server->listening.get(), AsSocketAddress(address), sizeof address) != 0) {
        return false;
    }
    server->path = address.sun_path;
    // Whatever the folder and the umask let others do, nobody else may connect; nobody can
    // before listen.
    if (chmod(address.sun_path, 0600) != 0 || listen(server->listening.get(), kMaxCallers) != 0) {
        return false;
    }
    server_ = std::move(server);
    return true;
}

void InstanceListener::Serve(std::function<void()> openSettings) {
    if (!server_ || server_->thread.joinable()) return;
    server_->openSettings = std::move(openSettings);
    server_->StartServing();
}

void InstanceListener::Stop() {
    if (server_) server_->StopServing();
}

}  // namespace tv

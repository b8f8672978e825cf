#include "tests/support/spawned_process.h"

#include <arpa/inet.h>
#include <dirent.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "tests/support/wait_until.h"

extern char** environ;

namespace tv::test {
namespace {

constexpr auto kEndPatience = std::chrono::seconds(5);

std::vector<char*> ArgumentList(std::vector<std::string>& arguments) {
    std::vector<char*> pointers;
    for (std::string& argument : arguments) pointers.push_back(argument.data());
    pointers.push_back(nullptr);
    return pointers;
}

// Spawns with standard output and error going to outputFile and standard input from inputFd
// (or /dev/null when it is -1).
pid_t Spawn(std::vector<std::string> arguments, const std::string& outputFile, int inputFd) {
    std::vector<char*> argv = ArgumentList(arguments);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (inputFd >= 0) {
        posix_spawn_file_actions_adddup2(&actions, inputFd, STDIN_FILENO);
    } else {
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    }
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outputFile.c_str(),
                                     O_WRONLY | O_CREAT | O_APPEND, 0600);
    posix_spawn_file_actions_adddup2(&actions, STDOUT_FILENO, STDERR_FILENO);
    // A group of its own: servers signal their whole group when they end (smbd does).
    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
    posix_spawnattr_setpgroup(&attributes, 0);
    pid_t pid = -1;
    if (posix_spawn(&pid, argv[0], &actions, &attributes, argv.data(), environ) != 0) pid = -1;
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

bool IsAlive(pid_t pid) { return kill(pid, 0) == 0; }

// Reaps pid when it is a child of this process; others are reaped by whoever started them.
void ReapIfChild(pid_t pid) { waitpid(pid, nullptr, WNOHANG); }

void End(pid_t pid) {
    kill(pid, SIGTERM);
    if (!WaitUntil(kEndPatience, [pid] {
            ReapIfChild(pid);
            return !IsAlive(pid);
        })) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

}  // namespace

bool SpawnedProcess::Start(const std::vector<std::string>& argv, const std::string& outputFile,
                           std::string* error) {
    Stop();
    if (access(argv[0].c_str(), X_OK) != 0) {
        *error =
            argv[0] + " cannot be run (" + std::strerror(errno) + "); is its package installed?";
        return false;
    }
    pid_ = Spawn(argv, outputFile, -1);
    if (pid_ > 0) return true;
    *error = "cannot start " + argv[0];
    return false;
}

bool SpawnedProcess::IsRunning() {
    if (pid_ <= 0) return false;
    if (waitpid(pid_, nullptr, WNOHANG) != pid_) return true;
    pid_ = -1;
    return false;
}

void SpawnedProcess::Stop() {
    if (!IsRunning()) return;
    End(pid_);
    pid_ = -1;
}

int RunWithInput(const std::vector<std::string>& argv, const std::string& input,
                 const std::string& outputFile) {
    int pipeFds[2];
    if (pipe2(pipeFds, O_CLOEXEC) != 0) return -1;
    const pid_t pid = Spawn(argv, outputFile, pipeFds[0]);
    close(pipeFds[0]);
    const bool written =
        pid > 0 && write(pipeFds[1], input.data(), input.size()) == ssize_t(input.size());
    close(pipeFds[1]);
    if (pid <= 0) return -1;
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !written) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string ProcFile(pid_t pid, const std::string& name) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/" + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<pid_t> ProcessesWith(const std::string& name, const std::string& text) {
    std::vector<pid_t> pids;
    DIR* proc = opendir("/proc");
    if (proc == nullptr) return pids;
    while (const dirent* entry = readdir(proc)) {
        char* end = nullptr;
        const long pid = std::strtol(entry->d_name, &end, 10);
        if (pid <= 0 || *end != '\0' || pid == getpid()) continue;
        if (ProcFile(static_cast<pid_t>(pid), name).find(text) != std::string::npos) {
            pids.push_back(static_cast<pid_t>(pid));
        }
    }
    closedir(proc);
    return pids;
}

void EndProcesses(const std::vector<pid_t>& pids) {
    for (const pid_t pid : pids) End(pid);
}

bool AcceptsConnections(const std::string& address, int port) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return false;
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(static_cast<uint16_t>(port));
    inet_pton(AF_INET, address.c_str(), &target.sin_addr);
    const bool accepted = connect(fd, reinterpret_cast<sockaddr*>(&target), sizeof target) == 0;
    close(fd);
    return accepted;
}

}  // namespace tv::test

// The channel is a local named pipe whose name comes from the lock folder, so that each lock folder
// has its own; its DACL lets in the user alone, and remote clients are refused. One thread serves
// every instance of the pipe with overlapped calls, so a silent caller holds nobody up.
#include "platform/instance_channel.h"

#include <algorithm>
#include <memory>
#include <thread>
#include <utility>
#include <vector>

#include "platform/instance_conversation.h"
#include "platform/windows/instance_pipe_name.h"
#include "platform/windows/win32.h"
// clang-format off
#include <sddl.h>
// clang-format on

namespace tv {
namespace {

using detail::kCallerPatience;
using detail::kInstanceAnswer;
using detail::kInstanceRequest;
using detail::kMaxCallers;
using detail::MsUntil;
using detail::SteadyClock;

// Bytes the pipe holds in each direction: the whole conversation fits.
constexpr DWORD kPipeBuffer = 512;

struct LocalFreer {
    void operator()(void* memory) const { LocalFree(memory); }
};
using SecurityDescriptor = std::unique_ptr<void, LocalFreer>;

// The TOKEN_USER of process, empty when it cannot be read.
std::vector<BYTE> UserOf(HANDLE process) {
    HANDLE token = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &token)) return {};
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<BYTE> user(size);
    if (size == 0 || !GetTokenInformation(token, TokenUser, user.data(), size, &size)) user.clear();
    CloseHandle(token);
    return user;
}

PSID SidOf(std::vector<BYTE>& user) { return reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid; }

// A security descriptor whose DACL, kept from inheriting anything, lets the user of this
// process in and nobody else.
SecurityDescriptor UserOnlySecurity() {
    std::vector<BYTE> user = UserOf(GetCurrentProcess());
    wchar_t* sid = nullptr;
    if (user.empty() || !ConvertSidToStringSidW(SidOf(user), &sid)) return nullptr;
    const std::wstring sddl = std::wstring(L"D:P(A;;GA;;;") + sid + L")";
    LocalFree(sid);
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1, &descriptor,
                                                         nullptr);
    return SecurityDescriptor(descriptor);
}

// Whether the process that made the pipe is this user's: the pipe's name is anybody's to take
// first, and only this user's instance may be told what a second start wants.
bool ServerIsThisUser(HANDLE pipe) {
    ULONG id = 0;
    if (!GetNamedPipeServerProcessId(pipe, &id)) return false;
    const HANDLE server = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, id);
    if (server == nullptr) return false;
    std::vector<BYTE> theirs = UserOf(server);
    CloseHandle(server);
    std::vector<BYTE> ours = UserOf(GetCurrentProcess());
    return !theirs.empty() && !ours.empty() && EqualSid(SidOf(theirs), SidOf(ours));
}

HANDLE NewPipeInstance(const std::wstring& name, void* security, DWORD firstFlag) {
    SECURITY_ATTRIBUTES attributes{sizeof attributes, security, FALSE};
    return CreateNamedPipeW(
        name.c_str(), PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | firstFlag,
        PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS,
        PIPE_UNLIMITED_INSTANCES, kPipeBuffer, kPipeBuffer, 0, &attributes);
}

// Waits for an overlapped call on handle that `started` says has been made, cancelling it at
// deadline; true when it moved some bytes, their count in *moved.
bool Await(HANDLE handle, OVERLAPPED* op, BOOL started, DWORD* moved,
           SteadyClock::time_point deadline) {
    if (!started && GetLastError() != ERROR_IO_PENDING) return false;
    if (WaitForSingleObject(op->hEvent, static_cast<DWORD>(MsUntil(deadline))) != WAIT_OBJECT_0) {
        CancelIoEx(handle, op);
    }
    return GetOverlappedResult(handle, op, moved, TRUE) && *moved > 0;
}

// The caller's side of the conversation on a pipe opened for overlapped calls.
bool Converse(HANDLE pipe, SteadyClock::time_point deadline) {
    OVERLAPPED op{};
    op.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    if (op.hEvent == nullptr) return false;
    DWORD moved = 0;
    bool said = Await(pipe, &op,
                      WriteFile(pipe, kInstanceRequest.data(),
                                static_cast<DWORD>(kInstanceRequest.size()), nullptr, &op),
                      &moved, deadline) &&
                moved == kInstanceRequest.size();
    std::string answer;
    char buffer[kInstanceAnswer.size()];
    while (said && answer.size() < kInstanceAnswer.size()) {
        const DWORD wanted = static_cast<DWORD>(kInstanceAnswer.size() - answer.size());
        if (!Await(pipe, &op, ReadFile(pipe, buffer, wanted, nullptr, &op), &moved, deadline)) {
            break;
        }
        answer.append(buffer, moved);
    }
    CloseHandle(op.hEvent);
    return answer == kInstanceAnswer;
}

// One instance of the pipe and the caller on it, if any.
struct Line {
    enum class Stage { Listening, Hearing, Answering, Parting, Broken };

    explicit Line(HANDLE instance) : pipe(instance) {
        op.hEvent = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    }
    ~Line() {
        Settle();
        if (op.hEvent != nullptr) CloseHandle(op.hEvent);
        CloseHandle(pipe);
    }
    Line(const Line&) = delete;
    Line& operator=(const Line&) = delete;

    // Ends the call under way, if any, and waits until the system no longer uses op.
    void Settle() {
        if (!pending) return;
        CancelIoEx(pipe, &op);
        DWORD moved = 0;
        GetOverlappedResult(pipe, &op, &moved, TRUE);
        pending = false;
    }

    // Takes the result of the finished call: false when it failed, else what it moved.
    bool Finish(DWORD* moved) {
        pending = false;
        return GetOverlappedResult(pipe, &op, moved, FALSE);
    }

    // Notes a call that has been made: its end sets the event, even when it ended at once.
    void Begin(BOOL started) {
        pending = started || GetLastError() == ERROR_IO_PENDING;
        if (!pending) stage = Stage::Broken;
    }

    // Waits for the next caller; one that came before is heard at once.
    void TakeNextCaller() {
        said.clear();
        if (op.hEvent == nullptr) {
            stage = Stage::Broken;
            return;
        }
        ResetEvent(op.hEvent);
        if (ConnectNamedPipe(pipe, &op) || GetLastError() == ERROR_IO_PENDING) {
            stage = Stage::Listening;
            pending = true;
        } else if (GetLastError() == ERROR_PIPE_CONNECTED) {
            StartHearing();
        } else {
            stage = Stage::Broken;
        }
    }

    void HangUp() {
        Settle();
        DisconnectNamedPipe(pipe);
        TakeNextCaller();
    }

    void StartHearing() {
        stage = Stage::Hearing;
        deadline = SteadyClock::now() + kCallerPatience;
        ReadMore();
    }

    void ReadMore() {
        ResetEvent(op.hEvent);
        Begin(
            ReadFile(pipe, buffer, static_cast<DWORD>(sizeof buffer - said.size()), nullptr, &op));
    }

    HANDLE pipe;
    OVERLAPPED op{};
    bool pending = false;  // the system may still write op and buffer
    Stage stage = Stage::Listening;
    std::string said;
    char buffer[detail::kMostHeard];
    SteadyClock::time_point deadline;  // of a caller's call
};

}  // namespace

bool AskRunningInstanceToOpenSettings(const std::string& lockFolder, int timeoutMs) {
    const std::wstring name = detail::InstancePipeName(lockFolder);
    const auto deadline = SteadyClock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        // Identification only: whoever answers cannot act as this user.
        const HANDLE pipe = CreateFileW(
            name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
            FILE_FLAG_OVERLAPPED | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr);
        if (pipe != INVALID_HANDLE_VALUE) {
            const bool answered = ServerIsThisUser(pipe) && Converse(pipe, deadline);
            CloseHandle(pipe);
            return answered;
        }
        // Every instance of the pipe has a caller: one is waited for. Without a pipe nobody
        // listens.
        const DWORD error = GetLastError();
        const int left = MsUntil(deadline);
        if (error != ERROR_PIPE_BUSY || left == 0) return false;
        WaitNamedPipeW(name.c_str(), static_cast<DWORD>(left));
    }
}

struct InstanceListener::Server {
    ~Server() { StopServing(); }

    bool StartServing() {
        stop = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        if (stop == nullptr) return false;
        thread = std::thread([this] { Run(); });
        return true;
    }

    void StopServing() {
        if (!thread.joinable()) return;
        SetEvent(stop);
        thread.join();
        CloseHandle(stop);
        lines.clear();
    }

    void Run() {
        for (const auto& line : lines) line->TakeNextCaller();
        for (;;) {
            KeepOneListening();
            DropBroken();
            std::vector<HANDLE> events{stop};
            for (const auto& line : lines) events.push_back(line->op.hEvent);
            const DWORD woken = WaitForMultipleObjects(static_cast<DWORD>(events.size()),
                                                       events.data(), FALSE, NearestDeadlineMs());
            if (woken == WAIT_OBJECT_0 || woken == WAIT_FAILED) return;
            for (const auto& line : lines) {
                if (line->pending && WaitForSingleObject(line->op.hEvent, 0) == WAIT_OBJECT_0) {
                    Advance(*line);
                } else if (line->stage != Line::Stage::Listening &&
                           SteadyClock::now() >= line->deadline) {
                    line->HangUp();
                }
            }
        }
    }

    void DropBroken() {
        lines.erase(
            std::remove_if(lines.begin(), lines.end(),
                           [](const auto& line) { return line->stage == Line::Stage::Broken; }),
            lines.end());
    }

    DWORD NearestDeadlineMs() const {
        DWORD nearest = INFINITE;
        for (const auto& line : lines) {
            if (line->stage == Line::Stage::Listening) continue;
            nearest = std::min(nearest, static_cast<DWORD>(MsUntil(line->deadline)));
        }
        return nearest;
    }

    // A new caller always finds an instance listening: a new one while there are fewer callers
    // than are heard at once, else the one whose caller has waited longest. Either may find a
    // caller waiting already, and then another is needed.
    void KeepOneListening() {
        while (std::none_of(lines.begin(), lines.end(), [](const auto& line) {
            return line->stage == Line::Stage::Listening;
        })) {
            if (!ListenOnOneMore()) return;
        }
    }

    // False when the system made no instance listen; the next wake of the thread tries again.
    bool ListenOnOneMore() {
        Line* line = nullptr;
        if (lines.size() < kMaxCallers) {
            const HANDLE instance = NewPipeInstance(name, security.get(), 0);
            if (instance == INVALID_HANDLE_VALUE) return false;
            line = lines.emplace_back(std::make_unique<Line>(instance)).get();
            line->TakeNextCaller();
        } else {
            line = std::min_element(lines.begin(), lines.end(), [](const auto& a, const auto& b) {
                       return a->deadline < b->deadline;
                   })->get();
            line->HangUp();
        }
        return line->stage != Line::Stage::Broken;
    }

    // The next step of the conversation on line, whose call has ended.
    void Advance(Line& line) {
        DWORD moved = 0;
        const bool done = line.Finish(&moved);
        switch (line.stage) {
            case Line::Stage::Listening:
                return done ? line.StartHearing() : line.HangUp();
            case Line::Stage::Hearing:
                return done && moved > 0 ? Hear(line, moved) : line.HangUp();
            case Line::Stage::Answering:
                if (!done) return line.HangUp();
                // The caller reads the answer and hangs up; hanging up first would take the
                // answer away unread.
                line.stage = Line::Stage::Parting;
                line.deadline = SteadyClock::now() + kCallerPatience;
                return line.ReadMore();
            default:
                // Parting: the caller has hung up, or says more than it should.
                return line.HangUp();
        }
    }

    void Hear(Line& line, DWORD moved) {
        line.said.append(line.buffer, moved);
        switch (detail::Hear(line.said)) {
            case detail::Heard::Part:
                return line.ReadMore();
            case detail::Heard::Other:
                return line.HangUp();
            case detail::Heard::Request:
                line.stage = Line::Stage::Answering;
                ResetEvent(line.op.hEvent);
                line.Begin(WriteFile(line.pipe, kInstanceAnswer.data(),
                                     static_cast<DWORD>(kInstanceAnswer.size()), nullptr,
                                     &line.op));
                openSettings();
                return;
        }
    }

    std::wstring name;
    SecurityDescriptor security;
    HANDLE stop = nullptr;
    std::function<void()> openSettings;
    std::thread thread;
    // The instances of the pipe; the first is made by Listen, the others by the serving thread,
    // which alone touches them while it runs.
    std::vector<std::unique_ptr<Line>> lines;
};

InstanceListener::InstanceListener() = default;

InstanceListener::~InstanceListener() = default;

bool InstanceListener::Listen(const std::string& lockFolder) {
    server_.reset();
    auto server = std::make_unique<Server>();
    server->name = detail::InstancePipeName(lockFolder);
    server->security = UserOnlySecurity();
    if (!server->security) return false;
    // A pipe of this name that another process, of this user or another, has made is neither
    // joined nor served: its callers would not all be ours. The flag covers the moment between
    // the look and the making.
    if (WaitNamedPipeW(server->name.c_str(), 1) || GetLastError() != ERROR_FILE_NOT_FOUND) {
        return false;
    }
    const HANDLE first =
        NewPipeInstance(server->name, server->security.get(), FILE_FLAG_FIRST_PIPE_INSTANCE);
    if (first == INVALID_HANDLE_VALUE) return false;
    server->lines.push_back(std::make_unique<Line>(first));
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

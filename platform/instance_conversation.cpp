#include "platform/instance_conversation.h"

namespace tv::detail {

Heard Hear(std::string_view said) {
    if (kInstanceRequest.substr(0, said.size()) != said) return Heard::Other;
    return said.size() < kInstanceRequest.size() ? Heard::Part : Heard::Request;
}

int MsUntil(SteadyClock::time_point deadline) {
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(deadline - SteadyClock::now()).count();
    return left <= 0 ? 0 : static_cast<int>(left);
}

}  // namespace tv::detail

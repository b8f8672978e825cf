#include "controller/runners/destination_below.h"

#include "platform/paths.h"

namespace tv {

std::optional<std::string> DestinationBelow(const std::string& folder, const std::string& name) {
    if (!IsPlainComponent(name)) return std::nullopt;
    std::string destination = JoinPath(folder, name);
    if (!IsStrictlyBelow(destination, folder)) return std::nullopt;
    return destination;
}

std::string ItemName(const std::string& item) {
    return AfterLastSeparator(WithoutTrailingSeparators(item));
}

}  // namespace tv

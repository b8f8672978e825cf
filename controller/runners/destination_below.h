// A run's destination made of a folder from the settings and a name that comes from outside the
// program: a medium's serial number, the last part of a listed path. The name decides only
// which entry of the folder the run writes to; it must never lead the run anywhere else.
#pragma once

#include <optional>
#include <string>

namespace tv {

// folder joined with name, or nothing when name is not one plain component or the joined path
// does not lie strictly below folder once "." and ".." are resolved.
std::optional<std::string> DestinationBelow(const std::string& folder, const std::string& name);

// The name an item of the file list takes in the destination folder: the last part of its
// path. An item such as "..", "." or "/" has no plain name, and DestinationBelow refuses it.
std::string ItemName(const std::string& item);

}  // namespace tv

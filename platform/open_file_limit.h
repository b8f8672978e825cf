// How many files the process may hold open at once.
#pragma once

namespace tv {

// Raises the process's soft limit of open files to its hard limit: desktops start programs with
// a soft limit far below what the system allows them. False when the limit could not be read
// or raised.
bool RaiseOpenFileLimit();

}  // namespace tv

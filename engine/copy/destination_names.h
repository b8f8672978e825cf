// How the destination's file system holds the names of the run's copies: what it refuses, found
// once per run by a probe in the destination (see name_refusals.h), so that every copy's name is
// mapped alike and every run finds the copies of the one before.
#pragma once

#include <string>

#include "platform/name_refusals.h"

namespace tv {

// What the file system that holds (or will hold) destination refuses: asked in the destination,
// or in the nearest folder above it that exists. Nothing on a file system that holds every
// name, and nothing is written there. Leftover probes and copies of killed runs in the folder
// asked are removed first.
NameRefusals RefusalsOfDestination(const std::string& destination);

}  // namespace tv

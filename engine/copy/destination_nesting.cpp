#include "engine/copy/destination_nesting.h"

#include <algorithm>
#include <vector>

namespace tv {

namespace {

bool Holds(const std::vector<NodeIdentity>& chain, size_t from, const NodeIdentity& identity) {
    return chain.size() > from &&
           std::find(chain.begin() + static_cast<long>(from), chain.end(), identity) != chain.end();
}

}  // namespace

DestinationPlace PlaceOfDestination(const std::string& source, const std::string& destination) {
    DestinationPlace place;
    NodeIdentity sourceRoot, destinationRoot;
    std::vector<NodeIdentity> aboveSource, aboveDestination;
    if (!GetNodeIdentity(source, &sourceRoot) || !GetAncestorIdentities(source, &aboveSource) ||
        !GetAncestorIdentities(destination, &aboveDestination)) {
        return place;
    }
    if (GetNodeIdentity(destination, &destinationRoot)) place.destination = destinationRoot;
    if (place.destination && destinationRoot == sourceRoot) {
        place.nesting = DestinationNesting::SameFolder;
    } else if (place.destination && Holds(aboveSource, 1, destinationRoot)) {
        place.nesting = DestinationNesting::HoldsSource;
    } else if (Holds(aboveDestination, 0, sourceRoot)) {
        place.nesting = DestinationNesting::InsideSource;
    }
    return place;
}

bool EndsTheRun(DestinationNesting nesting) {
    return nesting == DestinationNesting::SameFolder || nesting == DestinationNesting::HoldsSource;
}

}  // namespace tv

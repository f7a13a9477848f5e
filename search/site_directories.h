#pragma once

#include "platform/text.h"
#include "search/endpoint_host.h"

#include <array>
#include <span>
#include <string_view>

namespace chenglan {

// One site of a directory: its list item (UTF-8 here) and its fixed address.
struct SiteEntry {
    std::string_view name;
    EndpointHost host;
    std::string_view path; // empty: the address ends with the host
};

struct SiteDirectory {
    std::string_view control;
    std::span<const SiteEntry> entries;
};

extern const std::array<SiteDirectory, 2> SiteDirectories;

// The entry whose name equals the chosen item's text byte for byte, or none.
const SiteEntry* findSite(const SiteDirectory& directory, const Text& itemText);

Text siteAddress(const SiteEntry& entry);

} // namespace chenglan

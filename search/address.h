#pragma once

#include "platform/text.h"
#include "search/endpoint_host.h"

#include <string_view>

namespace chenglan {

// "http://" + host + request + keyword + suffix, byte for byte: nothing is escaped,
// trimmed or checked, so a keyword holding "&" or "#" splits the query as typed.
Text composeAddress(EndpointHost host, std::string_view request, std::string_view keyword = {},
                    std::string_view suffix = {});

// The pane's start page: Baidu's video search, nothing after the host.
Text startAddress();

} // namespace chenglan

#pragma once

#include "platform/text.h"
#include "search/endpoint_host.h"

#include <array>
#include <string_view>

namespace chenglan {

enum class KeywordSource {
    Fresh,  // the keyword box's text, which then becomes the current keyword
    Stored, // the current keyword, unchanged
};

// One search button: where its keyword comes from and how its address is made.
struct SearchEngine {
    std::string_view button; // control name
    KeywordSource source;
    EndpointHost host;
    std::string_view request; // after the host, up to the keyword
    std::string_view suffix;  // after the keyword
    // Baidu Guoxue names its own host inside the suffix: suffix + host + suffixTail.
    bool suffixRepeatsHost = false;
    std::string_view suffixTail = {};
};

extern const std::array<SearchEngine, 13> SearchEngineTable;

// The address a row sends the keyword to.
Text searchAddress(const SearchEngine& engine, std::string_view keyword);

// The row of the 百度 button, which live search performs on every change.
const SearchEngine& liveSearchEngine();

} // namespace chenglan

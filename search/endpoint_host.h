#pragma once

#include <string_view>

namespace chenglan {

// The servers the program addresses, named by whose server each is.
enum class EndpointHost {
#define ENDPOINT_HOST(name, host) name,
#include CHENGLAN_ENDPOINT_HOSTS
#undef ENDPOINT_HOST
};

std::string_view hostOf(EndpointHost endpoint);

} // namespace chenglan

#include "search/endpoint_host.h"

namespace chenglan {

std::string_view hostOf(EndpointHost endpoint)
{
    static constexpr std::string_view hosts[] = {
#define ENDPOINT_HOST(name, host) host,
#include CHENGLAN_ENDPOINT_HOSTS
#undef ENDPOINT_HOST
    };
    return hosts[static_cast<int>(endpoint)];
}

} // namespace chenglan

#include "search/address.h"

namespace chenglan {

Text composeAddress(EndpointHost host, std::string_view request, std::string_view keyword,
                    std::string_view suffix)
{
    constexpr std::string_view scheme = "http://";
    const std::string_view server = hostOf(host);
    Text address;
    address.reserve(scheme.size() + server.size() + request.size() + keyword.size() + suffix.size());
    address.append(scheme).append(server).append(request).append(keyword).append(suffix);
    return address;
}

Text startAddress()
{
    return composeAddress(EndpointHost::BaiduVideoSearch, "");
}

} // namespace chenglan

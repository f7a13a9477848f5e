#pragma once

#include <string_view>

namespace chenglan {

// The servers the program addresses, named by whose server each is.
enum class EndpointHost {
#ifndef Q_MOC_RUN // moc does not expand an include named by a macro
#define ENDPOINT_HOST(name, host) name,
#include CHENGLAN_ENDPOINT_HOSTS
#undef ENDPOINT_HOST
#endif
};

std::string_view hostOf(EndpointHost endpoint);

} // namespace chenglan

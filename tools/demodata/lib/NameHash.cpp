#include "tools/demodata/lib/NameHash.h"

namespace nv::demodata {

std::uint32_t archiveNameHash(std::string_view name) {
    std::size_t start = 0;
    while (start < name.size() && (name[start] == '/' || name[start] == '\\')) ++start;
    std::uint32_t h = 0;
    for (std::size_t i = start; i < name.size(); ++i) {
        const char c = name[i] == '\\' ? '/' : name[i];
        h = h * 31u + static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<signed char>(c)));
    }
    return h;
}

}  // namespace nv::demodata

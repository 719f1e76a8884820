#include "tools/demodata/lib/NameHash.h"

#include <algorithm>
#include <map>

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

std::optional<std::string> findNameHashClash(const std::vector<std::string>& stored,
                                             const std::vector<std::string>& probed) {
  std::map<std::uint32_t, std::string> hashes;
  for (const auto& name : stored) {
    const auto [it, fresh] = hashes.emplace(archiveNameHash(name), name);
    if (!fresh) return "stored names " + it->second + " and " + name + " share a hash";
  }
  for (const auto& name : probed) {
    if (std::find(stored.begin(), stored.end(), name) != stored.end()) continue;
    const auto it = hashes.find(archiveNameHash(name));
    if (it != hashes.end()) return "absent name " + name + " has the hash of " + it->second;
  }
  return std::nullopt;
}

}  // namespace nv::demodata

#include "platform/system/DeviceProfileFile.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace wce {
namespace {

std::string_view trim(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// Strict UTF-8 to UTF-16; nullopt on malformed input.
std::optional<std::u16string> widen(std::string_view text) {
  std::u16string out;
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    int extra = 0;
    char32_t code = 0;
    if (lead < 0x80) {
      code = lead;
    } else if ((lead & 0xE0) == 0xC0) {
      extra = 1, code = lead & 0x1F;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2, code = lead & 0x0F;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3, code = lead & 0x07;
    } else {
      return std::nullopt;
    }
    if (i + static_cast<std::size_t>(extra) >= text.size() && extra > 0) return std::nullopt;
    for (int k = 1; k <= extra; ++k) {
      const auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return std::nullopt;
      code = (code << 6) | (next & 0x3F);
    }
    static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
    if (code < kMinimum[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      return std::nullopt;
    }
    if (code >= 0x10000) {
      code -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(code));
    }
    i += static_cast<std::size_t>(extra) + 1;
  }
  return out;
}

template <typename Number>
std::optional<Number> number(std::string_view text, int base = 10) {
  Number value{};
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

std::optional<bool> flag(std::string_view text) {
  if (text == "yes" || text == "true" || text == "1") return true;
  if (text == "no" || text == "false" || text == "0") return false;
  return std::nullopt;
}

// Sets one field; returns an error text or an empty string.
std::string apply(DeviceProfile& profile, std::string_view key, std::string_view value) {
  if (key == "preset") {
    auto preset = devicePreset(value);
    if (!preset) return "unknown preset \"" + std::string(value) + "\"";
    profile = *preset;
  } else if (key == "platform" || key == "oem") {
    auto text = widen(value);
    if (!text) return "value is not UTF-8";
    (key == "platform" ? profile.platformType : profile.oemInfo) = *text;
  } else if (key == "os") {
    const auto first = value.find('.');
    if (first == std::string_view::npos) return "os wants major.minor";
    const auto second = value.find('.', first + 1);
    auto major = number<std::uint32_t>(value.substr(0, first));
    auto minor = number<std::uint32_t>(value.substr(first + 1, second - first - 1));
    auto build = second == std::string_view::npos ? std::optional<std::uint32_t>(0)
                                                  : number<std::uint32_t>(value.substr(second + 1));
    if (!major || !minor || !build) return "os wants major.minor";
    profile.osMajor = *major, profile.osMinor = *minor, profile.osBuild = *build;
  } else if (key == "screen") {
    const auto x = value.find('x');
    auto width = number<int>(value.substr(0, x == std::string_view::npos ? 0 : x));
    auto height = x == std::string_view::npos ? std::nullopt : number<int>(value.substr(x + 1));
    if (!width || !height || *width < 1 || *height < 1 || *width > 4096 || *height > 4096) {
      return "screen wants WIDTHxHEIGHT (1 to 4096)";
    }
    profile.screenWidth = *width, profile.screenHeight = *height;
  } else if (key == "orientation") {
    auto degrees = number<int>(value);
    if (!degrees || *degrees < 0 || *degrees > 270 || *degrees % 90 != 0) {
      return "orientation wants 0, 90, 180 or 270";
    }
    profile.orientation = *degrees / 90;
  } else if (key == "dpi") {
    auto dpi = value == "auto" ? std::optional<int>(0) : number<int>(value);
    if (!dpi || *dpi < 0 || *dpi > 2000) return "dpi wants a number or auto";
    profile.dpi = *dpi;
  } else if (key == "touch" || key == "rotatable" || key == "escape.rawframebuffer" || key == "escape.gxinfo") {
    auto on = flag(value);
    if (!on) return "wants yes or no";
    bool& field = key == "touch"                   ? profile.touchScreen
                  : key == "rotatable"             ? profile.rotatable
                  : key == "escape.rawframebuffer" ? profile.rawFrameBufferEscape
                                                   : profile.gxInfoEscape;
    field = *on;
  } else if (key == "processor") {
    const bool hex = value.starts_with("0x") || value.starts_with("0X");
    auto id = number<std::uint32_t>(hex ? value.substr(2) : value, hex ? 16 : 10);
    if (!id) return "processor wants a number";
    profile.processorId = *id;
  } else if (key == "modules") {
    profile.modules.clear();
    std::string names(value);
    for (char& c : names) {
      if (c == ',') c = ' ';
    }
    std::istringstream words(names);
    for (std::string name; words >> name;) profile.modules.push_back(name);
  } else {
    return "unknown key \"" + std::string(key) + "\"";
  }
  return {};
}

}  // namespace

DeviceProfileResult parseDeviceProfile(std::string_view text) {
  if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3);
  DeviceProfile profile;
  int lineNumber = 0;
  while (!text.empty()) {
    const auto end = text.find('\n');
    const auto line = trim(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++lineNumber;
    if (line.empty() || line.front() == '#') continue;
    const auto equals = line.find('=');
    std::string error = equals == std::string_view::npos
                            ? std::string("expected key = value")
                            : apply(profile, trim(line.substr(0, equals)), trim(line.substr(equals + 1)));
    if (!error.empty()) return {std::nullopt, "line " + std::to_string(lineNumber) + ": " + error};
  }
  return {profile, {}};
}

DeviceProfileResult loadDeviceProfile(const std::string& path) {
  std::error_code ignored;
  std::ifstream file(path, std::ios::binary);
  if (!std::filesystem::is_regular_file(path, ignored) || !file) return {std::nullopt, path + ": cannot be read"};
  std::ostringstream content;
  content << file.rdbuf();
  if (file.bad()) return {std::nullopt, path + ": cannot be read"};
  auto result = parseDeviceProfile(content.str());
  if (!result.profile) result.error = path + ": " + result.error;
  return result;
}

}  // namespace wce

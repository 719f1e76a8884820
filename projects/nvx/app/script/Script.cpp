#include "nvx/app/script/Script.h"

#include <charconv>
#include <fstream>
#include <iterator>
#include <sstream>

#include "platform/window/VirtualKeys.h"

namespace nvx {

namespace {

struct NamedKey {
  std::string_view name;
  uint32_t virtualKey;
};

constexpr NamedKey namedKeys[] = {
    {"Up", wce::VK_UP},
    {"Down", wce::VK_DOWN},
    {"Left", wce::VK_LEFT},
    {"Right", wce::VK_RIGHT},
    {"Return", wce::VK_RETURN},
    {"Select", wce::VK_RETURN},
    {"F1", wce::VK_F1},
    {"SoftLeft", wce::VK_F1},
    {"F2", wce::VK_F2},
    {"SoftRight", wce::VK_F2},
    {"Esc", wce::VK_ESCAPE},
    {"+", wce::VK_APP3},
    {"-", wce::VK_APP2},
    {"Star", wce::VK_F8},
    {"Pound", wce::VK_F9},
};

std::optional<int32_t> parseInteger(std::string_view text) {
  int32_t value = 0;
  const char* end = text.data() + text.size();
  auto [at, error] = std::from_chars(text.data(), end, value);
  if (error != std::errc() || at != end || text.empty()) return std::nullopt;
  return value;
}

std::vector<std::string> wordsOf(std::string_view line) {
  std::istringstream in{std::string(line)};
  return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

[[noreturn]] void fail(int line, const std::string& message) {
  throw ScriptError("line " + std::to_string(line) + ": " + message);
}

uint32_t keyArgument(int line, const std::string& word) {
  std::optional<uint32_t> key = virtualKeyNamed(word);
  if (!key) fail(line, "unknown key \"" + word + "\"");
  return *key;
}

uint32_t durationArgument(int line, const std::string& word) {
  std::optional<uint32_t> millis = parseDuration(word);
  if (!millis) fail(line, "expected a duration such as 250ms or 2s, not \"" + word + "\"");
  return *millis;
}

void expectWords(int line, const std::vector<std::string>& words, std::size_t count, const char* usage) {
  if (words.size() != count) fail(line, std::string("expected \"") + usage + "\"");
}

ScriptStep parseLine(int line, const std::vector<std::string>& words) {
  ScriptStep step;
  step.line = line;
  const std::string& verb = words[0];
  if (verb == "key") {
    expectWords(line, words, 2, "key K");
    step.verb = ScriptVerb::Key;
    step.virtualKey = keyArgument(line, words[1]);
  } else if (verb == "hold") {
    expectWords(line, words, 3, "hold K DURATION");
    step.verb = ScriptVerb::Hold;
    step.virtualKey = keyArgument(line, words[1]);
    step.millis = durationArgument(line, words[2]);
  } else if (verb == "tap") {
    expectWords(line, words, 3, "tap X Y");
    std::optional<int32_t> x = parseInteger(words[1]), y = parseInteger(words[2]);
    if (!x || !y || *x < 0 || *y < 0) fail(line, "tap takes two whole screen coordinates");
    step.verb = ScriptVerb::Tap;
    step.x = *x;
    step.y = *y;
  } else if (verb == "wait") {
    expectWords(line, words, 2, "wait DURATION");
    step.verb = ScriptVerb::Wait;
    step.millis = durationArgument(line, words[1]);
  } else if (verb == "until") {
    expectWords(line, words, 3, "until NAME=VALUE timeout=DURATION");
    const std::size_t equals = words[1].find('=');
    std::optional<int32_t> value =
        equals == std::string::npos ? std::nullopt : parseInteger(std::string_view(words[1]).substr(equals + 1));
    if (equals == 0 || !value) fail(line, "expected NAME=VALUE, not \"" + words[1] + "\"");
    if (words[2].rfind("timeout=", 0) != 0) fail(line, "expected timeout=DURATION, not \"" + words[2] + "\"");
    step.verb = ScriptVerb::Until;
    step.name = words[1].substr(0, equals);
    step.value = *value;
    step.millis = durationArgument(line, words[2].substr(8));
  } else if (verb == "checkpoint") {
    expectWords(line, words, 2, "checkpoint NAME");
    step.verb = ScriptVerb::Checkpoint;
    step.name = words[1];
  } else {
    fail(line, "unknown step \"" + verb + "\"");
  }
  return step;
}

}  // namespace

std::optional<uint32_t> virtualKeyNamed(std::string_view name) {
  for (const NamedKey& key : namedKeys)
    if (key.name == name) return key.virtualKey;
  if (name.size() == 1 && name[0] >= '0' && name[0] <= '9') return static_cast<uint32_t>(wce::VK_0 + (name[0] - '0'));
  if (name.size() == 1 && name[0] >= 'A' && name[0] <= 'Z') return static_cast<uint32_t>(wce::VK_A + (name[0] - 'A'));
  return std::nullopt;
}

std::optional<uint32_t> parseDuration(std::string_view text) {
  if (text.size() > 2 && text.substr(text.size() - 2) == "ms") {
    std::optional<int32_t> ms = parseInteger(text.substr(0, text.size() - 2));
    if (!ms || *ms < 0) return std::nullopt;
    return static_cast<uint32_t>(*ms);
  }
  if (text.size() < 2 || text.back() != 's') return std::nullopt;
  text.remove_suffix(1);
  const std::size_t dot = text.find('.');
  std::optional<int32_t> whole = parseInteger(text.substr(0, dot));
  if (!whole || *whole < 0 || *whole > 86400) return std::nullopt;
  uint32_t millis = static_cast<uint32_t>(*whole) * 1000;
  if (dot != std::string_view::npos) {
    std::string_view fraction = text.substr(dot + 1);
    if (fraction.empty() || fraction.size() > 3) return std::nullopt;
    std::optional<int32_t> digits = parseInteger(fraction);
    if (!digits || *digits < 0 || fraction[0] == '+' || fraction[0] == '-') return std::nullopt;
    int32_t scale = 1;
    for (std::size_t i = fraction.size(); i < 3; ++i) scale *= 10;
    millis += static_cast<uint32_t>(*digits * scale);
  }
  return millis;
}

std::vector<ScriptStep> parseScript(std::string_view text) {
  std::vector<ScriptStep> steps;
  int line = 0;
  while (!text.empty()) {
    ++line;
    const std::size_t end = text.find('\n');
    std::string_view current = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (const std::size_t comment = current.find('#'); comment != std::string_view::npos)
      current = current.substr(0, comment);
    std::vector<std::string> words = wordsOf(current);
    if (!words.empty()) steps.push_back(parseLine(line, words));
  }
  return steps;
}

std::vector<ScriptStep> loadScript(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw ScriptError("cannot read " + file.string());
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  try {
    return parseScript(text);
  } catch (const ScriptError& e) {
    throw ScriptError(file.string() + ": " + e.what());
  }
}

}  // namespace nvx

#include "EventLog.h"

#include <cstdio>
#include <system_error>

#include "ScenarioScripts.h"
#include "gamelib/PlayerInfo.h"
#include "gamelib/SoundManager.h"
#include "lang/DString.h"
#include "lang/DshortArray.h"
#include "nvx/src/state/GameState.h"
#include "nvx/src/state/StateMachine.h"
#include "nvx/src/text/LanguageTexts.h"
#include "nvx/src/windows/DialogWindow.h"
#include "platform/registry/KeyName.h"

using nvx::DialogWindow;
using nvx::GameState;
using nvx::LanguageTexts;
using nvx::StateMachine;

namespace {

std::string narrow(std::u16string_view text) {
  std::string out;
  for (char16_t unit : text) out.push_back(unit < 0x80 ? static_cast<char>(unit) : '?');
  return out;
}

std::string soundName(int32_t index) {
  gamelib::PlayerInfoPtr info = GameState::sounds->info(index);
  if (!info || !info->fileName) return "#" + std::to_string(index);
  std::string name = narrow(info->fileName->view());
  if (const std::size_t slash = name.rfind('/'); slash != std::string::npos) name = name.substr(slash + 1);
  if (const std::size_t dot = name.rfind('.'); dot != std::string::npos) name = name.substr(0, dot);
  return name;
}

std::string utf8(const qel::lang::DStringPtr& text) {
  std::string out;
  if (!text) return out;
  for (char16_t unit : text->view()) {
    if (unit < 0x80) {
      out.push_back(static_cast<char>(unit));
    } else if (unit < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (unit >> 6)));
      out.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xE0 | (unit >> 12)));
      out.push_back(static_cast<char>(0x80 | ((unit >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
    }
  }
  return out;
}

std::string glyphText(const qel::lang::DshortArrayPtr& glyphs) {
  return glyphs ? "\"" + utf8(LanguageTexts::glyphsToString(glyphs)) + "\"" : "-";
}

std::string itemText(int16_t id) {
  if (id < 0) return "value " + std::to_string(id);
  return glyphText(LanguageTexts::getText(id));
}

// The open window's content in one line.
std::string dialogLine() {
  std::string line =
      "dialog " + std::to_string(DialogWindow::dialogId) + " title " + glyphText(DialogWindow::titleText);
  if (DialogWindow::bodyText) line += " body " + glyphText(DialogWindow::bodyText);
  if (DialogWindow::itemIds) {
    line += " items";
    for (int32_t i = 0; i < DialogWindow::itemIds->length(); ++i) {
      const int16_t id = DialogWindow::itemIds->at(i);
      // An item as the window shows it, its values put in.
      line += (i ? " | " : " ") + (id < 0 ? itemText(id) : glyphText(DialogWindow::getItemText(i)));
    }
  }
  if (DialogWindow::softKeys) {
    line += " keys";
    for (int32_t i = 0; i < DialogWindow::softKeys->length(); ++i)
      line += (i ? " | " : " ") + itemText(DialogWindow::softKeys->at(i));
  }
  return line;
}

}  // namespace

std::string recordName(const std::filesystem::path& relative) {
  auto part = relative.begin();
  if (part == relative.end()) return {};
  if (*part != "registry") return relative.extension() == ".txt" ? std::string() : relative.generic_string();
  // registry/<root key>/k.software/k.<company>/k.<application>/k.<store>/v.<id>
  if (++part == relative.end()) return {};
  std::vector<std::string> names;
  for (++part; part != relative.end(); ++part) {
    const std::string entry = part->string();
    if (entry.size() < 2 || (entry.rfind("k.", 0) != 0 && entry.rfind("v.", 0) != 0)) return {};
    names.push_back(narrow(wce::decodeKeyName(entry.substr(2))));
  }
  if (names.size() < 2 || relative.filename().string().rfind("v.", 0) != 0) return {};
  return names[names.size() - 2] + "/" + names.back();
}

std::string describeBytes(const std::string& bytes) {
  if (bytes.size() > 64) {
    uint32_t hash = 2166136261u;
    for (unsigned char b : bytes) hash = (hash ^ b) * 16777619u;
    char text[64];
    std::snprintf(text, sizeof text, "%zu bytes, hash %08x", bytes.size(), hash);
    return text;
  }
  std::string out;
  for (unsigned char b : bytes) {
    char pair[4];
    std::snprintf(pair, sizeof pair, "%s%02x", out.empty() ? "" : " ", b);
    out += pair;
  }
  return out.empty() ? "(empty)" : out;
}

EventLog::EventLog(std::filesystem::path userFolder) : user_(std::move(userFolder)), userChanges_(user_) {
  observeFiles();
  lines_.clear();
}

void EventLog::observe() {
  observeState();
  observeDialog();
  observeLine();
  observeSounds();
  observeFiles();
}

std::string EventLog::text() const {
  std::string out;
  for (const std::string& line : lines_) out += line + "\n";
  return out;
}

void EventLog::observeState() {
  if (GameState::gameState != state_) {
    state_ = GameState::gameState;
    note("state " + std::to_string(state_));
  }
  if (GameState::levelNumber != level_) {
    if (levelSeen_) note("level " + std::to_string(GameState::levelNumber));
    level_ = GameState::levelNumber;
    levelSeen_ = true;
  }
  if (GameState::money != money_ || !moneySeen_) {
    money_ = GameState::money;
    moneySeen_ = true;
    note("money " + std::to_string(money_));
  }
  if (GameState::pendingTransition != transition_) {
    if (transition_ != 0) note("transition " + std::to_string(transition_) + " run");
    transition_ = GameState::pendingTransition;
    if (transition_ != 0) note("transition " + std::to_string(transition_) + " requested");
  }
}

void EventLog::observeDialog() {
  if (GameState::gameState != StateMachine::stateDialog) {
    dialog_.clear();
    return;
  }
  std::string line = dialogLine();
  if (line != dialog_) {
    dialog_ = line;
    selection_ = DialogWindow::selection;
    note(line);
    return;
  }
  if (DialogWindow::selection == selection_ || !DialogWindow::itemIds) return;
  selection_ = DialogWindow::selection;
  const bool item = selection_ >= 0 && selection_ < DialogWindow::itemIds->length();
  note("selection " + std::to_string(selection_) + (item ? " " + itemText(DialogWindow::itemIds->at(selection_)) : ""));
}

// A place's text is set for the line along the bottom; the bubble's painter
// moves the line into the bubble when it draws it.
void EventLog::observeLine() {
  const bool shown = GameState::gameState == StateMachine::stateMapScreen && !GameState::shopMode &&
                     GameState::tickerRunning && GameState::tickerText &&
                     GameState::tickerWidth != GameState::placeLineWidth;
  const std::string line = shown ? glyphText(GameState::tickerText) : std::string();
  if (line == line_) return;
  line_ = line;
  if (shown) note("line " + line);
}

void EventLog::observeSounds() {
  if (!GameState::sounds) return;
  const int32_t count = GameState::sounds->soundCount();
  playing_.resize(static_cast<std::size_t>(count), false);
  for (int32_t i = 0; i < count; ++i) {
    const bool now = GameState::sounds->isPlaying(i);
    if (now == playing_[static_cast<std::size_t>(i)]) continue;
    playing_[static_cast<std::size_t>(i)] = now;
    note(std::string("sound ") + (now ? "start " : "stop ") + soundName(i));
  }
}

void EventLog::observeFiles() {
  if (!userChanges_.changed()) return;
  std::map<std::string, std::string> now;
  std::error_code error;
  for (auto it = std::filesystem::recursive_directory_iterator(user_, error);
       !error && it != std::filesystem::recursive_directory_iterator();
       it.increment(error)) {
    if (!it->is_regular_file()) continue;
    const std::string name = recordName(it->path().lexically_relative(user_));
    if (!name.empty()) now[name] = contentOf(it->path());
  }
  for (const auto& [name, bytes] : now) {
    auto before = files_.find(name);
    if (before == files_.end() || before->second != bytes) note("record " + name + ": " + describeBytes(bytes));
  }
  for (const auto& [name, bytes] : files_)
    if (!now.count(name)) note("record " + name + " deleted");
  files_ = std::move(now);
}

#include "microedition/displayable/KeyRemap.h"

#include <array>

namespace qel::lcdui {

namespace {

// Lower-case row, then upper-case row; each character stands for its code.
constexpr KeyRemapPair treo[] = {{'w', '1'}, {'e', '2'}, {'r', '3'}, {'s', '4'}, {'d', '5'}, {'f', '6'},
                                 {'z', '7'}, {'x', '8'}, {'c', '9'}, {'?', '0'}, {'a', '*'}, {'g', '#'},
                                 {'W', '1'}, {'E', '2'}, {'R', '3'}, {'S', '4'}, {'D', '5'}, {'F', '6'},
                                 {'Z', '7'}, {'X', '8'}, {'C', '9'}, {'A', '*'}, {'G', '#'}, {0, 0}};
constexpr KeyRemapPair hermes[] = {{'z', '1'}, {'y', '1'}, {'u', '2'}, {'i', '3'}, {'h', '4'}, {'j', '5'}, {'k', '6'},
                                   {'b', '7'}, {'n', '8'}, {'m', '9'}, {'.', '0'}, {'v', '*'}, {'t', '#'}, {'Z', '1'},
                                   {'Y', '1'}, {'U', '2'}, {'I', '3'}, {'H', '4'}, {'J', '5'}, {'K', '6'}, {'B', '7'},
                                   {'N', '8'}, {'M', '9'}, {'V', '*'}, {'T', '#'}, {0, 0}};
constexpr KeyRemapPair samsung[] = {{'q', '1'}, {'w', '2'}, {'e', '3'}, {'r', '4'}, {'t', '5'}, {'y', '6'}, {'u', '7'},
                                    {'i', '8'}, {'o', '9'}, {'p', '0'}, {'h', '*'}, {'d', '#'}, {'Q', '1'}, {'W', '2'},
                                    {'E', '3'}, {'R', '4'}, {'T', '5'}, {'Y', '6'}, {'U', '7'}, {'I', '8'}, {'O', '9'},
                                    {'P', '0'}, {'H', '*'}, {'D', '#'}, {0, 0}};
constexpr KeyRemapPair loox[] = {{'u', '1'}, {'i', '2'}, {'o', '3'}, {'j', '4'}, {'k', '5'}, {'l', '6'}, {'n', '7'},
                                 {'m', '8'}, {'-', '9'}, {':', '0'}, {',', '*'}, {'U', '1'}, {'I', '2'}, {'O', '3'},
                                 {'J', '4'}, {'K', '5'}, {'L', '6'}, {'N', '7'}, {'M', '8'}, {0, 0}};
constexpr KeyRemapPair ipaq[] = {{'u', '1'}, {'i', '2'}, {'o', '3'}, {'j', '4'},  {'k', '5'}, {'l', '6'}, {'n', '7'},
                                 {'m', '8'}, {'!', '9'}, {'.', '0'}, {'\'', '*'}, {'|', '#'}, {'U', '1'}, {'I', '2'},
                                 {'O', '3'}, {'J', '4'}, {'K', '5'}, {'L', '6'},  {'N', '7'}, {'M', '8'}, {0, 0}};
constexpr KeyRemapPair s710[] = {{'r', '1'}, {'t', '2'}, {'y', '3'}, {'d', '4'}, {'f', '5'}, {'g', '6'}, {'c', '7'},
                                 {'v', '8'}, {'b', '9'}, {'e', '0'}, {'s', '*'}, {'x', '#'}, {'R', '1'}, {'T', '2'},
                                 {'Y', '3'}, {'D', '4'}, {'F', '5'}, {'G', '6'}, {'C', '7'}, {'V', '8'}, {'B', '9'},
                                 {'E', '0'}, {'S', '*'}, {'X', '#'}, {0, 0}};

struct DeviceRule {
  std::u16string_view oemText;
  bool contains;
  const KeyRemapPair* pairs;
};

constexpr DeviceRule deviceRules[] = {
    {u"Palm Treo 700w", false, treo},
    {u"MotoQ", false, treo},
    {u"HERM100", false, hermes},
    {u"O2Zinc", false, hermes},
    {u"O2 Xda Zinc", false, hermes},
    {u"SAMSUNG SCH-i760", false, samsung},
    {u"Pocket LOOX", false, loox},
    {u"HP IPAQ H6340", false, ipaq},
    {u"HP IPAQ HW6515", false, ipaq},
    {u"S710", true, s710},
};

std::array<const KeyRemapPair*, KeyRemap::ModeCount> tables{};

}  // namespace

const KeyRemapPair* KeyRemap::table(int32_t inputMode) {
  if (inputMode < 0 || inputMode >= ModeCount) return nullptr;
  return tables[inputMode];
}

void KeyRemap::setTable(int32_t inputMode, const KeyRemapPair* pairs) {
  if (inputMode >= 0 && inputMode < ModeCount) tables[inputMode] = pairs;
}

int32_t KeyRemap::remap(int32_t inputMode, int32_t code) {
  const KeyRemapPair* pair = table(inputMode);
  if (!pair) return code;
  for (; pair->from != 0; ++pair)
    if (pair->from == code) return pair->to;
  return code;
}

const KeyRemapPair* KeyRemap::tableForOemText(std::u16string_view oemText) {
  for (const DeviceRule& rule : deviceRules) {
    bool matches = rule.contains ? oemText.find(rule.oemText) != std::u16string_view::npos : oemText == rule.oemText;
    if (matches) return rule.pairs;
  }
  return nullptr;
}

}  // namespace qel::lcdui

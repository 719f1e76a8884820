#include "ScenarioScripts.h"

#include <fstream>
#include <iterator>
#include <sstream>

namespace {

const std::filesystem::path source = NV_SOURCE_DIR;

}  // namespace

std::string contentOf(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

std::string driverScript(const std::string& name) {
  return contentOf(source / "tests/projects/nvx/driver/scripts" / (name + ".txt"));
}

std::filesystem::path solutionFile(const std::string& level) {
  return source / "data/levels" / (level + ".solution.txt");
}

std::vector<std::string> jobNames() {
  std::vector<std::string> names;
  std::istringstream order(contentOf(source / "data/levels/order.txt"));
  for (std::string line; std::getline(order, line);)
    if (line.rfind("job-", 0) == 0) names.push_back(line);
  return names;
}

std::string mainMenuWithoutSound() {
  return "until state=5 timeout=10s\nkey Return\nuntil dialog=48 timeout=20s\nkey F2\nuntil dialog=22 timeout=5s\n";
}

std::string newGameAt(int difficultyRow) {
  std::string keys = "key Return\nuntil dialog=37 timeout=2s\n";
  for (int i = 0; i < difficultyRow; ++i) keys += "key Down\n";
  return keys + "key Return\n";
}

std::string newGame(int difficultyRow) {
  return mainMenuWithoutSound() + newGameAt(difficultyRow) +
         "until level=7 timeout=5s\nuntil state=3 timeout=5s\nwait 2s\n";
}

std::string jobStart(int job) {
  return newGame(3) + driverScript("hidden-code") + "key " + std::to_string(job / 10) + "\nkey " +
         std::to_string(job % 10) + "\nuntil level=" + std::to_string(job + 6) +
         " timeout=5s\nuntil state=3 timeout=5s\nwait 2s\n";
}

std::string trainingInARow() {
  std::string script = driverScript("training-new");
  for (int level = 1; level <= 6; ++level) {
    if (level > 1) script += driverScript("training-next");
    script += contentOf(solutionFile("training-" + std::to_string(level)));
  }
  return script + driverScript("training-end");
}

std::string withCheckpointPrefix(const std::string& script, const std::string& prefix) {
  const std::string verb = "checkpoint ";
  std::string out;
  std::istringstream lines(script);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind(verb, 0) == 0) line.insert(verb.size(), prefix);
    out += line + "\n";
  }
  return out;
}

std::vector<int> moneyLines(const std::string& log) {
  std::vector<int> money;
  std::istringstream lines(log);
  for (std::string line; std::getline(lines, line);)
    if (line.rfind("money ", 0) == 0) money.push_back(std::stoi(line.substr(6)));
  return money;
}

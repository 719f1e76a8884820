#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The scripts the driver's scenarios are made of: the files of scripts/, the
// level sources' solutions beside them in data/levels, and the start of a
// job through the hidden code.

// The whole file; empty when it cannot be read.
std::string contentOf(const std::filesystem::path& path);
// scripts/<name>.txt of the driver's tests.
std::string driverScript(const std::string& name);
// data/levels/<level>.solution.txt.
std::filesystem::path solutionFile(const std::string& level);
// The level sources of the jobs, in level order.
std::vector<std::string> jobNames();
// From the language screen of a second start, German highlighted, to the
// main menu without sound.
std::string mainMenuWithoutSound();
// From the main menu when no game is saved: a new game at the difficulty
// window's row (0 "Übung", 1 "Leicht", 2 "Normal", 3 "Schwer"), chosen.
std::string newGameAt(int difficultyRow);
// A second start to the main menu, then a new game at the difficulty window's
// row (above 0), up to job 1's map screen with no window open.
std::string newGame(int difficultyRow);
// A new game at difficulty 2, then the hidden code in the map menu's help
// text, which starts job `job` with the money a new game has; ends on that
// job's map screen, no window open.
std::string jobStart(int job);
// Training 1 to 6 in a row from the main menu: each level's solution from its
// map screen to its result, the level-end menu between them, and after the
// last one the training's end back to the main menu.
std::string trainingInARow();
// The script with each checkpoint's name after `prefix`, so that a solution
// played twice in one scenario keeps its pictures apart.
std::string withCheckpointPrefix(const std::string& script, const std::string& prefix);
// Every "money N" of an event log, in order.
std::vector<int> moneyLines(const std::string& log);

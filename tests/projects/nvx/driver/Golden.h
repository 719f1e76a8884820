#pragma once

#include <string>

// Compares an event log with golden/<name>.log beside this file; with
// NV_UPDATE_GOLDEN=1 in the environment it writes the log there instead.
// Answers a description of the first difference, empty when they agree.
std::string compareWithGolden(const std::string& name, const std::string& log);

#pragma once

#include <string>

struct App;

// Logs the text of the bar named by its record word ("第一条" ... "第六条") in the day's record file.
void recordBarContent(App& app, const std::string& word);

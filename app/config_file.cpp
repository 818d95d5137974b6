#include "config_file.h"

#include "gbk_text.h"
#include "ini_text.h"

std::string IniFile::read(const std::string& key) const {
    const auto contents = files_.readAll(path_);
    if (!contents) return {};
    return IniText(*contents).value(section_, key).value_or(std::string());
}

bool IniFile::write(const std::vector<std::pair<std::string, std::string>>& entries) {
    auto contents = files_.readAll(path_);
    if (!contents) {
        if (files_.exists(path_)) return false;
        contents.emplace();
    }
    IniText text(std::move(*contents));
    for (const auto& [key, value] : entries)
        text.setValue(section_, key, value);
    return files_.replaceAll(path_, text.bytes());
}

ConfigFile::ConfigFile(Files& files, const std::string& programFolder)
    : files_(files), ini_(files, programFolder + "/配置文件.ini", "Orrinvale") {}

void ConfigFile::ensureConfigFile() {
    if (!files_.exists(ini_.path())) files_.createEmpty(ini_.path());
}

std::int32_t numberOr(const std::string& value, std::int32_t fallback) {
    return value.empty() ? fallback : gbk::toInt(value);
}

bool isOn(const std::string& flag) {
    return flag == "真";
}

const char* flagText(bool on) {
    return on ? "真" : "假";
}

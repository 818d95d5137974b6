#pragma once

#include "ports.h"

#include <string>
#include <utility>
#include <vector>

// One section of one INI file on disk. Every read goes to the file afresh; every write replaces the
// whole file atomically, so a failed write leaves the old file exactly as it was.
class IniFile {
public:
    IniFile(Files& files, std::string path, std::string section)
        : files_(files), path_(std::move(path)), section_(std::move(section)) {}

    const std::string& path() const { return path_; }

    // The value, or the empty text when the file, the section or the key is missing.
    std::string read(const std::string& key) const;

    // Sets the keys in order with one read and one replace of the file. Returns false when nothing was
    // written; a file that exists but cannot be read is left alone rather than overwritten.
    bool write(const std::vector<std::pair<std::string, std::string>>& entries);
    bool write(const std::string& key, const std::string& value) { return write({{key, value}}); }

private:
    Files& files_;
    std::string path_;
    std::string section_;
};

// The settings file 配置文件.ini beside the program, section Orrinvale.
class ConfigFile {
public:
    ConfigFile(Files& files, const std::string& programFolder);

    void ensureConfigFile();
    std::string readSetting(const std::string& key) const { return ini_.read(key); }
    void writeSetting(const std::string& key, const std::string& value) { ini_.write(key, value); }
    void writeSettings(const std::vector<std::pair<std::string, std::string>>& entries) { ini_.write(entries); }
    const std::string& path() const { return ini_.path(); }

private:
    Files& files_;
    IniFile ini_;
};

// Reading a setting: a default for an empty value, else the text-to-number rule.
std::int32_t numberOr(const std::string& value, std::int32_t fallback);
bool isOn(const std::string& flag);
const char* flagText(bool on);

#include "fake_ports.h"

std::optional<std::string> ScriptedDialogs::next() {
    if (script_.empty()) return std::nullopt;
    const Answer a = script_.front();
    script_.pop_front();
    if (a.thinkMs > 0) scheduler_.advance(a.thinkMs);
    if (whileOpen) whileOpen();
    return a.text;
}

std::optional<std::string> ScriptedDialogs::inputBox(InputKind kind, const std::string& prompt,
                                                     const std::string& title, const std::string& initial) {
    calls.push_back({DialogCall::Type::Input, kind, prompt, title, initial});
    return next();
}

void ScriptedDialogs::errorMessage(const std::string& text, const std::string& title) {
    calls.push_back({DialogCall::Type::Error, InputKind::Text, text, title, {}});
    next();
}

std::optional<std::string> ScriptedDialogs::openFile(const std::string& title, const std::string& filter) {
    calls.push_back({DialogCall::Type::OpenFile, InputKind::Text, filter, title, {}});
    return next();
}

bool MemoryFiles::parentExists(const std::string& path) const {
    const auto slash = path.rfind('/');
    return slash == std::string::npos || folders.count(path.substr(0, slash)) > 0;
}

bool MemoryFiles::createEmpty(const std::string& path) {
    if (failWrites || !parentExists(path)) return false;
    files.emplace(path, std::string());
    return true;
}

bool MemoryFiles::createFolder(const std::string& path) {
    if (failWrites || !parentExists(path) || files.count(path)) return false;
    folders.insert(path);
    return true;
}

std::optional<std::string> MemoryFiles::readAll(const std::string& path) {
    const auto it = files.find(path);
    if (it == files.end() || unreadable.count(path)) return std::nullopt;
    return it->second;
}

bool MemoryFiles::replaceAll(const std::string& path, const std::string& contents) {
    if (failWrites || !parentExists(path)) return false;
    files[path] = contents;
    ++writes;
    return true;
}

int FakeRandom::uniform(int low, int high) {
    if (!script.empty()) {
        const int v = script.front();
        script.pop_front();
        return v;
    }
    return std::uniform_int_distribution<int>(low, high)(engine);
}

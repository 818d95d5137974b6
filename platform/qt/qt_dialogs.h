#pragma once

#include "app/ports.h"

#include <QString>

// Modal boxes. Each runs a nested event loop, so the strip's timers go on ticking while it is open.
class QtDialogs : public Dialogs {
public:
    // The integer kind also returns the text as entered: reading its leading integer is the caller's rule.
    std::optional<std::string> inputBox(InputKind kind, const std::string& prompt, const std::string& title,
                                        const std::string& initial) override;
    void errorMessage(const std::string& text, const std::string& title) override;
    std::optional<std::string> openFile(const std::string& title, const std::string& filter) override;
};

// "description|pattern" (pairs may repeat, patterns split by ';') in Qt's "description (pattern)" form.
QString qtFileFilter(const QString& filter);

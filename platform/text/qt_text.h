#pragma once

#include <QString>

#include <string>
#include <string_view>

// The one road between the program's GBK texts and Qt's strings.
QString fromGbk(std::string_view gbk);
std::string toGbk(const QString& text);

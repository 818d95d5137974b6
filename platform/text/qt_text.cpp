#include "qt_text.h"

#include "text_codec.h"

QString fromGbk(std::string_view gbk) {
    const std::string utf8 = textcodec::gbkToUtf8(gbk);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string toGbk(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return textcodec::utf8ToGbk(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

#include "qt_dialogs.h"

#include "input_box.h"
#include "platform/text/qt_text.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

std::optional<std::string> QtDialogs::inputBox(InputKind, const std::string& prompt, const std::string& title,
                                               const std::string& initial) {
    InputBox box(fromGbk(prompt), fromGbk(title), fromGbk(initial));
    if (box.exec() != QDialog::Accepted) return std::nullopt;
    return toGbk(box.text());
}

void QtDialogs::errorMessage(const std::string& text, const std::string& title) {
    QMessageBox box(QMessageBox::Critical, fromGbk(title), fromGbk(text), QMessageBox::Ok);
    box.setTextFormat(Qt::PlainText);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

std::optional<std::string> QtDialogs::openFile(const std::string& title, const std::string& filter) {
    QFileDialog dialog(nullptr, fromGbk(title));
    dialog.setWindowFlag(Qt::WindowStaysOnTopHint);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilter(qtFileFilter(fromGbk(filter)));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return toGbk(QFileInfo(dialog.selectedFiles().constFirst()).absoluteFilePath());
}

QString qtFileFilter(const QString& filter) {
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString description = parts[i];
        QString pattern = i + 1 < parts.size() ? parts[i + 1] : description;
        pattern.replace(u';', u' ');
        filters << QStringLiteral("%1 (%2)").arg(description, pattern.simplified());
    }
    return filters.join(QStringLiteral(";;"));
}

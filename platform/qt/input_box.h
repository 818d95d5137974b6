#pragma once

#include <QDialog>

class QLineEdit;

// The program's input box: a prompt (line breaks kept), one line of text preselected, OK and Cancel.
class InputBox : public QDialog {
public:
    InputBox(const QString& prompt, const QString& title, const QString& initial);
    QString text() const;
    QLineEdit& lineEdit() { return *edit_; }

private:
    QLineEdit* edit_;
};

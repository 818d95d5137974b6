#include "input_box.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString withLineBreaks(QString prompt) {
    prompt.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    prompt.replace(u'\r', u'\n');
    return prompt;
}

} // namespace

InputBox::InputBox(const QString& prompt, const QString& title, const QString& initial)
    : edit_(new QLineEdit(initial, this)) {
    // The strip stays on top of everything; a box that opened beneath it could not be seen.
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setWindowTitle(title);
    setModal(true);

    auto* label = new QLabel(withLineBreaks(prompt), this);
    label->setTextFormat(Qt::PlainText);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(edit_);
    layout->addWidget(buttons);
    setMinimumWidth(360);

    edit_->setObjectName(QStringLiteral("inputText"));
    edit_->selectAll();
    edit_->setFocus();
}

QString InputBox::text() const {
    return edit_->text();
}

#include "app/StatHostGlabShow.h"

#include "app/GlabCommands.h"
#include "host/gui/GuiWnd.h"
#include "host/gui/QtText.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// The evaluation as the text of "glab read", read-only, to read and copy.
int ShowAsText(const GlabShowRequest& req) {
    QDialog dialog(req.pParent ? req.pParent->GetQWidget() : nullptr);
    dialog.setWindowTitle(QStringLiteral("Gewerbelaborstatistik"));
    auto* pText = new QPlainTextEdit(&dialog);
    pText->setObjectName(QStringLiteral("GlabText"));
    pText->setReadOnly(true);
    pText->setLineWrapMode(QPlainTextEdit::NoWrap);
    pText->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    QString strText;
    for (const CString& line : GlabTextLines(req.sum, req.accu))
        strText += ToQString(line) + QLatin1Char('\n');
    pText->setPlainText(strText);
    auto* pButtons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    pButtons->button(QDialogButtonBox::Close)->setText(QStringLiteral("&Schließen"));
    QObject::connect(pButtons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* pLayout = new QVBoxLayout(&dialog);
    pLayout->addWidget(pText);
    pLayout->addWidget(pButtons);
    dialog.resize(1000, 560);
    return dialog.exec();
}

} // namespace

// The commercial-lab evaluation dialog is shown here, and only here: until it is
// part of the program the evaluation appears as text.
GlabShowFn DefaultGlabShow() {
    return ShowAsText;
}

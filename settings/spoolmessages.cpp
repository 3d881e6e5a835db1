// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "spoolmessages.h"

#include "messagebox.h"
#include "messagetexts.h"

namespace
{
template <std::size_t N> QString joined(const std::array<std::string_view, N>& lines)
{
    QStringList texts;
    for (std::string_view line : lines)
        texts << fromText(line);
    return texts.join(QStringLiteral("\r\n"));
}
} // namespace

QString fromText(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QString messageTitle()
{
    return fromText(MessageTexts::title);
}

bool confirmPrinterReady()
{
    return MessageBox::show(joined(MessageTexts::printerReady), MessageBox::Icon::Information,
                            MessageBox::Buttons::OkCancel,
                            messageTitle()) == MessageBox::Answer::Ok;
}

bool reportSpoolResult(const SpoolResult& result, const QString& firstLine)
{
    using Outcome = SpoolResult::Outcome;
    switch (result.outcome) {
    case Outcome::Sent:
        return true;
    case Outcome::Busy:
        return false; // the caller's to report
    case Outcome::NoPrinter:
        // Given no title, the box carries the application's own.
        MessageBox::show(joined(MessageTexts::noDriver), MessageBox::Icon::Critical,
                         MessageBox::Buttons::Ok);
        return false;
    case Outcome::NotOpened:
        MessageBox::show(joined(MessageTexts::openFailure), MessageBox::Icon::Critical,
                         MessageBox::Buttons::Ok, messageTitle());
        return false;
    case Outcome::Failed:
        break;
    }
    reportUnexpectedFailure(firstLine, QString::fromUtf8(result.reason));
    return false;
}

void reportUnexpectedFailure(const QString& firstLine, const QString& what)
{
    MessageBox::show(MessageBox::lines({firstLine, QString(), what}), MessageBox::Icon::Critical,
                     MessageBox::Buttons::Ok, messageTitle());
}

#include "spoolmessages.h"

#include "messagebox.h"

QString messageTitle()
{
    return QStringLiteral("Printer Configuration Utility");
}

bool confirmPrinterReady()
{
    const QString text = MessageBox::lines({
        QStringLiteral("Please check whether the printer is :"),
        QStringLiteral("* Switched ON"),
        QStringLiteral("* In online mode"),
        QStringLiteral("* In Parallel or Autoshare interface"),
        QString(),
        QStringLiteral("To continue press OK else press Cancel to quit."),
    });
    return MessageBox::show(text, MessageBox::Icon::Information, MessageBox::Buttons::OkCancel,
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
        MessageBox::show(MessageBox::lines({QStringLiteral("No printer drivers are installed."),
                                            QStringLiteral("Download Failed!!")}),
                         MessageBox::Icon::Critical, MessageBox::Buttons::Ok);
        return false;
    case Outcome::NotOpened:
        MessageBox::show(MessageBox::lines({QStringLiteral("OpenPrinter Failed!!!"),
                                            QStringLiteral("Unable to access printer")}),
                         MessageBox::Icon::Critical, MessageBox::Buttons::Ok, messageTitle());
        return false;
    case Outcome::Failed:
        break;
    }
    reportUnexpectedFailure(firstLine, result.reason);
    return false;
}

void reportUnexpectedFailure(const QString& firstLine, const QString& what)
{
    MessageBox::show(MessageBox::lines({firstLine, QString(), what}), MessageBox::Icon::Critical,
                     MessageBox::Buttons::Ok, messageTitle());
}

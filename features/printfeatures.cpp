// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "printfeatures.h"

#include "messagetexts.h"
#include "spoolmessages.h"

#include <exception>

void printFeaturesPage(Spooler& spooler, FeaturesCommandSet commandSet)
{
    const QString failureLine = fromText(MessageTexts::featuresFailed);
    try {
        reportSpoolResult(sendFeaturesPage(spooler, commandSet), failureLine);
    } catch (const std::exception& error) {
        reportUnexpectedFailure(failureLine, QString::fromLocal8Bit(error.what()));
    }
}

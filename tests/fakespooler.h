// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include "spooler.h"

#include <QStringList>
#include <functional>
#include <stdexcept>

// A spooler that records every call, for tests of the windows' logic above
// the spool layer, in Qt's types for their assertions. The real spooler is
// tested against a private CUPS scheduler.
class FakeSpooler : public Spooler
{
  public:
    DefaultPrinter::Status status = DefaultPrinter::Status::Found;
    bool openFails = false;
    int activeJobs = 0;
    QString failingCall;       // e.g. "write": that call reports failure...
    int failingCallNumber = 1; // ...the first time it is made, or the n-th
    bool throwOnOpen = false;
    std::function<void()> onStartDocument; // looks at the caller while a job runs

    QStringList calls;        // every call in order, e.g. "open TR7400"
    QList<QByteArray> writes; // bytes of every write
    QStringList documents;    // names of started documents

    DefaultPrinter defaultPrinter() override
    {
        calls << QStringLiteral("defaultPrinter");
        DefaultPrinter printer;
        printer.status = status;
        if (status == DefaultPrinter::Status::Found)
            printer.name = "TR7400";
        else
            printer.reason = "no default";
        return printer;
    }

    std::unique_ptr<SpoolPrinter> open(const std::string& name, std::string* reason) override;

    class Printer : public SpoolPrinter
    {
      public:
        explicit Printer(FakeSpooler& spooler) : m_spooler(spooler) {}
        int activeJobCount() override
        {
            record(QStringLiteral("activeJobCount"));
            return m_spooler.activeJobs;
        }
        bool startDocument(const std::string& name) override
        {
            m_spooler.documents << QString::fromStdString(name);
            if (m_spooler.onStartDocument)
                m_spooler.onStartDocument();
            return record(QStringLiteral("startDocument"));
        }
        bool startPage() override { return record(QStringLiteral("startPage")); }
        bool write(const std::string& bytes) override
        {
            m_spooler.writes << QByteArray::fromStdString(bytes);
            return record(QStringLiteral("write"));
        }
        bool endPage() override { return record(QStringLiteral("endPage")); }
        bool endDocument() override { return record(QStringLiteral("endDocument")); }
        void cancelDocument() override { record(QStringLiteral("cancelDocument")); }
        bool close() override { return record(QStringLiteral("close")); }
        std::string lastError() const override { return "The spooler said no."; }

      private:
        bool record(const QString& call)
        {
            m_spooler.calls << call;
            return call != m_spooler.failingCall ||
                   m_spooler.calls.count(call) != m_spooler.failingCallNumber;
        }
        FakeSpooler& m_spooler;
    };
};

inline std::unique_ptr<SpoolPrinter> FakeSpooler::open(const std::string& name, std::string* reason)
{
    calls << QStringLiteral("open ") + QString::fromStdString(name);
    if (throwOnOpen)
        throw std::runtime_error("out of handles");
    if (openFails) {
        *reason = "The printer does not exist.";
        return nullptr;
    }
    return std::make_unique<Printer>(*this);
}

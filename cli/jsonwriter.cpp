// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#include "jsonwriter.h"

#include <ostream>

namespace
{

void writeString(std::ostream& out, std::string_view text)
{
    static const char digits[] = "0123456789abcdef";
    out << '"';
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\')
            out << '\\' << c;
        else if (c == '\n')
            out << "\\n";
        else if (c == '\t')
            out << "\\t";
        else if (c == '\r')
            out << "\\r";
        else if (byte < 0x20)
            out << "\\u00" << digits[byte >> 4] << digits[byte & 15];
        else
            out << c; // UTF-8 passes as it is
    }
    out << '"';
}

} // namespace

void JsonWriter::newline()
{
    m_out << '\n' << std::string(m_hasMembers.size() * 2, ' ');
}

void JsonWriter::beforeValue()
{
    if (m_afterKey) {
        m_afterKey = false;
        return;
    }
    // An element of an array.
    if (!m_hasMembers.empty()) {
        if (m_hasMembers.back())
            m_out << ',';
        m_hasMembers.back() = true;
        newline();
    }
}

void JsonWriter::open(char bracket)
{
    beforeValue();
    m_out << bracket;
    m_hasMembers.push_back(false);
}

void JsonWriter::close(char bracket)
{
    const bool hadMembers = m_hasMembers.back();
    m_hasMembers.pop_back();
    if (hadMembers)
        newline();
    m_out << bracket;
    if (m_hasMembers.empty())
        m_out << '\n';
}

void JsonWriter::beginObject()
{
    open('{');
}

void JsonWriter::endObject()
{
    close('}');
}

void JsonWriter::beginArray()
{
    open('[');
}

void JsonWriter::endArray()
{
    close(']');
}

void JsonWriter::key(std::string_view name)
{
    if (m_hasMembers.back())
        m_out << ',';
    m_hasMembers.back() = true;
    newline();
    writeString(m_out, name);
    m_out << ": ";
    m_afterKey = true;
}

void JsonWriter::value(std::string_view text)
{
    beforeValue();
    writeString(m_out, text);
}

void JsonWriter::value(bool flag)
{
    beforeValue();
    m_out << (flag ? "true" : "false");
}

void JsonWriter::value(int number)
{
    beforeValue();
    m_out << number;
}

void JsonWriter::null()
{
    beforeValue();
    m_out << "null";
}

void JsonWriter::textOrNull(std::string_view text)
{
    if (text.empty())
        null();
    else
        value(text);
}

// SPDX-License-Identifier: GPL-3.0-or-later
// Copyright 2026 the Printer Configuration Utility authors

#pragma once

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

// Writes one JSON document, indented, as it goes: objects and arrays are
// opened and closed in order, and every member of an object is named first.
class JsonWriter
{
  public:
    explicit JsonWriter(std::ostream& out) : m_out(out) {}

    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    // The name of the next member of the object.
    void key(std::string_view name);

    void value(std::string_view text);
    void value(const char* text) { value(std::string_view(text)); }
    void value(bool flag);
    void value(int number);
    void null();
    // A string, or null when it is empty.
    void textOrNull(std::string_view text);

    // A member of the object: its name, then its value.
    template <typename T> void member(std::string_view name, const T& value)
    {
        key(name);
        this->value(value);
    }
    void textOrNullMember(std::string_view name, std::string_view text)
    {
        key(name);
        textOrNull(text);
    }

  private:
    void beforeValue();
    void open(char bracket);
    void close(char bracket);
    void newline();

    std::ostream& m_out;
    std::vector<bool> m_hasMembers; // per open object or array
    bool m_afterKey = false;
};

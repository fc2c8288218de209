#pragma once

#include <QString>

#include <functional>

namespace gcs {

/// A text for a person that is put together when it is read, so that it speaks the
/// language in force then, not the one of the moment it was decided. It keeps a function
/// that builds the text (translating it and filling in the values it captured); whoever
/// shows the text announces it again when the language changes.
class LiveText
{
public:
    LiveText() = default;
    explicit LiveText(std::function<QString()> make)
        : m_make(std::move(make))
    { }

    /// The text as it reads now; empty for a default-constructed one.
    QString text() const { return m_make ? m_make() : QString(); }
    bool isNull() const { return !m_make; }

private:
    std::function<QString()> m_make;
};

} // namespace gcs

#pragma once

#include <QCoreApplication>
#include <QTranslator>

namespace gcs::test {

/// A second language for tests: while installed, every text of every context reads as
/// "en:" and its source text, so a test sees which texts follow the language of the moment
/// and which stay as they are.
class MarkingTranslator : public QTranslator
{
public:
    MarkingTranslator() { QCoreApplication::installTranslator(this); }
    ~MarkingTranslator() override { QCoreApplication::removeTranslator(this); }

    QString translate(const char*, const char* source, const char*, int) const override
    {
        return QStringLiteral("en:") + QString::fromUtf8(source);
    }
    bool isEmpty() const override { return false; }
};

} // namespace gcs::test

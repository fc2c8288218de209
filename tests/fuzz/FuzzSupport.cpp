#include "FuzzSupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QLoggingCategory>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace gcs::fuzz {

void ensureApp()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "fuzz";
    static char* argv[] = { name, nullptr };
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\n*.warning=false"));
    new QCoreApplication(argc, argv); // lives as long as the process
}

QByteArray bytes(const uint8_t* data, size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
}

QString inputFile(const QByteArray& input)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("input"));
    QFile file(path);
    if (!dir.isValid() || !file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        || file.write(input) != input.size())
        fail("cannot write the input file");
    return path;
}

void fail(const char* what)
{
    std::fprintf(stderr, "fuzz invariant failed: %s\n", what);
    std::abort();
}

} // namespace gcs::fuzz

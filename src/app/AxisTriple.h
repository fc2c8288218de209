#pragma once

#include <QCoreApplication>
#include <QString>
#include <QStringList>

namespace gcs {

/// The installation axes of "set axis": which body axis (with its sign) the unit's X, Y
/// and Z take, written as the tokens "x", "-x", "y", "-y", "z", "-z". A usable triple
/// names three different body axes and is right-handed (X × Y = Z); anything else would
/// mirror or collapse the unit's frame.
class AxisTriple
{
    Q_DECLARE_TR_FUNCTIONS(gcs::AxisTriple)

public:
    static bool isToken(const QString& token);
    static bool isValid(const QString& x, const QString& y, const QString& z);
    static bool isValid(const QStringList& tokens);
    /// The refusal shown for a triple that is not valid.
    static QString refusalText();
};

} // namespace gcs

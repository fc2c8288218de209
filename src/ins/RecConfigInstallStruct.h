#pragma once

#include <QMetaType>

/// The device's installation (lever arm) reply ("gnm").
struct RecConfigInstallStruct
{
    double x = 0;
    double y = 0;
    double z = 0;
};

Q_DECLARE_METATYPE(RecConfigInstallStruct)

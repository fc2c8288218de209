#pragma once

#include <QByteArray>
#include <QObject>

/// Stand-in until the INS subsystem lands: the protocol decoder. It decodes nothing yet;
/// it only carries the signal the controller and the recorder connect to.
class RecDataModel : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;

signals:
    /// The exact bytes of one accepted message and the host receive time (ms).
    void wireFrameForLog(QByteArray frame, qint64 stamp);
};

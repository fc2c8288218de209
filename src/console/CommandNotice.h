#pragma once

#include <QByteArray>
#include <QString>

namespace gcs {

/// The confirmation shown after a catalog command went out: its label and the
/// text that was sent, "读固件版本（#vorn,get softver*ff）"; for a command without a label
/// "已发送：" and the text. name is the command name as the pages pass it ("get_softver",
/// without the family); sent is decoded as UTF-8 and trimmed.
QString commandUserNotice(const QString& name, const QByteArray& sent);

} // namespace gcs

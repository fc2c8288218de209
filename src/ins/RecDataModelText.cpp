// The text path of the INS decoder: "#vorn" lines, navigation sentences and the replies
// to configuration queries. A line is everything up to and including a line feed; it is
// decoded as UTF-8, trimmed and split at every comma (empty fields kept). Field 1 names
// the sentence; the last field carries "*" and a two-character checksum that the device
// fills with a fixed text, so it is cut off, never verified.
#include "ins/RecDataModel.h"

#include "ins/InsLogging.h"

#include <cstring>

namespace {

// The text before the first "*" (the whole text when there is none).
QString beforeStar(const QString& field)
{
    const qsizetype star = field.indexOf(QLatin1Char('*'));
    return star < 0 ? field : field.left(star);
}

// A labelled value ("baud:115200"): the text with its label removed, or a null string
// when the label is missing, in which case the field is not used.
QString unlabelled(const QString& field, QLatin1String label)
{
    if (!field.contains(label))
        return QString();
    QString v = field;
    return v.remove(label);
}

QString chopped3(const QString& field)
{
    return field.chopped(qMin<qsizetype>(3, field.size()));
}

int toInt10(const QString& text)
{
    bool ok = false;
    const int v = text.toInt(&ok, 10);
    return ok ? v : 0;
}

bool isConfigKey(const QString& key)
{
    static const char* const kKeys[] = { "com1", "axis", "factory", "gnm", "softver", "gnss" };
    for (const char* k : kKeys) {
        if (key == QLatin1String(k))
            return true;
    }
    return key.startsWith(QLatin1String("extrapolate")) || key.contains(QLatin1String("config"))
        || key.contains(QLatin1String("save")) || key.contains(QLatin1String("reset"));
}

// The three sentences carry the angular rates and accelerations in fields 3 to 8.
void takeRatesAndAccels(RecDataStruct& r, const QList<QString>& f)
{
    r.gx = f[3].toFloat();
    r.gy = f[4].toFloat();
    r.gz = f[5].toFloat();
    r.ax = f[6].toFloat();
    r.ay = f[7].toFloat();
    r.az = f[8].toFloat();
}

} // namespace

void RecDataModel::anaylzeRecTextStream()
{
    const QByteArray bytes = m_buffer;
    const char* d = bytes.constData();
    const qsizetype n = bytes.size();
    const quint32 epoch = m_epoch;
    qsizetype pos = 0;
    // The unterminated line kept from the last call holds no line feed; search after it.
    qsizetype from = qMin(m_lfClean, n);
    while (pos < n) {
        const void* hit = std::memchr(d + from, '\n', size_t(n - from));
        if (!hit)
            break;
        const qsizetype lf = static_cast<const char*>(hit) - d;
        const QByteArray raw(d + pos, lf + 1 - pos);
        m_messageOffset = m_streamPos + pos;
        pos = from = lf + 1;
        if (!handleTextLine(raw))
            m_skippedBytes += raw.size();
        if (m_epoch != epoch)
            return;
    }
    m_lfClean = n;
    consume(pos);
    // A line that never ends (a stray "#vorn" followed by anything but a line feed) would
    // otherwise hold the text path and grow without limit.
    if (m_buffer.size() > kMaxLineBytes) {
        qCDebug(gcs::lcIns) << "dropped an unterminated line of" << m_buffer.size() << "bytes";
        m_skippedBytes += m_buffer.size();
        consume(m_buffer.size());
        ++m_packetErrs;
    }
}

void RecDataModel::emitNavigation(const QByteArray& raw, const RecDataStruct& record)
{
    m_sequence.add(record.format, gcs::FrameSequence::position(record));
    emitWireFrame(raw, WireKind::TextLine);
    emit newValue(record);
    ++m_recPackets;
}

bool RecDataModel::handleTextLine(const QByteArray& raw)
{
    const QString line = QString::fromUtf8(raw).trimmed();
    const QList<QString> fields = line.split(QLatin1Char(','));
    if (fields.size() < 2)
        return false;
    const auto accepted = [this] {
        ++m_sentences;
        return true;
    };

    // Navigation sentences: the name is matched loosely (trimmed, any case), and a wrong
    // field count still yields a record, carrying only its format.
    const QString key = fields.at(1).trimmed().toLower();
    if (key == QLatin1String("imu") || key == QLatin1String("imuasc")) {
        emitNavigation(raw, extractImuasc(fields));
        return accepted();
    }
    if (key == QLatin1String("ahrs") || key == QLatin1String("ahrsasc")) {
        emitNavigation(raw, extractAhrsasc(fields));
        return accepted();
    }
    if (key == QLatin1String("sins") || key == QLatin1String("sinsasc")) {
        emitNavigation(raw, extractSinsasc(fields));
        return accepted();
    }

    // Configuration replies: the name exactly as received.
    const QString& name = fields.at(1);
    if (name == QLatin1String("com1")) {
        emit newConfigSerialValue(extractConfigSerial(fields));
        return accepted();
    }
    if (name == QLatin1String("factory")) {
        emit newConfigGyroValue(extractConfigGyro(fields));
        return accepted();
    }
    if (name == QLatin1String("gnm")) {
        emit newConfigInstallValue(extractConfigInstall(fields));
        return accepted();
    }
    if (name == QLatin1String("axis")) {
        emit newConfigAxisValue(extractConfigAxis(fields));
        return accepted();
    }
    if (name == QLatin1String("softver")) {
        if (fields.size() >= 3)
            emit newSoftVerValue(chopped3(fields.at(2)));
        return accepted();
    }
    if (name == QLatin1String("gnss")) {
        emit newConfig_dyawGNSS(extract_dyawGNSS(fields));
        return accepted();
    }
    if (name == QLatin1String("extrapolate time")) {
        emit newConfigExtrapTime(extractExtrapTime(fields));
        return accepted();
    }

    // Unknown: counted. An unknown device message still reaches the log and the
    // recorder, but not the echo of a configuration or save/reset command.
    ++m_packetErrs;
    if (line.startsWith(QLatin1String("#vorn"), Qt::CaseInsensitive) && !isConfigKey(key))
        emitWireFrame(raw, WireKind::TextLine);
    return false;
}

RecDataStruct RecDataModel::extractImuasc(const QList<QString>& f)
{
    RecDataStruct r;
    r.format = RecImuAsc;
    if (f.size() != 10)
        return r;
    takeRatesAndAccels(r, f);
    r.temp = beforeStar(f[9]).toFloat();
    return r;
}

// Yaw comes before pitch and roll in this sentence.
RecDataStruct RecDataModel::extractAhrsasc(const QList<QString>& f)
{
    RecDataStruct r;
    if (f.size() != 17) {
        r.format = RecNullFormat;
        return r;
    }
    r.format = RecAhrsAsc;
    r.count = toInt10(f[2]);
    takeRatesAndAccels(r, f);
    r.yaw = f[12].toFloat();
    r.pitch = f[13].toFloat();
    r.roll = f[14].toFloat();
    return r;
}

// Longitude before latitude, as in the 59-byte frame; the status is hexadecimal.
RecDataStruct RecDataModel::extractSinsasc(const QList<QString>& f)
{
    RecDataStruct r;
    r.format = RecSinsAsc;
    if (f.size() != 22)
        return r;
    takeRatesAndAccels(r, f);
    r.pitch = f[9].toFloat();
    r.roll = f[10].toFloat();
    r.yaw = f[11].toFloat();
    r.gnss_heading = f[12].toFloat();
    r.lon = f[13].toDouble();
    r.lat = f[14].toDouble();
    r.alt = f[15].toDouble();
    r.ve = f[16].toFloat();
    r.vn = f[17].toFloat();
    r.vu = f[18].toFloat();
    r.temp = float(toInt10(f[19]));
    r.utc = f[20].toDouble();
    bool ok = false;
    const uint status = beforeStar(f[21]).toUInt(&ok, 16);
    r.status = ok ? quint8(status & 0xFF) : 0;
    return r;
}

RecConfigSerialStruct RecDataModel::extractConfigSerial(const QList<QString>& f)
{
    RecConfigSerialStruct c;
    if (f.size() != 6)
        return c;
    const QString mode = unlabelled(f[2], QLatin1String("mode:"));
    const int type = mode.isNull() ? 0 : toInt10(mode);
    c.serialType = (type == 232 || type == 422) ? type : 422;
    const QString baud = unlabelled(f[3], QLatin1String("baud:"));
    if (!baud.isNull())
        c.baudRate = toInt10(baud);
    const QString fre = unlabelled(f[4], QLatin1String("fre:"));
    if (!fre.isNull())
        c.packetFre = toInt10(fre);
    const QString protocol = unlabelled(f[5], QLatin1String("protocol:"));
    if (!protocol.isNull())
        c.packetFormat = stringToPacketEnum(chopped3(protocol));
    return c;
}

RecConfigGyroStruct RecDataModel::extractConfigGyro(const QList<QString>& f)
{
    RecConfigGyroStruct c;
    if (f.size() != 24)
        return c;
    const QString sn = unlabelled(f[2], QLatin1String("GyroSN:"));
    if (!sn.isNull())
        c.sn = toInt10(sn);
    // Per axis: the labelled second temperature coefficient, the first, then the scale.
    static const char* const kAxisLabels[3] = { "kggX:", "kggY:", "kggZ:" };
    for (int axis = 0; axis < 3; ++axis) {
        const int at = 3 + axis * 3;
        const QString t2 = unlabelled(f[at], QLatin1String(kAxisLabels[axis]));
        if (!t2.isNull())
            c.t2[axis] = t2.toDouble();
        c.t1[axis] = f[at + 1].toDouble();
        c.kgg[axis] = f[at + 2].toDouble();
    }
    const QString bias = unlabelled(f[12], QLatin1String("kg0:"));
    if (!bias.isNull())
        c.bias[0] = bias.toDouble();
    c.bias[1] = f[13].toDouble();
    c.bias[2] = f[14].toDouble();
    const QString kg1 = unlabelled(f[15], QLatin1String("kg1:"));
    if (!kg1.isNull())
        c.kg1[0] = kg1.toDouble();
    for (int i = 1; i < 8; ++i)
        c.kg1[i] = f[15 + i].toDouble();
    c.kg1[8] = chopped3(f[23]).toDouble();
    return c;
}

RecConfigInstallStruct RecDataModel::extractConfigInstall(const QList<QString>& f)
{
    RecConfigInstallStruct c;
    if (f.size() > 5)
        return c;
    if (f.size() > 2) {
        const QString x = unlabelled(f[2], QLatin1String("ka1:"));
        if (!x.isNull())
            c.x = x.toDouble();
    }
    if (f.size() > 3)
        c.y = f[3].toDouble();
    if (f.size() > 4)
        c.z = chopped3(f[4]).toDouble();
    return c;
}

QList<QString> RecDataModel::extractConfigAxis(const QList<QString>& f)
{
    if (f.size() != 5)
        return {};
    QList<QString> axis;
    for (int i = 2; i <= 4; ++i) {
        const QString& field = f[i];
        const qsizetype colon = field.indexOf(QLatin1Char(':'));
        axis << (colon < 0 ? field : field.mid(colon + 1));
    }
    axis[2] = beforeStar(axis[2]);
    return axis;
}

double RecDataModel::extract_dyawGNSS(const QList<QString>& f)
{
    if (f.size() != 3)
        return 0.0;
    return beforeStar(f[2]).toDouble();
}

double RecDataModel::extractExtrapTime(const QList<QString>& f)
{
    return extract_dyawGNSS(f);
}

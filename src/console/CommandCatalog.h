#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

namespace gcs {

/// Turns symbolic device commands ("vorn.get_com1") into the bytes of a device text
/// sentence: header, comma, body, asterisk, checksum text, line end. The commands come
/// from profile files ("vorn.yaml"); each load merges into what is already known.
class CommandCatalog : public QObject
{
    Q_OBJECT
public:
    struct Command
    {
        QString id; ///< family, a point, the command name
        QString family;
        QString header; ///< e.g. "#vorn"
        QString templateText; ///< body with the placeholders %1, %2, ...
        QString checksum = QStringLiteral("ff");
        QString eol = QStringLiteral("\r\n");
    };

    explicit CommandCatalog(QObject* parent = nullptr);
    ~CommandCatalog() override;

    /// Merges the commands of one file; false when it cannot be opened, otherwise whether
    /// the catalog then holds at least one command.
    bool loadFile(const QString& path);
    /// Inserts or replaces the command under its id.
    void addCommand(const Command& command);
    bool contains(const QString& commandId) const { return m_commands.contains(commandId); }
    Command command(const QString& commandId) const { return m_commands.value(commandId); }

    /// The sentence for the command with args in place of its placeholders. The checksum
    /// text is copied as it stands: the devices accept the fixed text "ff".
    static QString format(const Command& command, const QStringList& args);

    /// UTF-8 bytes of the sentence; empty when no command has that id.
    Q_INVOKABLE QByteArray build(const QString& commandId, const QStringList& args) const;
    Q_INVOKABLE QByteArray build(const QString& commandId) const;
    Q_INVOKABLE QStringList commandIds() const { return m_commands.keys(); }

private:
    QHash<QString, Command> m_commands;
};

} // namespace gcs

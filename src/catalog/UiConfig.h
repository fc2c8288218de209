#pragma once

#include <QObject>
#include <QString>

namespace gcs {

/// The deployment switches of "ui.yaml". The file holds "key: value" lines with "#"
/// comments; the only key in use is "factory_config", which offers the factory page.
class UiConfig : public QObject
{
    Q_OBJECT
    Q_PROPERTY(bool factoryConfigVisible READ factoryConfigVisible NOTIFY configChanged)
public:
    explicit UiConfig(QObject* parent = nullptr);
    ~UiConfig() override;

    bool factoryConfigVisible() const { return m_factoryConfigVisible; }

    /// Reads the file; false (and nothing changed) when it cannot be opened. A readable
    /// file without a "factory_config" line hides the factory page.
    bool loadFile(const QString& path);

    /// true/yes/on/1 and false/no/off/0, in any case and with blanks around; anything
    /// else gives fallback.
    static bool parseBoolToken(const QString& token, bool fallback);

signals:
    void configChanged();

private:
    bool m_factoryConfigVisible = false;
};

} // namespace gcs

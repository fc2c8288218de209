#pragma once

#include "link/TransportKind.h"

#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace gcs {

/// The built-in catalog of what this tool serves: the products, the side-menu pages of
/// each product with their sections, the device categories and models offered when a
/// device is added, and which product is current. Built in code at start-up; only the
/// current product and the visibility of single menu items change afterwards.
class ProductRegistry : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString currentProductId READ currentProductId WRITE setCurrentProductId NOTIFY
                   currentProductChanged)
    Q_PROPERTY(QStringList productIds READ productIds CONSTANT)
    Q_PROPERTY(QStringList productCategoryIds READ productCategoryIds CONSTANT)
    Q_PROPERTY(QStringList navIds READ navIds NOTIFY currentProductChanged)
    Q_PROPERTY(QVariantList productNavMenu READ productNavMenu NOTIFY navMenuChanged)
    Q_PROPERTY(QString productShortName READ productShortName NOTIFY currentProductChanged)
    /// A recording is being replayed: the menu shows the replay's pages.
    Q_PROPERTY(bool replayMode READ replayMode NOTIFY navMenuChanged)
public:
    /// A titled group of menu items; an empty title shows the items without a header.
    struct NavSection
    {
        QString title;
        QStringList navIds;
    };

    struct Product
    {
        QString id;
        QString displayName;
        QStringList navIds;
        QStringList navTitles; ///< parallel to navIds
        QList<NavSection> navSections; ///< empty: a flat menu
        QList<TransportKind> transports;
    };

    struct ProductCategory
    {
        QString id;
        QString displayName;
    };

    struct DeviceModelSpec
    {
        QString id; ///< lower case, e.g. "kt45"
        QString displayName; ///< upper case, e.g. "KT45"
        QString categoryId;
        QString productId;
    };

    explicit ProductRegistry(QObject* parent = nullptr);
    ~ProductRegistry() override;

    /// Inserts or replaces the product under its id; the first product becomes current
    /// without a change signal.
    void registerProduct(const Product& product);
    void registerBuiltInProducts();
    void registerBuiltInDeviceCatalog();
    /// Hides or shows one menu item; navMenuChanged only when its visibility changes.
    void setNavItemVisible(const QString& navId, bool visible);

    QString currentProductId() const { return m_currentProductId; }
    /// Ignored unless the id is registered and differs from the current one.
    void setCurrentProductId(const QString& id);
    QStringList productIds() const { return m_productIds; }
    QStringList productCategoryIds() const { return m_categoryIds; }
    /// The current product's visible menu items, in menu order.
    QStringList navIds() const;
    /// Section headers and items of the current product's menu, visible items only.
    QVariantList productNavMenu() const;
    QString productShortName() const;

    Q_INVOKABLE QString displayName(const QString& productId) const;
    Q_INVOKABLE QString categoryDisplayName(const QString& categoryId) const;
    Q_INVOKABLE QStringList deviceModelIds(const QString& categoryId) const;
    Q_INVOKABLE QString deviceModelDisplayName(const QString& modelId) const;
    Q_INVOKABLE QString deviceModelCategoryId(const QString& modelId) const;
    Q_INVOKABLE QString productIdForDeviceModel(const QString& modelId) const;
    Q_INVOKABLE QString defaultDeviceModelId() const;
    Q_INVOKABLE QStringList allDeviceModelIds() const { return m_allDeviceModelIds; }
    /// Title by position in the full list of the current product (hidden items count).
    Q_INVOKABLE QString navTitle(int index) const;
    Q_INVOKABLE QString navTitleById(const QString& navId) const;
    Q_INVOKABLE QString navSubtitleById(const QString& navId) const;
    /// Id by position in the visible list.
    Q_INVOKABLE QString navId(int index) const;
    Q_INVOKABLE int navCount() const;
    Q_INVOKABLE bool supportsTransport(const QString& productId, const QString& kind) const;
    Q_INVOKABLE bool supportsSerialDiscover() const;
    Q_INVOKABLE bool isNavItemVisible(const QString& navId) const;

    // Pages in a replay. The lists live in ProductRegistry.cpp: a page that talks to the
    // unit is shown but cannot be opened while a recording plays; a replay-only page is
    // in the menu only then.
    bool replayMode() const { return m_replayMode; }
    /// navMenuChanged when the mode changes.
    void setReplayMode(bool on);
    Q_INVOKABLE bool isNavDeviceOnly(const QString& navId) const;
    Q_INVOKABLE bool isNavReplayOnly(const QString& navId) const;
    /// Whether the page can be opened now: not a device page in a replay.
    Q_INVOKABLE bool isNavAvailable(const QString& navId) const;

signals:
    void currentProductChanged();
    void navMenuChanged();

private:
    const Product* currentProduct() const;
    /// Visible and, unless replaying, not replay-only.
    bool inMenu(const QString& navId) const;

    QHash<QString, Product> m_products;
    QStringList m_productIds;
    QHash<QString, ProductCategory> m_categories;
    QStringList m_categoryIds;
    QHash<QString, DeviceModelSpec> m_deviceModels;
    QStringList m_allDeviceModelIds;
    QString m_defaultDeviceModelId;
    QString m_currentProductId;
    /// Explicit overrides; only false is ever stored, an absent id is visible.
    QHash<QString, bool> m_navVisibility;
    bool m_replayMode = false;
};

} // namespace gcs

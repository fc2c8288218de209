#include "catalog/ProductRegistry.h"

#include <QCoreApplication>
#include <QVariantMap>

namespace gcs {

namespace {

const char* const kInsProductId = "ins";
const char* const kDefaultModelId = "kt45";

// Names are held as their source texts and translated where they are read, so that a
// change of language shows in the menu as soon as it is read again.
QString translated(const QString& source)
{
    return source.isEmpty()
        ? source
        : QCoreApplication::translate("gcs::ProductRegistry", source.toUtf8().constData());
}

struct NavRow
{
    const char* id;
    const char* title;
    const char* section;
};

// The menu's sections.
constexpr const char* kMonitoring = QT_TRANSLATE_NOOP("gcs::ProductRegistry", "运行监视");
constexpr const char* kAnalysis = QT_TRANSLATE_NOOP("gcs::ProductRegistry", "记录分析");
constexpr const char* kSetup = QT_TRANSLATE_NOOP("gcs::ProductRegistry", "参数与标定");
constexpr const char* kMaintenance = QT_TRANSLATE_NOOP("gcs::ProductRegistry", "调试与维护");

// Menu order of the INS product; consecutive rows with the same section form one group.
const NavRow kInsNav[] = {
    { "attitude", QT_TRANSLATE_NOOP("gcs::ProductRegistry", "姿态仪表"), kMonitoring },
    { "charts", QT_TRANSLATE_NOOP("gcs::ProductRegistry", "图表显示"), kMonitoring },
    { "track", QT_TRANSLATE_NOOP("gcs::ProductRegistry", "轨迹"), kMonitoring },
    { "message", QT_TRANSLATE_NOOP("gcs::ProductRegistry", "解析数据"), kMonitoring },
    { "stats", QT_TRANSLATE_NOOP("gcs::ProductRegistry", "收发统计"), kMonitoring },
    // Listed only while a recording plays.
    { "noise", QT_TRANSLATE_NOOP("gcs::ProductRegistry", "噪声分析"), kAnalysis },
    { "user_config", QT_TRANSLATE_NOOP("gcs::ProductRegistry", "用户配置"), kSetup },
    { "factory_config", QT_TRANSLATE_NOOP("gcs::ProductRegistry", "出厂配置"), kSetup },
    { "raw", QT_TRANSLATE_NOOP("gcs::ProductRegistry", "原始收发"), kMaintenance },
    { "record", QT_TRANSLATE_NOOP("gcs::ProductRegistry", "数据记录"), kMaintenance },
    { "upgrade", QT_TRANSLATE_NOOP("gcs::ProductRegistry", "固件升级"), kMaintenance },
};

// How the pages behave while a recording is replayed. The pages that talk to the unit
// are shown but cannot be opened, since no unit is behind a replay. A page that only makes
// sense on a recording is listed as replay-only: it appears in the menu while one plays
// and is hidden otherwise. A page joins either list by its nav id; the others show the
// replay like live data.
const char* const kDeviceOnlyNav[]
    = { "user_config", "factory_config", "raw", "record", "upgrade" };
const char* const kReplayOnlyNav[] = { "noise" };

template<size_t N> bool listed(const char* const (&ids)[N], const QString& navId)
{
    for (const char* id : ids) {
        if (navId == QLatin1String(id))
            return true;
    }
    return false;
}

struct ModelRow
{
    const char* id;
    const char* displayName;
};

const ModelRow kModels[] = {
    { "kt10", "KT10" }, { "kt15", "KT15" }, { "kt40", "KT40" },
    { "kt45", "KT45" }, { "kt60", "KT60" }, { "kt80", "KT80" },
};

QVariantMap menuEntry(const char* kind, const QString& title, const QString& navId)
{
    return QVariantMap { { QStringLiteral("kind"), QString::fromLatin1(kind) },
                         { QStringLiteral("title"), title },
                         { QStringLiteral("navId"), navId } };
}

} // namespace

ProductRegistry::ProductRegistry(QObject* parent)
    : QObject(parent)
{ }

ProductRegistry::~ProductRegistry() = default;

void ProductRegistry::registerProduct(const Product& product)
{
    m_products.insert(product.id, product);
    if (!m_productIds.contains(product.id))
        m_productIds.append(product.id);
    if (m_currentProductId.isEmpty())
        m_currentProductId = product.id;
}

void ProductRegistry::registerBuiltInProducts()
{
    Product ins;
    ins.id = QString::fromLatin1(kInsProductId);
    ins.displayName
        = QString::fromUtf8(QT_TRANSLATE_NOOP("gcs::ProductRegistry", "AX-7300 组合导航系统"));
    ins.transports = { TransportKind::Serial };
    for (const NavRow& row : kInsNav) {
        const QString id = QString::fromLatin1(row.id);
        const QString section = QString::fromUtf8(row.section);
        ins.navIds.append(id);
        ins.navTitles.append(QString::fromUtf8(row.title));
        if (ins.navSections.isEmpty() || ins.navSections.constLast().title != section)
            ins.navSections.append(NavSection { section, {} });
        ins.navSections.last().navIds.append(id);
    }
    registerProduct(ins);
    registerBuiltInDeviceCatalog();
}

void ProductRegistry::registerBuiltInDeviceCatalog()
{
    m_categories.clear();
    m_categoryIds.clear();
    m_deviceModels.clear();
    m_allDeviceModelIds.clear();

    const ProductCategory category { QStringLiteral("nav_attitude"),
                                     QString::fromUtf8(
                                         QT_TRANSLATE_NOOP("gcs::ProductRegistry", "导航测姿")) };
    m_categories.insert(category.id, category);
    m_categoryIds.append(category.id);

    for (const ModelRow& row : kModels) {
        const DeviceModelSpec spec { QString::fromLatin1(row.id),
                                     QString::fromLatin1(row.displayName), category.id,
                                     QString::fromLatin1(kInsProductId) };
        m_deviceModels.insert(spec.id, spec);
        m_allDeviceModelIds.append(spec.id);
    }
    m_defaultDeviceModelId = QString::fromLatin1(kDefaultModelId);
}

void ProductRegistry::setNavItemVisible(const QString& navId, bool visible)
{
    const bool wasVisible = isNavItemVisible(navId);
    if (visible)
        m_navVisibility.remove(navId);
    else
        m_navVisibility.insert(navId, false);
    if (wasVisible != visible)
        emit navMenuChanged();
}

void ProductRegistry::setCurrentProductId(const QString& id)
{
    if (!m_products.contains(id) || id == m_currentProductId)
        return;
    m_currentProductId = id;
    emit currentProductChanged();
}

const ProductRegistry::Product* ProductRegistry::currentProduct() const
{
    const auto it = m_products.constFind(m_currentProductId);
    return it == m_products.constEnd() ? nullptr : &it.value();
}

QStringList ProductRegistry::navIds() const
{
    QStringList visible;
    if (const Product* product = currentProduct()) {
        for (const QString& id : product->navIds) {
            if (inMenu(id))
                visible.append(id);
        }
    }
    return visible;
}

QVariantList ProductRegistry::productNavMenu() const
{
    QVariantList menu;
    const Product* product = currentProduct();
    if (!product)
        return menu;
    if (product->navSections.isEmpty()) {
        for (const QString& id : navIds())
            menu.append(menuEntry("item", QString(), id));
        return menu;
    }
    for (const NavSection& section : product->navSections) {
        QStringList visible;
        for (const QString& id : section.navIds) {
            if (inMenu(id))
                visible.append(id);
        }
        if (visible.isEmpty())
            continue;
        if (!section.title.isEmpty())
            menu.append(menuEntry("section", translated(section.title), QString()));
        for (const QString& id : visible)
            menu.append(menuEntry("item", QString(), id));
    }
    return menu;
}

QString ProductRegistry::productShortName() const
{
    return tr("惯导");
}

QString ProductRegistry::displayName(const QString& productId) const
{
    return translated(m_products.value(productId).displayName);
}

QString ProductRegistry::categoryDisplayName(const QString& categoryId) const
{
    return translated(m_categories.value(categoryId).displayName);
}

QStringList ProductRegistry::deviceModelIds(const QString& categoryId) const
{
    QStringList ids;
    for (const QString& id : m_allDeviceModelIds) {
        if (m_deviceModels.value(id).categoryId == categoryId)
            ids.append(id);
    }
    return ids;
}

QString ProductRegistry::deviceModelDisplayName(const QString& modelId) const
{
    const QString name = m_deviceModels.value(modelId).displayName;
    return name.isEmpty() ? modelId : name;
}

QString ProductRegistry::deviceModelCategoryId(const QString& modelId) const
{
    return m_deviceModels.value(modelId).categoryId;
}

QString ProductRegistry::productIdForDeviceModel(const QString& modelId) const
{
    const QString productId = m_deviceModels.value(modelId).productId;
    return productId.isEmpty() ? QString::fromLatin1(kInsProductId) : productId;
}

QString ProductRegistry::defaultDeviceModelId() const
{
    return m_defaultDeviceModelId.isEmpty() ? QString::fromLatin1(kDefaultModelId)
                                            : m_defaultDeviceModelId;
}

QString ProductRegistry::navTitle(int index) const
{
    const Product* product = currentProduct();
    if (!product || index < 0 || index >= product->navTitles.size())
        return QString();
    return translated(product->navTitles.at(index));
}

QString ProductRegistry::navTitleById(const QString& navId) const
{
    const Product* product = currentProduct();
    if (!product)
        return QString();
    const qsizetype i = product->navIds.indexOf(navId);
    if (i < 0 || i >= product->navTitles.size())
        return QString();
    return translated(product->navTitles.at(i));
}

QString ProductRegistry::navSubtitleById(const QString& navId) const
{
    if (navId == QLatin1String("upgrade"))
        return tr("115200 升级模式烧写");
    return QString();
}

QString ProductRegistry::navId(int index) const
{
    const QStringList visible = navIds();
    return index >= 0 && index < visible.size() ? visible.at(index) : QString();
}

int ProductRegistry::navCount() const
{
    return int(navIds().size());
}

bool ProductRegistry::supportsTransport(const QString& productId, const QString& kind) const
{
    const auto it = m_products.constFind(productId);
    if (it == m_products.constEnd() || it->id.isEmpty())
        return false;
    // Only serial links are offered for any product; network kinds are always refused.
    return kind.trimmed().toLower() == QLatin1String("serial")
        && it->transports.contains(TransportKind::Serial);
}

bool ProductRegistry::supportsSerialDiscover() const
{
    return m_products.contains(QString::fromLatin1(kInsProductId));
}

bool ProductRegistry::isNavItemVisible(const QString& navId) const
{
    return m_navVisibility.value(navId, true);
}

bool ProductRegistry::inMenu(const QString& navId) const
{
    return isNavItemVisible(navId) && (m_replayMode || !isNavReplayOnly(navId));
}

void ProductRegistry::setReplayMode(bool on)
{
    if (on == m_replayMode)
        return;
    m_replayMode = on;
    emit navMenuChanged();
}

bool ProductRegistry::isNavDeviceOnly(const QString& navId) const
{
    return listed(kDeviceOnlyNav, navId);
}

bool ProductRegistry::isNavReplayOnly(const QString& navId) const
{
    return listed(kReplayOnlyNav, navId);
}

bool ProductRegistry::isNavAvailable(const QString& navId) const
{
    return m_replayMode ? !isNavDeviceOnly(navId) : !isNavReplayOnly(navId);
}

} // namespace gcs

#include "catalog/CatalogLog.h"

Q_LOGGING_CATEGORY(lcCatalog, "gcs.catalog", QtWarningMsg)

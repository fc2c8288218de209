#pragma once

namespace gcs {

/// Registers the classes QML sees, in the module "Gcs" 1.0, and the value types that
/// travel through queued signals. Called once at start-up, before the controller exists.
void registerQmlTypes();

} // namespace gcs

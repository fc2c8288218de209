#pragma once

namespace gcs {

/// Makes the QML modules of the C++ side ("Gcs": the painted items; "Gcs.App": the
/// controller and its services) available to every engine of the process, and registers
/// the value types that travel through queued signals. Called once at start-up, before the
/// controller exists.
void registerQmlTypes();

} // namespace gcs

#pragma once

namespace gcs {

/// Device-side state of the configuration pages: the navigation output last commanded
/// with start/stop com1, and whether a factory read-back collects raw text.
struct ConfigPageState
{
    bool navOutputOn = false;
    bool factoryReadbackActive = false;
};

} // namespace gcs

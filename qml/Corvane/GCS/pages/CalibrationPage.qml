import QtQuick

// Placeholder of the calibration page behind both configuration entries; the shell sets
// configScope to "user" or "factory".
PlaceholderPage {
    property string configScope: ""
    objectName: "page_calibration_" + configScope
    navId: configScope === "factory" ? "factory_config" : "user_config"
}

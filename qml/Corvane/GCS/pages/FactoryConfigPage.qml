import QtQuick

// The factory configuration entry: the configuration page in factory scope.
CalibPage {
    configScope: "factory"
}

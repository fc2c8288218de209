import QtQuick

// The user configuration entry: the configuration page in user scope.
CalibPage {
    configScope: "user"
}

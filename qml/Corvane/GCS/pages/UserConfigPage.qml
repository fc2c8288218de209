import QtQuick

// The user configuration entry: the calibration page in user scope.
CalibrationPage {
}

import QtQuick

// The factory configuration entry: the calibration page in factory scope.
CalibrationPage {
}

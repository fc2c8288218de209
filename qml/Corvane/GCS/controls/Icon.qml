import QtQuick
import Corvane.GCS

// One of the shell's line icons, in the ink that suits the current theme.
Image {
    property string name: "cmd"
    property string ink: Theme.iconInk

    width: 18
    height: 18
    source: name.length > 0 ? ShellCatalog.iconSource(name, ink) : ""
    sourceSize { width: 48; height: 48 }
    fillMode: Image.PreserveAspectFit
    smooth: true
    mipmap: true
}

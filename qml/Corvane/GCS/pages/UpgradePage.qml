import QtQuick

// Placeholder of the "upgrade" page.
PlaceholderPage {
    objectName: "page_upgrade"
    navId: "upgrade"
}

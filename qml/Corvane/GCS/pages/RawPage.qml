import QtQuick

// Placeholder of the "raw" page.
PlaceholderPage {
    objectName: "page_raw"
    navId: "raw"
}

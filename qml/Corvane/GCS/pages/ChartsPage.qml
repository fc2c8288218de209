import QtQuick

// Placeholder of the "charts" page.
PlaceholderPage {
    objectName: "page_charts"
    navId: "charts"
}

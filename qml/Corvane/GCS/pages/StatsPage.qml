import QtQuick

// Placeholder of the "stats" page.
PlaceholderPage {
    objectName: "page_stats"
    navId: "stats"
}

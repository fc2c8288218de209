import QtQuick

// Placeholder of the "record" page.
PlaceholderPage {
    objectName: "page_record"
    navId: "record"
}

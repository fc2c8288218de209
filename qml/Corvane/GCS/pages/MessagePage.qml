import QtQuick

// Placeholder of the "message" page.
PlaceholderPage {
    objectName: "page_message"
    navId: "message"
}

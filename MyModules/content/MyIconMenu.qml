import QtQuick 2.15

// The main menu opened from the options bar's application icon.
MyMenu {
    implicitWidth: 220
}

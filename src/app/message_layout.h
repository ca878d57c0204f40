// What the message dialog TErori shows for a button mask and a kind, kept apart from the window so that
// it is checked without showing anything.
#pragma once

#include <QColor>
#include <QString>

#include <vector>

namespace lirma::app {

inline constexpr int kButtonRowWidth = 342;  // the row the buttons are spread over
inline constexpr int kButtonWidth = 73;

enum class MessageIcon { Warning, Information, Question, Critical };

// Caption, band colours and icon of one kind of message.
struct MessageStyle {
    QString caption;
    QColor from;  // light end of the bands
    QColor to;    // dark end
    MessageIcon icon;
};
MessageStyle styleOfKind(int kind);

struct PlacedButton {
    QString name;     // BE1 .. BE4
    QString caption;  // "DA", "NU", "RENUNT", "OK"
    int bit = 0;      // its bit in the mask
    int code = 0;     // what the dialog returns when it is pressed
    int x = 0;        // left edge within the row
    int width = kButtonWidth;
};

struct ButtonPlan {
    std::vector<PlacedButton> buttons;  // the visible ones, left to right
    int defaultCode = 0;                // the first visible button answers Enter (0: none)
    bool shown() const { return !buttons.empty(); }
};

// The four buttons in their fixed left-to-right order, visible or not.
const std::vector<PlacedButton>& allButtons();
// The visible buttons of a mask spread evenly over the row with equal gaps around them.
ButtonPlan planButtons(int mask);
// The message text as lines: "\r\n" and a lone "\r" both end a line.
QString messageLines(const QString& text);

}  // namespace lirma::app

// What assistive technology reads beside the widgets' own texts: the 3D view as a named canvas,
// the toolbar's buttons by distinct names, and the status bar's message as it changes.
#pragma once

class QLabel;
class QStatusBar;
class QToolBar;

// The view is announced as a canvas named "Space view" (a GL widget has no role of its own).
void InstallViewAccessibility();
// Buttons whose words are those of another button ("Up" moves the cursor and the eye) are named
// after what they move: "Cursor up", "Eye up". Their tooltips and prompts stay as they are.
void NameToolbarButtons(QToolBar* toolbar);
// The message pane's accessible name follows the message shown, and the idle prompt when none is.
void FollowStatusMessages(QStatusBar* bar, QLabel* idle);

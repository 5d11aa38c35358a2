#pragma once
// The OK, Cancel and Help buttons that end the program's dialogs, in a row to the right.

class GraphButton;
class QHBoxLayout;
class QWidget;

/// Makes OK (the default button, for Enter), Cancel (the button for Esc) and Help on
/// `parent`, named cmdOK, cmdCancel and cmdHelp, into `ok`, `cancel` and `help`; the row that
/// holds them, stretched on the left.
[[nodiscard]] QHBoxLayout* buildDialogButtons(QWidget* parent, GraphButton*& ok,
                                              GraphButton*& cancel, GraphButton*& help);

/// The captions of the three buttons: "ok", "cancel" and "help" of language section "Buttons".
void setDialogButtonCaptions(GraphButton* ok, GraphButton* cancel, GraphButton* help);

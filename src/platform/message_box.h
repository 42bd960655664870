#pragma once
// The plain standard message box as a window: every such box in the program goes through
// PlainMessageBox, whose work the process-wide hook (message_box_hook.h) can take over.
#include "platform/events/message_box_hook.h"

#include <QString>
#include <memory>

class QMessageBox;
class QWidget;

// Shows the box (or hands it to the hook) and returns the pressed button's number. An empty
// caption shows the application's display name.
int PlainMessageBox(QWidget* parent, const QString& text, const QString& caption = {}, UINT type = MB_OK);

// The box PlainMessageBox shows when no hook is set, built but not run (for rendering).
std::unique_ptr<QMessageBox> MakePlainMessageBox(const MessageBoxRequest& request);

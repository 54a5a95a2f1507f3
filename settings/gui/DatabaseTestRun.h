#pragma once
// "Test bazy danych" from the frame's menu: the test and repair of the database file with the
// progress window (Cancel stops it with nothing repaired), then its report in a message.

class QWidget;

namespace ui { struct WindowContext; }

namespace settings {

// Runs the test over the context's database; every outcome is shown through the context's
// messages. True when the test ran to its end.
bool testDatabase(ui::WindowContext& context, QWidget* parent);

} // namespace settings

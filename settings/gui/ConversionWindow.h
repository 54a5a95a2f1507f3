#pragma once
// "Konwersja struktur bazy danych": what the database file needs against the layout of this
// version, and the conversion that brings it up to date after a copy of the whole file into
// DB/Backup_conv/<yyyymmdd>-<hhmmss>/. A current file shows "Struktura danych aktualna" and
// cannot be converted (no copy is taken); after a conversion the window shows "Konwersja
// przebiegła pomyślnie" with the copy's file, or the failure.

#include "settings/DatabaseConversion.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace ui { struct WindowContext; }

namespace settings {

class ConversionWindow : public QDialog {
    Q_OBJECT
public:
    explicit ConversionWindow(ui::WindowContext& context, QWidget* parent = nullptr);

    // What the window says now, and whether the file can be converted.
    QString stateText() const;
    bool canConvert() const;

    // "Konwertuj": converts after the copy; the result is shown in the window and in a message.
    void convert();

private:
    void check();
    void retranslate();

    ui::WindowContext& context_;
    DatabaseConversion conversion_;
    DatabaseConversion::State state_ = DatabaseConversion::State::Refused;
    QLabel* file_ = nullptr;
    QLabel* state_text_ = nullptr;
    QPushButton* convert_ = nullptr;
    QPushButton* close_ = nullptr;
};

// Opens the window modally over parent.
void convertDatabase(ui::WindowContext& context, QWidget* parent);

} // namespace settings

#pragma once
// SELECTPROFILE: the reduced catalogue from which an order position picks its profile. The profiles
// ("Aktywne", "Wszystkie", "Do Produkcji") with the totals of their new and approved pieces, the
// stock lengths of the highlighted one, the profile form and the length form, blocking lengths and
// the stock log; "Wybierz profil do zamówienia" returns the highlighted profile's code.

#include "stock/gui/ProfileCatalogueWindow.h"

#include <QDialog>

namespace stock {

class ProfilePicker : public QDialog {
    Q_OBJECT
public:
    // handOvers: only the length form and the stock log are used.
    ProfilePicker(ui::WindowContext& context, CatalogueHandOvers handOvers, QWidget* parent = nullptr);
    ~ProfilePicker() override;

    ProfileList& profiles() { return *profiles_; }
    LengthList& lengths() { return *lengths_; }
    QPushButton* button(const QString& objectName) const;

    // "Wybierz": the highlighted profile is the answer (nothing happens when the list is empty).
    void selectHighlighted();
    QString selectedCode() const { return selected_; }

protected:
    void changeEvent(QEvent* event) override;
    void done(int result) override;

private:
    void retranslate();
    void updateButtons();

    ui::WindowContext& context_;
    ui::WindowContext listContext_;
    CatalogueHandOvers handOvers_;
    ProfileTotalsCache totals_;
    LengthTags noTags_;
    ProfileList* profiles_ = nullptr;
    LengthList* lengths_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QList<QPushButton*> buttons_;
    QString selected_;
};

// The ranges of the picker's three profile tabs.
QList<ui::KeyRange<global::ProfileRecord>> pickerProfileRanges(ProfileTotalsCache& totals);

// Opens the picker modally, with the length form and the stock log of this subsystem. On "Wybierz"
// the code of the chosen profile is written into code and the answer is Done; otherwise Cancelled
// and code is left as it was.
ui::FormResponse selectProfile(ui::WindowContext& context, QString& code, QWidget* parent = nullptr);

} // namespace stock

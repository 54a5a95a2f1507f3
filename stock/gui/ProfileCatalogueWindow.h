#pragma once
// PROFILES "Lista profili": the catalogue as a window of the frame (several may be open). Three
// lists kept in step: the profiles with the totals of their tab, the stock lengths of the
// highlighted profile ("Aktywne" / "Wszystkie") and its pieces waiting for cutting ("Zatwierdzone",
// "Nowe", "W produkcji"). Stock lengths are tagged with the space key for the optimizer; the six
// optimizer buttons hand all open demand of the highlighted profile, with its tagged lengths, to
// the optimizer window; lengths and pieces are blocked, joins of a piece defined and removed, and
// the stock goes to the clipboard as text for a spreadsheet.
//
// The windows it opens are handed over as functions (stockWindows() gives those of this subsystem;
// the program adds the optimizer window); a button whose function is missing stays disabled.

#include "global/Records.h"
#include "stock/Catalogue.h"
#include "ui/browse/TableBrowse.h"

#include <QWidget>

#include <functional>
#include <memory>

class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QSplitter;

namespace layout { class ControlPositions; }

namespace stock {

struct CatalogueHandOvers {
    // The optimizer window for one call; returns when it closes.
    std::function<void(const OptimizerRequest& request, QWidget* parent)> optimizer;
    // The stock-length form: a request on a length of the profile, answering as a record form.
    std::function<ui::FormResponse(ui::FormRequest request, global::ProfileLengthRecord& length, uint32_t profileId,
                                   QWidget* parent)>
        lengthForm;
    // The stock log of a profile (length 0) or of one of its lengths.
    std::function<void(uint32_t profileId, uint32_t length, QWidget* parent)> stockLog;
    // The join editor of one piece.
    std::function<void(const global::CutRecord& piece, QWidget* parent)> defineJoin;
};

// The windows of this subsystem the catalogue opens: the stock-length form, the stock log (a window
// of the frame) and the join editor of a piece. The optimizer comes from the program.
CatalogueHandOvers stockWindows(ui::WindowContext& context);

// The profile list: profiles by code, five tabs, the totals of the tab's pieces.
class ProfileList : public ui::TableBrowse<global::ProfileRecord> {
public:
    // formContext: where the profile form opens (and keeps its place).
    ProfileList(ui::WindowContext& context, ui::WindowContext& formContext, ProfileTotalsCache& totals,
                bool withPrices, const QString& name, QList<const char*> tabs,
                QList<ui::KeyRange<global::ProfileRecord>> ranges, QWidget* parent = nullptr);
    using BrowseWindow::addButton;
    // Reads the list again (the totals too), standing on the same profile.
    void refresh();
    // The tab is shown: its pieces are summed.
    std::function<void(int tab)> beforeTab;

protected:
    void showTab(int tab) override;

private:
    ProfileTotalsCache& totals_;
};

// The stock lengths of one profile.
class LengthList : public ui::TableBrowse<global::ProfileLengthRecord> {
public:
    LengthList(ui::WindowContext& context, const LengthTags* tags, Form form, QWidget* parent = nullptr);
    using BrowseWindow::addButton;
    void showProfile(uint32_t profileId);
    uint32_t profileId() const { return profileId_; }
    bool showsActive() const { return currentTab() == 0; }
    void refresh();

protected:
    void showTab(int tab) override;

private:
    ui::KeyRange<global::ProfileLengthRecord> rangeOf(int tab) const;
    uint32_t profileId_ = 0;
};

// The pieces of one profile with the status of the chosen tab.
class PieceList : public ui::TableBrowse<global::CutRecord> {
public:
    PieceList(ui::WindowContext& context, QWidget* parent = nullptr);
    using BrowseWindow::addButton;
    void showProfile(uint32_t profileId);
    void refresh();

protected:
    void showTab(int tab) override;

private:
    ui::KeyRange<global::CutRecord> rangeOf(int tab) const;
    uint32_t profileId_ = 0;
    mutable QHash<uint32_t, QString> orderNumbers_;
};

class ProfileCatalogueWindow : public QWidget {
    Q_OBJECT
public:
    ProfileCatalogueWindow(ui::WindowContext& context, CatalogueHandOvers handOvers, QWidget* parent = nullptr);
    ~ProfileCatalogueWindow() override;

    ProfileList& profiles() { return *profiles_; }
    LengthList& lengths() { return *lengths_; }
    PieceList& pieces() { return *pieces_; }
    const LengthTags& tags() const { return tags_; }
    // The button with this object name ("OPTYMALIZATOR0" … "OPTYMALIZATOR4", "EXTEND", "BLOCK",
    // "BLOCKCUT", "EXTEND:2", "DELEXTEND", "LOG_PROF", "LOG_LENGHT", "EXCELEXPORT", "CLOSE").
    QPushButton* button(const QString& objectName) const;
    QLineEdit& extendLength() const { return *extendLength_; }
    QLineEdit& selectionStart() const { return *selectionStart_; }

    // The actions, as the buttons and keys carry them out.
    void toggleTagOfHighlightedLength();
    void blockHighlightedLength();
    void blockHighlightedPiece();
    void defineJoin();
    void removeJoins();
    void runOptimizer(OptimizerButton button);
    void exportStock();
    void showProfileLog();
    void showLengthLog();
    // Reads the three lists again, each standing where it stood.
    void refreshAll();

signals:
    void closed();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildOptimizerRow(QHBoxLayout& row);
    void followProfile();
    void updateButtons();
    void retranslate();
    QPushButton* makeButton(const char* name, std::function<void()> action);

    ui::WindowContext& context_;
    ui::WindowContext listContext_;   // the lists inside keep no window place of their own
    CatalogueHandOvers handOvers_;
    ProfileTotalsCache totals_;
    LengthTags tags_;
    ProfileList* profiles_ = nullptr;
    LengthList* lengths_ = nullptr;
    PieceList* pieces_ = nullptr;
    QSplitter* splitter_ = nullptr;
    std::unique_ptr<layout::ControlPositions> positions_;
    QLineEdit* extendLength_ = nullptr;
    QLineEdit* selectionStart_ = nullptr;
    QList<QPushButton*> buttons_;
    bool placed_ = false;
    bool closing_ = false;
};

// The columns of the profile list (the catalogue's and the picker's, which leaves out the prices).
QList<ui::BrowseColumn<global::ProfileRecord>> profileColumns(ProfileTotalsCache& totals, bool withPrices);
// The ranges of the catalogue's five profile tabs.
QList<ui::KeyRange<global::ProfileRecord>> catalogueProfileRanges(ProfileTotalsCache& totals);
// What a stock window does when it opens: the opening balance when the stock log is still empty.
void openingBalanceWhenLogEmpty(ui::WindowContext& context);
// A failure to read the totals of a list is shown once the list has been painted.
void reportTotalsFailures(ProfileTotalsCache& totals, ui::WindowContext& context, QObject* window);
// The grey of hidden rows.
QColor hiddenRowColour();

} // namespace stock
